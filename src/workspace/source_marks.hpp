// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Marks in the input text box the lines a person of the people list came
// from: each run of marked lines gets a background across the whole width,
// and the box shows the first of them with the caret at its start. Other
// marks the box may carry are left as they are.
//
// Lines are numbered from 1 as a run numbers them: the box's paragraphs and
// the line separators inside a paragraph (Shift+Enter) each end a line, as
// they do in the text the run reads. The line starts are found once per
// change of the text, so marking costs the lines marked, not the text.

#include <QObject>
#include <vector>

#include "engine/line_origins.hpp"

class QPlainTextEdit;

namespace quenby {

class SourceMarks : public QObject {
  Q_OBJECT

 public:
  // The marks live as long as `box`, whose child they are.
  explicit SourceMarks(QPlainTextEdit& box);

  // Marks input lines `lines` (from 1, ascending as a run gives them) in
  // place of the marks before; numbers past the end of the text, which was
  // edited since the run, are passed over.
  void Mark(SourceLines lines);
  void Clear();

 private:
  void FindLineStarts();

  QPlainTextEdit& box_;
  std::vector<int> lineStarts_;  // the position of each line's first character
  bool linesFound_ = false;
};

}  // namespace quenby
