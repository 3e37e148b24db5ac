// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Personal names of the record text split into their GEDCOM pieces, as the
// standard exports write them: "Dr. Jan van der Berg Jr." has the title
// "Dr." (NPFX), the given name "Jan" (GIVN), the surname particles "van der"
// (SPFX), the surname "Berg" (SURN) and the suffix "Jr." (NSFX). One name
// of the text may give several: "Mary (Polly) Smith née Jones" is Mary
// Smith with the nickname Polly (NICK) as married, and Mary Jones as born;
// "Mary/Maria Smith" is Mary Smith, also known as Maria Smith.

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quenby {

// The kind of a name (TYPE): none for a name as it stands.
enum class NameType { kNone, kBirth, kMarried, kAka };

struct NameParts {
  std::string prefix;         // titles: Dr., Rev., Sir, ...
  std::string given;          // given names
  std::string nickname;       // written in quotes or parentheses: "Polly", (Polly)
  std::string surnamePrefix;  // particles: van, van der, de, von, du, ...
  std::string surname;
  std::string suffix;  // Jr., Sr., II, III, ...
  NameType type = NameType::kNone;
};

// Splits NAME values. The surname is the part between "/" (the last word
// when the name has none, so a one-word name is a given name); particles
// written before the surname belong to it, titles are taken from the front
// and suffixes from the end, also when the record text put a suffix between
// the "/" ("John Smith /Jr./"). Tabs and other blanks count as one space
// and no piece ends with a comma. A "/" inside a word ("Mary/Maria") marks
// another spelling, never the surname. A word such as "née", "geb." or "f."
// introduces the birth surname, "alias" or "genannt" another surname.
class NameSplitter {
 public:
  // The names of `name`, the first as written (married when a birth surname
  // follows), valid until the next call. Never empty.
  const std::vector<NameParts>& Split(std::string_view name);

 private:
  // How the surname is marked: by a pair of "/", by a "/" never closed
  // ("Jo /Ann"), or not at all.
  enum class Marks { kNone, kPair, kOpen };

  // A word of the name, its other spellings included ("Mary/Maria").
  struct Word {
    std::string_view written;  // points into text_
    bool marked = false;       // between the "/" that mark the surname
  };

  std::pair<std::size_t, std::size_t> SurnameMarks(std::string_view text);
  void ReadWords(std::string_view name);

  // What ReadWords read from the name. The buffers are kept from one name
  // to the next, so that an export of many names does not allocate for
  // each.
  std::string text_;  // the name with every blank one space
  std::vector<std::size_t> slashes_;
  std::vector<Word> raw_;    // the words as blanks and marks end them
  std::vector<Word> words_;  // the words without the nickname
  Marks marks_ = Marks::kNone;
  std::size_t markAt_ = 0;  // the words before the surname's first "/"
  std::string nickname_;

  std::vector<std::string_view> these_;
  std::vector<NameParts> names_;
};

// The NAME value: prefix, given names, "/particles surname/", suffix.
std::string NameValue(const NameParts& parts);

}  // namespace quenby
