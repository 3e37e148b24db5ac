// SPDX-License-Identifier: GPL-3.0-or-later
#include "rules/ini_file.hpp"

#include <filesystem>
#include <utility>
#include <vector>

#include "text/encoding.hpp"
#include "text/file_io.hpp"
#include "text/text.hpp"

namespace quenby {
namespace {

constexpr std::string_view kBlanks = " \t";
constexpr std::string_view kSettingsFileName = "Quenby.INI";

std::string_view TrimBlanks(std::string_view text) {
  const auto first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) {
    return {};
  }
  return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

// Section names and keys match without regard to the case of A to Z only, so
// a match never depends on the code page or the locale.
std::string FoldCase(std::string_view text) {
  std::string folded(TrimBlanks(text));
  for (char& c : folded) {
    if (c >= 'A' && c <= 'Z') {
      c = static_cast<char>(c - 'A' + 'a');
    }
  }
  return folded;
}

// The name of a section line ("[name]", blanks allowed around it and the
// name), or nothing for any other line. A line that opens a bracket and never
// closes it still names a section, so a damaged header does not move its
// keys into the section above.
std::optional<std::string_view> SectionName(std::string_view line) {
  line = TrimBlanks(line);
  if (!StartsWith(line, "[")) {
    return std::nullopt;
  }
  line.remove_prefix(1);
  return TrimBlanks(line.substr(0, line.find(']')));
}

struct KeyLine {
  std::string_view key;
  std::string_view value;
};

// The key and value of a line "key=value", or nothing for a comment or a line
// without "=". The value loses its outer blanks and then one outer pair of
// equal quotes, so quotes keep blanks at the ends of a value.
std::optional<KeyLine> ParseKeyLine(std::string_view line) {
  const auto equals = line.find('=');
  if (equals == std::string_view::npos || StartsWith(TrimBlanks(line), ";")) {
    return std::nullopt;
  }
  auto value = TrimBlanks(line.substr(equals + 1));
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
    value = value.substr(1, value.size() - 2);
  }
  return KeyLine{TrimBlanks(line.substr(0, equals)), value};
}

std::vector<std::string> ProfileLines(std::string_view text) {
  auto lines = SplitOn(NormaliseLineBreaks(text), kCrLf);
  if (lines.back().empty()) {
    lines.pop_back();
  }
  return lines;
}

std::string ResolveFileName(std::string& fileName) {
  if (fileName.empty()) {
    fileName = ProgramSettingsFile();
  }
  return fileName;
}

std::string& ProgramDirectoryStorage() {
  static std::string directory;
  return directory;
}

bool HasLineBreak(std::string_view text) {
  return text.find_first_of("\r\n") != std::string_view::npos;
}

// Why section, key and value would not read back as written, or nothing.
std::optional<std::string> WhyNotStorable(std::string_view section, std::string_view key, std::string_view value) {
  if (HasLineBreak(section) || HasLineBreak(key) || HasLineBreak(value)) {
    return "a line break cannot be stored in a profile file";
  }
  if (section.find(']') != std::string_view::npos) {
    return "a section name cannot hold \"]\"";
  }
  const auto trimmedKey = TrimBlanks(key);
  if (trimmedKey.empty() || key.find('=') != std::string_view::npos || StartsWith(trimmedKey, ";") ||
      StartsWith(trimmedKey, "[")) {
    return "the key \"" + std::string(key) + "\" cannot be stored in a profile file";
  }
  return std::nullopt;
}

}  // namespace

IniDocument IniDocument::Parse(std::string_view text) {
  IniDocument document;
  // Keys before the first section belong to none and go nowhere. The keys of
  // a repeated section are listed with the section's entries, but a single
  // value is never read from them.
  Section* current = nullptr;
  bool firstOfItsName = false;
  for (const auto& line : ProfileLines(text)) {
    if (const auto name = SectionName(line)) {
      const auto [where, isNew] = document.sections_.try_emplace(FoldCase(*name));
      current = &where->second;
      firstOfItsName = isNew;
    } else if (const auto entry = ParseKeyLine(line); entry && current != nullptr) {
      if (firstOfItsName) {
        current->first.try_emplace(FoldCase(entry->key), current->entries.size());
      }
      current->entries.push_back({std::string(entry->key), std::string(entry->value)});
    }
  }
  return document;
}

