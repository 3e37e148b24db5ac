// SPDX-License-Identifier: GPL-3.0-or-later
#include "rules/layout_list.hpp"

#include <gtest/gtest.h>

#include "support/golden_table.hpp"

namespace quenby {
namespace {

class LayoutTable : public testing::TestWithParam<GoldenRow> {};

TEST_P(LayoutTable, ReadsStemTitleAndDescriptionInOrderSkippingComments) {
  const GoldenRow& c = GetParam();
  std::vector<std::string> layouts;
  for (const LayoutEntry& entry : ParseLayoutList(c[0])) {
    layouts.push_back(entry.stem + "|" + entry.title + "|" + entry.description);
  }
  EXPECT_EQ(layouts, GoldenLines(c[1])) << c.where;
}

INSTANTIATE_TEST_SUITE_P(LayoutList, LayoutTable, testing::ValuesIn(ReadGoldenTable("rules/layouts.tsv", 2)));

class FirstLinesTest : public testing::TestWithParam<GoldenRow> {};

TEST_P(FirstLinesTest, CutsAfterTheLastLineShown) {
  const GoldenRow& c = GetParam();
  EXPECT_EQ(FirstLines(c[0], std::stoul(c[1])), c[2]) << c.where;
}

INSTANTIATE_TEST_SUITE_P(Previews, FirstLinesTest, testing::ValuesIn(ReadGoldenTable("rules/first_lines.tsv", 3)));

}  // namespace
}  // namespace quenby
