// SPDX-License-Identifier: GPL-3.0-or-later
// One name splitter used for many names, as an export uses it: nothing of
// one name is left in the next, whatever the order.

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "gedcom/gedcom_names.hpp"

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

// Names that leave a mark of every kind: nicknames, birth and other
// surnames, spellings, open and empty surname marks, titles and suffixes,
// long and short.
constexpr std::array<const char*, 12> kNames = {
    "Dr. Johannes Wilhelmus Maria van der /Berg/ Jr.",
    "Ann",
    "Mary (Polly) Smith n\u00E9e Jones",
    "Jo /Ann",
    "Mary/Maria /Smith/Smyth/",
    "Dr. //",
    "\"Big Tom\" Walker",
    "Henry VIII",
    "Anna\u00A0Maria\u2003/Lee/",
    "Jan /Smith/ / Jr.",
    "Karl geb. 1850",
    "Ann /Smith/",
};

TEST(NameSplitterReuse, EveryNameSplitsAsOnAFreshSplitterAfterAnyOther) {
  std::vector<std::string> fresh;
  for (const char* name : kNames) {
    NameSplitter splitter;
    fresh.push_back(Describe(splitter.Split(name)));
  }
  NameSplitter forward;
  NameSplitter backward;
  for (std::size_t i = 0; i < kNames.size(); ++i) {
    EXPECT_EQ(Describe(forward.Split(kNames[i])), fresh[i]) << kNames[i];
    const std::size_t j = kNames.size() - 1 - i;
    EXPECT_EQ(Describe(backward.Split(kNames[j])), fresh[j]) << kNames[j];
  }
}

}  // namespace
}  // namespace quenby
