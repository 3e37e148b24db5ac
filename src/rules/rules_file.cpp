// SPDX-License-Identifier: GPL-3.0-or-later
#include "rules/rules_file.hpp"

#include <algorithm>
#include <filesystem>
#include <iterator>
#include <optional>
#include <span>

#include "rules/ini_file.hpp"
#include "rules/rule_item.hpp"
#include "text/encoding.hpp"
#include "text/file_io.hpp"
#include "text/text.hpp"

namespace quenby {
namespace {

constexpr std::string_view kRulesSection = "Rules";

// Key numbers are digit strings without leading zeros ("0" for zero), so a
// key of any length is read without overflow.
std::optional<std::string> KeyNumber(std::string_view key) {
  if (key.empty() || key.find_first_not_of("0123456789") != std::string_view::npos) {
    return std::nullopt;
  }
  const auto first = key.find_first_not_of('0');
  return std::string(first == std::string_view::npos ? "0" : key.substr(first));
}

bool NumberLess(std::string_view a, std::string_view b) {
  return a.size() != b.size() ? a.size() < b.size() : a < b;
}

std::string NextNumber(std::string number) {
  for (auto i = number.size(); i-- > 0;) {
    if (number[i] != '9') {
      ++number[i];
      return number;
    }
    number[i] = '0';
  }
  return "1" + number;
}

// `number` is at least 1.
std::string PreviousNumber(std::string number) {
  for (auto i = number.size(); i-- > 0;) {
    if (number[i] != '0') {
      --number[i];
      break;
    }
    number[i] = '9';
  }
  if (number.size() > 1 && number.front() == '0') {
    number.erase(0, 1);
  }
  return number;
}

struct NumberedEntry {
  std::string number;
  const IniEntry* entry;
};

bool EntryLess(const NumberedEntry& a, const NumberedEntry& b) {
  return NumberLess(a.number, b.number);
}

std::string GapNote(const std::string& from, const std::string& to) {
  if (from == to) {
    return "key " + from + " is missing; the rules after it were loaded";
  }
  return "keys " + from + " to " + to + " are missing; the rules after them were loaded";
}

// Names how each repeat was written when that tells them apart ("1" and "01").
std::string RepeatNote(std::span<const NumberedEntry> repeats) {
  const std::string& number = repeats.front().number;
  std::string note = "key " + number + " is given " + std::to_string(repeats.size()) + " times";
  if (std::ranges::any_of(repeats, [&number](const NumberedEntry& repeat) { return repeat.entry->key != number; })) {
    for (std::size_t i = 0; i < repeats.size(); ++i) {
      note.append(i == 0 ? " (as " : (i + 1 == repeats.size() ? " and " : ", ")).append(repeats[i].entry->key);
    }
    note.append(")");
  }
  return note + "; each was read, in the order of the file";
}

RulesRead RuleItems(const IniDocument& document) {
  RulesRead read;
  std::vector<NumberedEntry> numbered;
  std::vector<std::string> leftOut;
  for (const IniEntry& entry : document.Entries(kRulesSection)) {
    if (auto number = KeyNumber(entry.key)) {
      numbered.push_back({std::move(*number), &entry});
    } else {
      leftOut.push_back("key \"" + entry.key + "\" is no rule number; it was left out");
    }
  }
  // A saved file is already in order; only a hand-edited one is sorted, and
  // keys given twice keep the order of the file.
  if (!std::ranges::is_sorted(numbered, EntryLess)) {
    std::ranges::stable_sort(numbered, EntryLess);
  }
  std::string expected = "1";
  for (std::size_t begin = 0; begin < numbered.size();) {
    const std::string& number = numbered[begin].number;
    std::size_t end = begin + 1;
    while (end < numbered.size() && numbered[end].number == number) {
      ++end;
    }
    // Key 0 comes before key 1 and leaves no gap.
    if (number != "0") {
      if (number != expected) {
        read.notes.push_back(GapNote(expected, PreviousNumber(number)));
      }
      expected = NextNumber(number);
    }
    if (end - begin > 1) {
      read.notes.push_back(RepeatNote(std::span(numbered).subspan(begin, end - begin)));
    }
    for (std::size_t i = begin; i < end; ++i) {
      const IniEntry& entry = *numbered[i].entry;
      if (entry.value.empty()) {
        read.notes.push_back("key " + entry.key + " is empty: it holds no rule and was skipped");
        continue;
      }
      read.items.push_back(entry.value);
      if (const auto problem = RuleItemProblem(entry.value); !problem.empty()) {
        read.notes.push_back("rule " + std::to_string(read.items.size()) + " (key " + entry.key +
                             ") does nothing when " + "the rules run: " + problem +
                             "; it is kept in the list as it was read");
      }
    }
    begin = end;
  }
  read.notes.insert(read.notes.end(), std::make_move_iterator(leftOut.begin()), std::make_move_iterator(leftOut.end()));
  return read;
}

}  // namespace

RulesRead RulesFromText(std::string_view text) {
  return RuleItems(IniDocument::Parse(text));
}

std::string RulesFileText(const std::vector<std::string>& items) {
  std::string text = "[" + std::string(kRulesSection) + "]";
  text.append(kCrLf);
  for (std::size_t i = 0; i < items.size(); ++i) {
    text.append(std::to_string(i + 1)).append("=\"").append(items[i]).append("\"").append(kCrLf);
  }
  return text;
}

LoadedRules LoadRulesFile(std::string_view utf8FileName) {
  const auto path = PathFromUtf8(utf8FileName);
  LoadedRules loaded;
  std::error_code ec;
  if (std::filesystem::status(path, ec).type() == std::filesystem::file_type::not_found) {
    loaded.status = LoadStatus::kMissing;
    return loaded;
  }
  const auto bytes = ReadFileBytes(path, kRulesFileLimit, loaded.error);
  if (!bytes) {
    loaded.status = LoadStatus::kUnreadable;
    return loaded;
  }
  return RulesFromFileBytes(*bytes, utf8FileName);
}

LoadedRules RulesFromFileBytes(std::string_view bytes, std::string_view fileName) {
  LoadedRules loaded;
  const auto text = DecodeNamedTextFile(bytes, fileName, loaded.error);
  if (!text) {
    loaded.status = LoadStatus::kUnreadable;
    return loaded;
  }
  const auto document = IniDocument::Parse(*text);
  if (!document.HasSection(kRulesSection)) {
    loaded.status = LoadStatus::kUnreadable;
    loaded.error = FileMessage(fileName, "is not a rules file: it has no [Rules] section");
    return loaded;
  }
  auto read = RuleItems(document);
  loaded.items = std::move(read.items);
  loaded.notes = std::move(read.notes);
  return loaded;
}

std::string LoadNotesMessage(std::string_view utf8FileName, const std::vector<std::string>& notes,
                             std::size_t mostNotes) {
  std::string message = "The rules file \"" + std::string(utf8FileName) + "\" was loaded with these remarks:";
  for (std::size_t i = 0; i < notes.size() && i < mostNotes; ++i) {
    message.append("\n").append(notes[i]);
  }
  if (notes.size() > mostNotes) {
    message.append("\n... and ").append(std::to_string(notes.size() - mostNotes)).append(" more");
  }
  return message;
}

bool SaveRulesFile(std::string_view utf8FileName, const std::vector<std::string>& items, std::string& error) {
  const auto path = PathFromUtf8(utf8FileName);
  if (items.empty()) {
    return RemoveFileIfExists(path, error);
  }
  // A line break would end the item's line early and lose the rest of the
  // list on the next load, so such a list is refused rather than saved.
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (items[i].find_first_of("\r\n") != std::string::npos) {
      error = FileMessage(utf8FileName,
                          "rule " + std::to_string(i + 1) + " holds a line break, which a rules file cannot store");
      return false;
    }
  }
  return WriteFileAtomically(path, EncodeTextFile(RulesFileText(items)).bytes, error);
}

}  // namespace quenby
