// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Rules files: a profile file with the section "Rules" and the keys "1",
// "2", ... holding the rule items in list order, each in double quotes.

#include <string>
#include <string_view>
#include <vector>

namespace quenby {

struct RulesRead {
  std::vector<std::string> items;
  // What the reading did with each key that was not one more sound rule in
  // the order of keys 1, 2, 3, ...: one plain sentence per gap, repeated key,
  // empty value, key that is no number, and item that does nothing when the
  // rules run. None for a file with keys 1 to n and sound items.
  std::vector<std::string> notes;
};

// The rules of a rules file's text: every key of its section "Rules" that is
// a number (digits only; "01" is 1, and a number of any length is compared
// as digits, so none overflows), in numeric order, a number given twice in
// the order of the file. An empty value is no rule, and a key that is no
// number is not read; both are noted. An item with an unknown code or without
// separators is kept as read, so a save writes it back, and noted. Text
// without the section gives no rules. The cost grows with the text, not with
// the numbers of the keys.
RulesRead RulesFromText(std::string_view text);

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
  std::vector<std::string> notes;  // as RulesFromText gives them
  std::string error;
};

// Reads a rules file in Windows-1252, UTF-8 or UTF-16 (as DecodeTextFile
// decides). A file without a [Rules] section is not a rules file, and neither
// is one that is not a text file or larger than kRulesFileLimit: all of them
// are unreadable, so a wrong file never passes for an empty list.
LoadedRules LoadRulesFile(std::string_view utf8FileName);

// The rules of a rules file's bytes, read as LoadRulesFile reads a file's
// content: rules built into the program load exactly as their file would.
// `fileName` names them in a message.
LoadedRules RulesFromFileBytes(std::string_view bytes, std::string_view fileName);

// The one message the window shows after loading a file with notes: the file
// named once, then the notes, one a line, at most `mostNotes` of them and a
// count of the rest, so a badly damaged file still gives a message that fits
// on the screen.
std::string LoadNotesMessage(std::string_view utf8FileName, const std::vector<std::string>& notes,
                             std::size_t mostNotes);

// Writes the whole list at once (temporary file, then rename), in
// Windows-1252 when that reads back as the same rules, else in UTF-8. An
// empty list removes an existing file, so no file is left. Returns false with
// `error` set when the file cannot be written or removed, or when an item
// holds a line break (a rules file has one line per rule); the existing file
// is then left as it was.
bool SaveRulesFile(std::string_view utf8FileName, const std::vector<std::string>& items, std::string& error);

}  // namespace quenby
