// SPDX-License-Identifier: GPL-3.0-or-later
// One name splitter used for many names, as an export uses it: nothing of
// one name is left in the next, whatever the order.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gedcom/gedcom_names.hpp"
#include "support/golden_table.hpp"

namespace quenby {
namespace {

std::string Describe(const std::vector<NameParts>& names) {
  std::string out;
  for (const NameParts& parts : names) {
    out += NameValue(parts) + "|" + parts.prefix + "|" + parts.given + "|" + parts.nickname + "|" +
           parts.surnamePrefix + "|" + parts.surname + "|" + parts.suffix + "|" +
           std::to_string(static_cast<int>(parts.type)) + ";";
  }
  return out;
}

// Every name of the names table and a few more: nicknames, birth and other
// surnames, spellings, open and empty surname marks, titles and suffixes,
// long and short.
TEST(NameSplitterReuse, EveryNameSplitsAsOnAFreshSplitterAfterAnyOther) {
  std::vector<std::string> names = {"Dr. Johannes Wilhelmus Maria van der /Berg/ Jr.", "Mary/Maria /Smith/Smyth/",
                                    "Dr. //", "Jan /Smith/ / Jr."};
  for (const GoldenRow& row : ReadGoldenTable("names/names.tsv", 3)) {
    names.push_back(row[0]);
  }
  std::vector<std::string> fresh;
  for (const std::string& name : names) {
    NameSplitter splitter;
    fresh.push_back(Describe(splitter.Split(name)));
  }
  NameSplitter forward;
  NameSplitter backward;
  for (std::size_t i = 0; i < names.size(); ++i) {
    EXPECT_EQ(Describe(forward.Split(names[i])), fresh[i]) << names[i];
    const std::size_t j = names.size() - 1 - i;
    EXPECT_EQ(Describe(backward.Split(names[j])), fresh[j]) << names[j];
  }
}

}  // namespace
}  // namespace quenby
