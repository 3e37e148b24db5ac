// SPDX-License-Identifier: GPL-3.0-or-later
#include "workspace/source_marks.hpp"

#include <QPalette>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextDocument>
#include <cstddef>

namespace quenby {

namespace {

// Tells a source mark from the other extra selections of the box.
constexpr int kSourceMarkProperty = QTextFormat::UserProperty + 0x51;

bool IsSourceMark(const QTextEdit::ExtraSelection& selection) {
  return selection.format.hasProperty(kSourceMarkProperty);
}

QList<QTextEdit::ExtraSelection> OtherMarks(const QPlainTextEdit& box) {
  QList<QTextEdit::ExtraSelection> others = box.extraSelections();
  others.removeIf(IsSourceMark);
  return others;
}

}  // namespace

SourceMarks::SourceMarks(QPlainTextEdit& box) : QObject(&box), box_(box) {
  connect(box.document(), &QTextDocument::contentsChanged, this, [this] { linesFound_ = false; });
}

void SourceMarks::FindLineStarts() {
  lineStarts_.clear();
  for (QTextBlock block = box_.document()->begin(); block.isValid(); block = block.next()) {
    const int start = block.position();
    lineStarts_.push_back(start);
    const QString text = block.text();
    for (qsizetype at = text.indexOf(QChar::LineSeparator); at >= 0; at = text.indexOf(QChar::LineSeparator, at + 1)) {
      lineStarts_.push_back(start + static_cast<int>(at) + 1);
    }
  }
  linesFound_ = true;
}

void SourceMarks::Mark(SourceLines lines) {
  if (!linesFound_) {
    FindLineStarts();
  }
  QList<QTextEdit::ExtraSelection> marks = OtherMarks(box_);
  QTextCharFormat format;
  QColor background = box_.palette().color(QPalette::Highlight);
  background.setAlpha(64);
  format.setBackground(background);
  format.setProperty(QTextFormat::FullWidthSelection, true);
  format.setProperty(kSourceMarkProperty, true);
  const std::size_t count = lineStarts_.size();
  // The end of line n (from 1): the break before the next line, or the end
  // of the text.
  const auto endOf = [&](std::size_t n) {
    return n < count ? lineStarts_[n] - 1 : box_.document()->characterCount() - 1;
  };
  int first = -1;
  for (std::size_t i = 0; i < lines.size();) {
    const std::size_t from = lines[i];
    if (from < 1 || from > count) {
      ++i;
      continue;
    }
    // A run of consecutive lines is one mark.
    std::size_t to = from;
    while (++i < lines.size() && lines[i] == to + 1 && to + 1 <= count) {
      ++to;
    }
    QTextCursor cursor(box_.document());
    cursor.setPosition(lineStarts_[from - 1]);
    cursor.setPosition(endOf(to), QTextCursor::KeepAnchor);
    marks.append({cursor, format});
    if (first < 0) {
      first = lineStarts_[from - 1];
    }
  }
  box_.setExtraSelections(marks);
  if (first >= 0) {
    QTextCursor caret(box_.document());
    caret.setPosition(first);
    box_.setTextCursor(caret);
    box_.centerCursor();
  }
}

void SourceMarks::Clear() {
  box_.setExtraSelections(OtherMarks(box_));
}

}  // namespace quenby