std::optional<std::string> IniDocument::Value(std::string_view section, std::string_view key) const {
  const auto where = sections_.find(FoldCase(section));
  if (where == sections_.end()) {
    return std::nullopt;
  }
  const auto entry = where->second.first.find(FoldCase(key));
  if (entry == where->second.first.end()) {
    return std::nullopt;
  }
  return where->second.entries[entry->second].value;
}

bool IniDocument::HasSection(std::string_view section) const {
  return sections_.contains(FoldCase(section));
}

std::span<const IniEntry> IniDocument::Entries(std::string_view section) const {
  const auto where = sections_.find(FoldCase(section));
  if (where == sections_.end()) {
    return {};
  }
  return where->second.entries;
}

void SetProgramDirectory(std::string utf8Directory) {
  ProgramDirectoryStorage() = std::move(utf8Directory);
}

const std::string& ProgramDirectory() {
  return ProgramDirectoryStorage();
}

std::string ProgramSettingsFile() {
  const auto path = PathFromUtf8(ProgramDirectory()) / PathFromUtf8(kSettingsFileName);
  const auto name = path.u8string();
  return std::string(name.begin(), name.end());
}

std::string ReadINIString(std::string_view section, std::string_view key, std::string_view defaultText,
                          std::string& fileName) {
  std::string error;
  const auto text = ReadTextFile(PathFromUtf8(ResolveFileName(fileName)), kRulesFileLimit, error);
  if (!text) {
    return std::string(defaultText);
  }
  return IniDocument::Parse(*text).Value(section, key).value_or(std::string(defaultText));
}

bool WriteINIString(std::string_view section, std::string_view key, std::string_view value, std::string& fileName,
                    std::string& error) {
  const auto path = PathFromUtf8(ResolveFileName(fileName));
  if (const auto reason = WhyNotStorable(section, key, value)) {
    error = FileMessage(fileName, *reason);
    return false;
  }
  std::vector<std::string> lines;
  std::error_code ec;
  if (std::filesystem::status(path, ec).type() != std::filesystem::file_type::not_found) {
    const auto text = ReadTextFile(path, kRulesFileLimit, error);
    if (!text) {
      return false;
    }
    lines = ProfileLines(*text);
  }

  const auto wantedSection = FoldCase(section);
  const auto wantedKey = FoldCase(key);
  const auto keyLine = std::string(TrimBlanks(key)) + "=" + std::string(value);
  // Where the key goes: its first line in the first matching section, else
  // after that section's last non-blank line, else a new section at the end.
  std::optional<std::size_t> sectionEnd;
  bool replaced = false;
  for (std::size_t i = 0; i < lines.size() && !replaced; ++i) {
    if (const auto name = SectionName(lines[i])) {
      if (sectionEnd) {
        break;
      }
      if (FoldCase(*name) == wantedSection) {
        sectionEnd = i + 1;
      }
    } else if (sectionEnd) {
      const auto entry = ParseKeyLine(lines[i]);
      if (entry && FoldCase(entry->key) == wantedKey) {
        lines[i] = keyLine;
        replaced = true;
      } else if (!TrimBlanks(lines[i]).empty()) {
        sectionEnd = i + 1;
      }
    }
  }
  if (!replaced && sectionEnd) {
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(*sectionEnd), keyLine);
  } else if (!replaced) {
    lines.push_back("[" + std::string(TrimBlanks(section)) + "]");
    lines.push_back(keyLine);
  }

  std::string text;
  for (const auto& line : lines) {
    text.append(line).append(kCrLf);
  }
  return WriteFileAtomically(path, EncodeTextFile(text).bytes, error);
}

}  // namespace quenby
