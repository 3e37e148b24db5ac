#pragma once

// Profile (INI) files with the semantics the rules files were written for:
// sections and keys found without regard to letter case, a value is the text
// after "=" with blanks removed at both ends, and one outer pair of double or
// single quotes is removed. Files are read as DecodeTextFile does and written
// as EncodeTextFile does, with CR LF line ends.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quenby {

// One parsed profile file, for reading many keys with a single pass over it.
class IniDocument {
 public:
  static IniDocument Parse(std::string_view text);

  // The value of the first `key` in the first `section`, or nothing.
  std::optional<std::string> Value(std::string_view section, std::string_view key) const;

 private:
  struct Entry {
    std::string key;  // as written, compared without regard to case
    std::string value;
  };
  struct Section {
    std::string name;
    std::vector<Entry> entries;
  };
  std::vector<Section> sections_;
};

// The program's own settings file: the program's directory, the product name
// and ".INI". The directory is the one given at start-up.
void SetProgramDirectory(std::string utf8Directory);
const std::string& ProgramDirectory();
std::string ProgramSettingsFile();

// Reads one value; a missing key, section or file gives `defaultText`. An
// empty `fileName` stands for the settings file and is set to its path.
std::string ReadINIString(std::string_view section, std::string_view key, std::string_view defaultText,
                          std::string& fileName);

// Writes key=value into the section, creating the section and the file when
// missing and overwriting an existing key. An empty `fileName` stands for the
// settings file and is set to its path. Returns false with `error` set when
// the file cannot be written; an existing file is then left as it was.
bool WriteINIString(std::string_view section, std::string_view key, std::string_view value,
                    std::string& fileName, std::string& error);

}  // namespace quenby
