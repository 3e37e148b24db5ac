// SPDX-License-Identifier: GPL-3.0-or-later
// Names as the record text holds them, split into their GEDCOM pieces.

#include <gtest/gtest.h>

#include <string>

#include "gedcom/gedcom_names.hpp"
#include "support/golden_table.hpp"

namespace quenby {
namespace {

std::string Pieces(const NameParts& parts) {
  return parts.prefix + "|" + parts.given + "|" + parts.nickname + "|" + parts.surnamePrefix + "|" + parts.surname +
         "|" + parts.suffix;
}

std::string Values(const std::vector<NameParts>& names) {
  std::string out;
  for (const NameParts& parts : names) {
    constexpr const char* kTypes[] = {"", " (birth)", " (married)", " (aka)"};  // in NameType's order
    out += (out.empty() ? "" : " + ") + NameValue(parts) + kTypes[static_cast<int>(parts.type)];
  }
  return out;
}

class NameSplitterTable : public ::testing::TestWithParam<GoldenRow> {};

TEST_P(NameSplitterTable, GivesThePiecesAndTheNameValues) {
  const GoldenRow& c = GetParam();
  NameSplitter splitter;
  const std::vector<NameParts>& names = splitter.Split(c[0]);
  ASSERT_FALSE(names.empty());
  EXPECT_EQ(Pieces(names.front()), c[2]) << c.where;
  EXPECT_EQ(Values(names), c[1]) << c.where;
}

INSTANTIATE_TEST_SUITE_P(Golden, NameSplitterTable, ::testing::ValuesIn(ReadGoldenTable("names/names.tsv", 3)));

}  // namespace
}  // namespace quenby
