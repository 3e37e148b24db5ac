// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The multi-line boxes of the main window as the core reads and writes them:
// text with CR LF line breaks, whatever the box holds inside. The record
// boxes hold their records in paragraphs of whole records, so that a long
// "Process all" fills them in a fraction of a second.

#include <QString>
#include <string>
#include <string_view>

class QPlainTextEdit;

namespace quenby {

// The text of a multi-line box with CR LF line breaks.
std::string BoxText(const QPlainTextEdit& box);
void SetBoxText(QPlainTextEdit& box, std::string_view crLfText);

// CR LF text of records as a record box holds it (see the .cpp).
QString RecordParagraphs(std::string_view crLfText);
// Fills a record box in one go and shows its newest record.
void SetRecordBoxText(QPlainTextEdit& box, std::string_view crLfText);
// Appends records and shows them from their start.
void AppendRecordText(QPlainTextEdit& box, std::string_view crLfText);

}  // namespace quenby
