// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Rules files: a profile file with the section "Rules" and the keys "1",
// "2", ... holding the rule items in list order, each in double quotes.

#include <string>
#include <string_view>
#include <vector>

namespace quenby {

// The items of a rules file's text: keys 1, 2, 3, ... of the section
// "Rules", stopping at the first missing or empty value. Text without such a
// section or key gives an empty list. There is no limit on the number of
// rules, and the text is read once however many there are.
std::vector<std::string> RuleItemsFromText(std::string_view text);

// The text "Save Rules" writes: "[Rules]", then key=DQ item DQ per rule,
// every line ended by CR LF.
std::string RulesFileText(const std::vector<std::string>& items);

enum class LoadStatus {
  kLoaded,      // the file was read (its list may be empty)
  kMissing,     // no such file: an empty list
  kUnreadable,  // the file exists but cannot be read as a rules file: `error` says why
};

struct LoadedRules {
  LoadStatus status = LoadStatus::kLoaded;
  std::vector<std::string> items;
  std::string error;
};

// Reads a rules file in Windows-1252, UTF-8 or UTF-16 (as DecodeTextFile
// decides). A file without a [Rules] section is not a rules file, and neither
// is one that is not a text file or larger than kRulesFileLimit: all of them
// are unreadable, so a wrong file never passes for an empty list.
LoadedRules LoadRulesFile(std::string_view utf8FileName);

// Writes the whole list at once (temporary file, then rename), in
// Windows-1252 when that reads back as the same rules, else in UTF-8. An
// empty list removes an existing file, so no file is left. Returns false with
// `error` set when the file cannot be written or removed, or when an item
// holds a line break (a rules file has one line per rule); the existing file
// is then left as it was.
bool SaveRulesFile(std::string_view utf8FileName, const std::vector<std::string>& items, std::string& error);

}  // namespace quenby
