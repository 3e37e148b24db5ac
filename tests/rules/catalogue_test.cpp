// SPDX-License-Identifier: GPL-3.0-or-later
// The table of rule codes: each entry's text naming its own code, one
// operation per code, and the exact code texts that select an entry.

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>

#include "rules/catalogue.hpp"
#include "rules/rule_item.hpp"

namespace quenby {
namespace {

// The editor stores the number its chosen text starts with, and the engine
// runs the operation of the entry with that code: the two must be one entry.
TEST(RuleCatalogue, EachTextStartsWithItsOwnCodeAndEachCodeAndOperationIsUsedOnce) {
  std::set<int> codes;
  std::set<RuleOperation> operations;
  for (const CatalogueEntry& entry : RuleCatalogue()) {
    EXPECT_EQ(NumberOfText(entry.text), entry.code) << entry.text;
    EXPECT_EQ(entry.text.substr(0, std::to_string(entry.code).size() + 2), std::to_string(entry.code) + ": ");
    EXPECT_TRUE(codes.insert(entry.code).second) << entry.code;
    EXPECT_TRUE(operations.insert(entry.operation).second) << entry.text;
  }
}

class CatalogueEntryOfCode : public testing::TestWithParam<std::pair<std::string, int>> {};

// Only the plain decimal form of a listed code selects its entry (0 where
// none is selected).
TEST_P(CatalogueEntryOfCode, SelectsTheEntryOfExactlyThatCode) {
  const auto& [code, expected] = GetParam();
  const CatalogueEntry* entry = CatalogueEntryOf(code);
  EXPECT_EQ(entry ? entry->code : 0, expected) << '"' << code << '"';
}

const std::pair<std::string, int> kCodes[] = {{"1", 1},   {"5", 5},   {"8", 8},   {"15", 15},
                                              {"42", 42}, {"54", 54}, {"0", 0},   {"01", 0},
                                              {" 1", 0},  {"1 ", 0},  {"+1", 0},  {"-1", 0},
                                              {"9", 0},   {"36", 36}, {"55", 55}, {"56", 56},
                                              {"57", 0},  {"541", 0}, {"", 0},    {std::string("1\0", 2), 0}};
INSTANTIATE_TEST_SUITE_P(Codes, CatalogueEntryOfCode, testing::ValuesIn(kCodes));

}  // namespace
}  // namespace quenby
