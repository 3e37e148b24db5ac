// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Profile (INI) files with the semantics the rules files were written for:
// sections and keys found without regard to letter case (A to Z only), blanks
// (spaces and tabs) around section names, keys and values ignored, and one
// outer pair of double or single quotes removed from a value. Lines without
// "=" and lines starting with ";" hold no key; any line break (CR LF, LF or a
// lone CR) ends a line; the first of two equal sections or keys is the one
// a single value is read from (every key of a section, repeats included, can
// be listed in file order). Files are read as DecodeTextFile does and written
// with CR LF line ends as EncodeTextFile encodes them.

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace quenby {

// One key line of a section: the key as written (blanks around it removed,
// letter case kept) and its value as it is read.
struct IniEntry {
  std::string key;
  std::string value;
};

// One parsed profile file, for reading many keys with a single pass over it:
// every lookup costs the same however large the file is.
class IniDocument {
 public:
  static IniDocument Parse(std::string_view text);

  // The value of the first `key` in the first `section`, or nothing. A value
  // is read whole, however long.
  std::optional<std::string> Value(std::string_view section, std::string_view key) const;

  bool HasSection(std::string_view section) const;

  // Every key line of every section named `section`, in the order of the
  // file: a key given twice and the keys of a repeated section are there too.
  std::span<const IniEntry> Entries(std::string_view section) const;

 private:
  // Section names are held case-folded. A section's entries are in file
  // order; `first` finds, by case-folded key, the entry Value reads, which is
  // never one of a repeated section.
  struct Section {
    std::vector<IniEntry> entries;
    std::unordered_map<std::string, std::size_t> first;
  };
  std::unordered_map<std::string, Section> sections_;
};

// The program's own settings file: the program's directory, the product name
// and ".INI". The directory is the one given at start-up; before that the
// file is looked for in the current directory.
void SetProgramDirectory(std::string utf8Directory);
const std::string& ProgramDirectory();
std::string ProgramSettingsFile();

// Reads one value; a missing key, section or file, and a file that cannot be
// read or is not a text file, give `defaultText`. An empty `fileName` stands for the settings file
// and is set to its path.
std::string ReadINIString(std::string_view section, std::string_view key, std::string_view defaultText,
                          std::string& fileName);

// Writes key=value into the first matching section, creating the section and
// the file when missing and overwriting the first matching key; every other
// line is kept. An empty `fileName` stands for the settings file and is set to
// its path. Returns false with `error` set when the file cannot be read or
// written or is not a text file, or when the section, key or value could not be read back as given
// (a line break anywhere, "]" in the section, "=" in the key, an empty key or
// one starting with ";" or "["); an existing file is then left as it was.
bool WriteINIString(std::string_view section, std::string_view key, std::string_view value, std::string& fileName,
                    std::string& error);

}  // namespace quenby
