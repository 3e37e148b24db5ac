// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A row under the window's text areas that finds text in the text box that
// had the focus when Edit > Find was chosen: Enter or "Find next" selects
// the next occurrence after the caret, going round from the start; Escape
// closes the row and gives the focus back to the box.

#include <QPointer>
#include <QWidget>

class QLabel;
class QLineEdit;

namespace quenby {

class FindBar : public QWidget {
  Q_OBJECT

 public:
  explicit FindBar(QWidget* parent);

  // Shows the row to find text in `box` (a QPlainTextEdit or a QLineEdit).
  void Open(QWidget* box);
  // Selects the next occurrence of the searched text in the box; false when
  // there is none.
  bool FindNext();

  QLineEdit* txtFind = nullptr;
  QLabel* lblResult = nullptr;

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void Close();

  QPointer<QWidget> box_;
};

}  // namespace quenby
