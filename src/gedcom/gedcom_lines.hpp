// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The record text of the two boxes read back as GEDCOM lines: level,
// cross-reference, tag and value. The standard exports start from these
// lines, so what the user edited in the boxes is what they write.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quenby {

// One line; the views point into the text that was read.
struct GedcomLine {
  int level = 0;
  std::string_view xref;  // without its "@", empty when the line has none
  std::string_view tag;
  std::string_view value;      // everything after the blank that follows the tag
  std::size_t lineNumber = 0;  // 1-based, counted in the text read
};

struct RecordTextError {
  std::size_t lineNumber = 0;
  std::string reason;
};

struct RecordText {
  std::vector<GedcomLine> lines;
  std::optional<RecordTextError> error;  // the first line that is not GEDCOM
};

// Reads every line of `text` (CR LF, LF or a lone CR between lines); empty
// lines are passed over. A line is "level [@xref@] TAG [value]" with a level
// of one or two digits, at most one more than the line before and 0 on the
// first line, a cross-reference only on level 0, and a tag of letters,
// digits and "_". Reading stops at the first line that is not.
RecordText ParseRecordText(std::string_view text);

// The same, one line at a time, for readers that keep the lines in a form
// of their own.
class RecordLineReader {
 public:
  explicit RecordLineReader(std::string_view text) : text_(text), lineFeed_(text.find('\n')) {}

  // The next line; false at the end of the text or at the first line that
  // is not GEDCOM, which error() then tells.
  bool Next(GedcomLine& line);

  const std::optional<RecordTextError>& error() const { return error_; }

 private:
  std::string_view text_;
  std::size_t at_ = 0;
  // The first LF from `at_` on (npos when there is none), kept until the
  // reader passes it.
  std::size_t lineFeed_;
  std::size_t lineNumber_ = 0;
  int previousLevel_ = -1;
  std::optional<RecordTextError> error_;
};

// Whether `value` is a pointer "@xref@" to a record.
bool IsPointer(std::string_view value);

// "@xref@" without its "@".
std::string_view PointerTarget(std::string_view pointer);

}  // namespace quenby
