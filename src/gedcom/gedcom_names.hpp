// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Personal names of the record text split into their GEDCOM pieces, as the
// standard exports write them: "Dr. Jan van der Berg Jr." has the title
// "Dr." (NPFX), the given name "Jan" (GIVN), the surname particles "van der"
// (SPFX), the surname "Berg" (SURN) and the suffix "Jr." (NSFX).

#include <string>
#include <string_view>
#include <vector>

namespace quenby {

struct NameParts {
  std::string prefix;         // titles: Dr., Rev., Sir, ...
  std::string given;          // given names
  std::string surnamePrefix;  // particles: van, van der, de, von, du, ...
  std::string surname;
  std::string suffix;  // Jr., Sr., II, III, ...
};

// Splits NAME values. The surname is the part between "/" (the last word
// when the name has none, so a one-word name is a given name); particles
// written before the surname belong to it, titles are taken from the front
// and suffixes from the end, also when the record text put a suffix between
// the "/" ("John Smith /Jr./").
class NameSplitter {
 public:
  // The pieces of `name`, valid until the next call.
  const NameParts& Split(std::string_view name);

 private:
  std::vector<std::string_view> words_;
  NameParts parts_;
};

// The NAME value: prefix, given names, "/particles surname/", suffix.
std::string NameValue(const NameParts& parts);

}  // namespace quenby
