// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Reads the persons and families back from a GEDCOM file's text, so a test
// can check who is linked to whom rather than only the bytes: the INDI
// records' names and sexes, the FAM records' partners and children.

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "text/text.hpp"

namespace quenby {

struct ReadPerson {
  std::string name;  // without the "/" around the surname
  std::string sex;
};

struct ReadFamily {
  std::string husband;  // a person's identifier ("@I1@"), or empty
  std::string wife;
  std::vector<std::string> children;
};

struct ReadGedcom {
  std::map<std::string, ReadPerson> persons;  // by identifier
  std::vector<ReadFamily> families;           // in file order

  // A person as "Name (sex)", "?" for an identifier no INDI record has.
  std::string Describe(const std::string& id) const {
    const auto found = persons.find(id);
    return found == persons.end() ? "?" : found->second.name + " (" + found->second.sex + ")";
  }

  // Every family as "husband + wife: child, child", partners that are
  // missing left out.
  std::vector<std::string> DescribeFamilies() const {
    std::vector<std::string> described;
    for (const auto& family : families) {
      std::string text = family.husband.empty() ? "" : Describe(family.husband);
      if (!family.wife.empty()) {
        text += (text.empty() ? "" : " + ") + Describe(family.wife);
      }
      text += ":";
      for (std::size_t i = 0; i < family.children.size(); ++i) {
        text += (i == 0 ? " " : ", ") + Describe(family.children[i]);
      }
      described.push_back(text);
    }
    return described;
  }
};

inline ReadGedcom ReadGedcomText(std::string_view text) {
  ReadGedcom read;
  std::string currentPerson;
  ReadFamily* currentFamily = nullptr;
  for (const auto& line : SplitOn(text, kCrLf)) {
    const auto value = [&line](std::string_view tag) { return line.substr(tag.size()); };
    if (StartsWith(line, "0 ")) {
      currentPerson.clear();
      currentFamily = nullptr;
      if (EndsWith(line, " INDI")) {
        currentPerson = line.substr(2, line.size() - 2 - 5);
        read.persons[currentPerson];
      } else if (EndsWith(line, " FAM")) {
        currentFamily = &read.families.emplace_back();
      }
    } else if (!currentPerson.empty() && StartsWith(line, "1 NAME ")) {
      read.persons[currentPerson].name = ReplaceAll(value("1 NAME "), "/", "");
    } else if (!currentPerson.empty() && StartsWith(line, "1 SEX ")) {
      read.persons[currentPerson].sex = value("1 SEX ");
    } else if (currentFamily && StartsWith(line, "1 HUSB ")) {
      currentFamily->husband = value("1 HUSB ");
    } else if (currentFamily && StartsWith(line, "1 WIFE ")) {
      currentFamily->wife = value("1 WIFE ");
    } else if (currentFamily && StartsWith(line, "1 CHIL ")) {
      currentFamily->children.push_back(value("1 CHIL "));
    }
  }
  return read;
}

}  // namespace quenby
