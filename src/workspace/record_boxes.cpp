// SPDX-License-Identifier: GPL-3.0-or-later
#include "workspace/record_boxes.hpp"

#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextDocument>

#include "text/text.hpp"
#include "ui/qt_support.hpp"

namespace quenby {

namespace {

// A paragraph of a record box holds whole records of about this many lines.
constexpr int kLinesPerParagraph = 100;

// Where the newest record of a record box's text starts: the last line that
// starts "0 @I" or "0 @F" (a note record belongs to the person above it).
qsizetype NewestRecordStart(const QString& text) {
  const QStringView view(text);
  for (qsizetype at = text.size(); at-- > 0;) {
    const bool lineStart = at == 0 || text[at - 1] == QChar::LineSeparator ||
                           text[at - 1] == QChar::ParagraphSeparator || text[at - 1] == QLatin1Char('\n');
    if (lineStart && (view.mid(at).startsWith(u"0 @I") || view.mid(at).startsWith(u"0 @F"))) {
      return at;
    }
  }
  return 0;
}

// Scrolls the box to show the text from `position` to the end, or as much
// of it as fits, and puts the caret at `position`.
void ShowFrom(QPlainTextEdit& box, int position) {
  box.moveCursor(QTextCursor::End);
  box.ensureCursorVisible();
  QTextCursor start(box.document());
  start.setPosition(position);
  box.setTextCursor(start);
  box.ensureCursorVisible();
}

}  // namespace

// The text of a multi-line box with CR LF line breaks. The raw text keeps
// non-breaking spaces, which pasted web pages are full of and which the box's
// plain-text view would turn into ordinary spaces.
std::string BoxText(const QPlainTextEdit& box) {
  QString text = box.document()->toRawText();
  text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
  text.replace(QChar::LineSeparator, QLatin1Char('\n'));
  return LfToCrLf(ToUtf8(text));
}

void SetBoxText(QPlainTextEdit& box, std::string_view crLfText) {
  box.setPlainText(FromUtf8(CrLfToLf(crLfText)));
}

// The text of a record box as the box holds it: paragraphs of whole records,
// whose lines are joined by line separators. One paragraph per line would
// cost a paragraph of the box per GEDCOM line, two million of them for
// 136,000 persons and seconds to make; one paragraph for everything would
// cost seconds per key typed. The box's text reads the same either way
// (BoxText), and the last record always ends its paragraph, so that text
// appended later starts a paragraph of its own.
QString RecordParagraphs(std::string_view crLfText) {
  QString text = FromUtf8(CrLfToLf(crLfText));
  int lines = 0;
  bool afterBreak = false;
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (text[i] != QLatin1Char('\n')) {
      afterBreak = false;
      continue;
    }
    ++lines;
    // A line break right after another one ends the empty line that ends a record.
    if (afterBreak && (lines >= kLinesPerParagraph || i + 1 == text.size())) {
      text[i] = QChar::ParagraphSeparator;
      lines = 0;
    } else {
      text[i] = QChar::LineSeparator;
    }
    afterBreak = true;
  }
  return text;
}

// Fills a record box in one go and shows its newest record.
void SetRecordBoxText(QPlainTextEdit& box, std::string_view crLfText) {
  const QString text = RecordParagraphs(crLfText);
  box.setPlainText(text);
  ShowFrom(box, static_cast<int>(NewestRecordStart(text)));
}

void AppendRecordText(QPlainTextEdit& box, std::string_view crLfText) {
  QTextCursor end(box.document());
  end.movePosition(QTextCursor::End);
  const int start = end.position();
  end.insertText(RecordParagraphs(crLfText));
  ShowFrom(box, start);
}

}  // namespace quenby
