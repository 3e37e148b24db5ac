// SPDX-License-Identifier: GPL-3.0-or-later
// The table of rule codes: each entry's text naming its own code, one
// operation per code, and the exact code texts that select an entry.

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "rules/catalogue.hpp"
#include "rules/rule_item.hpp"
#include "support/golden_table.hpp"

namespace quenby {
namespace {

// The editor stores the number its chosen text starts with, and the engine
// runs the operation of the entry with that code: the two must be one entry.
TEST(RuleCatalogue, EachTextStartsWithItsOwnCodeAndEachCodeAndOperationIsUsedOnce) {
  std::set<int> codes;
  std::set<RuleOperation> operations;
  for (const CatalogueEntry& entry : RuleCatalogue()) {
    EXPECT_EQ(NumberOfText(entry.text), entry.code) << entry.text;
    EXPECT_TRUE(codes.insert(entry.code).second) << entry.code;
    EXPECT_TRUE(operations.insert(entry.operation).second) << entry.text;
  }
}

TEST(CatalogueEntryOf, SelectsTheEntryOfExactlyThatCode) {
  for (const GoldenRow& c : ReadGoldenTable("rules/catalogue_codes.tsv", 2)) {
    const CatalogueEntry* entry = CatalogueEntryOf(c[0]);
    EXPECT_EQ(entry ? entry->code : 0, std::stoi(c[1])) << c.where;
  }
}

}  // namespace
}  // namespace quenby
