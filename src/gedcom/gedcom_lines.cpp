// SPDX-License-Identifier: GPL-3.0-or-later
#include "gedcom/gedcom_lines.hpp"

#include <algorithm>

namespace quenby {
namespace {

constexpr std::size_t kLongestXref = 20;
constexpr std::size_t kLongestTag = 31;

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

bool IsNameCharacter(char c) {
  return IsDigit(c) || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}

bool IsName(std::string_view text, std::size_t longest) {
  return !text.empty() && text.size() <= longest && std::all_of(text.begin(), text.end(), IsNameCharacter);
}

// The first place from `at` on that is not a blank; the end when there is none.
std::size_t SkipBlanks(std::string_view line, std::size_t at) {
  while (at < line.size() && line[at] == ' ') {
    ++at;
  }
  return at;
}

// Reads one line whose first character other than a blank is at `at`; the
// reason when it is not a GEDCOM line, or null.
const char* ReadLine(std::string_view line, std::size_t at, GedcomLine& out) {
  out.xref = {};
  std::size_t digits = 0;
  while (at + digits < line.size() && IsDigit(line[at + digits])) {
    ++digits;
  }
  if (digits == 0 || digits > 2) {
    return "it does not start with a level number (0 to 99)";
  }
  out.level = line[at] - '0';
  if (digits == 2) {
    out.level = out.level * 10 + (line[at + 1] - '0');
  }
  at += digits;
  if (at >= line.size() || line[at] != ' ') {
    return "the level number is not followed by a blank";
  }
  at = SkipBlanks(line, at);
  if (at < line.size() && line[at] == '@') {
    const std::size_t close = line.find('@', at + 1);
    const auto xref = close == std::string_view::npos ? std::string_view() : line.substr(at + 1, close - at - 1);
    if (!IsName(xref, kLongestXref)) {
      return "its cross-reference is not @letters and digits@";
    }
    out.xref = xref;
    at = SkipBlanks(line, close + 1);
  }
  std::size_t tagEnd = at;
  while (tagEnd < line.size() && IsNameCharacter(line[tagEnd])) {
    ++tagEnd;
  }
  if (tagEnd == at || tagEnd - at > kLongestTag || (tagEnd < line.size() && line[tagEnd] != ' ')) {
    return "it has no tag of letters and digits";
  }
  out.tag = line.substr(at, tagEnd - at);
  out.value = tagEnd < line.size() ? line.substr(tagEnd + 1) : std::string_view();
  return nullptr;
}

}  // namespace

RecordText ParseRecordText(std::string_view text) {
  RecordText result;
  RecordLineReader reader(text);
  GedcomLine line;
  while (reader.Next(line)) {
    result.lines.push_back(line);
  }
  result.error = reader.error();
  return result;
}

bool RecordLineReader::Next(GedcomLine& line) {
  while (at_ < text_.size() && !error_) {
    // A line ends at its first CR or LF. Both are found by library
    // searches, the LF once for all the lines before it, so that a text
    // whose lines end in CR alone is still read in one pass.
    if (lineFeed_ < at_) {
      lineFeed_ = text_.find('\n', at_);
    }
    const std::size_t lineFeed = std::min(lineFeed_, text_.size());
    const std::size_t end = std::min(text_.substr(0, lineFeed).find('\r', at_), lineFeed);
    const std::string_view text = text_.substr(at_, end - at_);
    ++lineNumber_;
    at_ = end + (end + 1 < text_.size() && text_[end] == '\r' && text_[end + 1] == '\n' ? 2 : 1);
    const std::size_t first = SkipBlanks(text, 0);
    if (first == text.size()) {
      continue;
    }
    line.lineNumber = lineNumber_;
    const char* reason = ReadLine(text, first, line);
    if (reason == nullptr && line.level > previousLevel_ + 1) {
      reason = previousLevel_ < 0 ? "the first line of a record has level 0" : "its level is more than one deeper";
    }
    if (reason == nullptr && line.level > 0 && !line.xref.empty()) {
      reason = "a cross-reference stands only on level 0";
    }
    if (reason != nullptr) {
      error_ = RecordTextError{lineNumber_, "line " + std::to_string(lineNumber_) + " is not GEDCOM: " + reason};
      return false;
    }
    previousLevel_ = line.level;
    return true;
  }
  return false;
}

bool IsPointer(std::string_view value) {
  return value.size() >= 3 && value.front() == '@' && value.back() == '@' &&
         IsName(value.substr(1, value.size() - 2), kLongestXref);
}

std::string_view PointerTarget(std::string_view pointer) {
  return pointer.substr(1, pointer.size() - 2);
}

}  // namespace quenby
