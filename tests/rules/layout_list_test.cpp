// SPDX-License-Identifier: GPL-3.0-or-later
#include "rules/layout_list.hpp"

#include <gtest/gtest.h>

#include "rules/rules_file.hpp"
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

// Bytes read as a rules file's content: decoded and checked as LoadRulesFile
// does, the file name in any message.
TEST(RulesFromFileBytes, DecodesAndRefusesAsAFileWouldBe) {
  const auto latin = RulesFromFileBytes(
      "[Rules]\r\n1=\"1\t|\tM\xFC"
      "ller\t|\tX\"\r\n",
      "built-in");
  ASSERT_EQ(latin.status, LoadStatus::kLoaded);
  ASSERT_EQ(latin.items.size(), 1U);
  EXPECT_EQ(latin.items[0], "1\t|\tMüller\t|\tX");

  const auto noSection = RulesFromFileBytes("1=\"1\t|\ta\t|\tb\"\r\n", "built-in.rules");
  EXPECT_EQ(noSection.status, LoadStatus::kUnreadable);
  EXPECT_NE(noSection.error.find("\"built-in.rules\""), std::string::npos);
  EXPECT_NE(noSection.error.find("[Rules]"), std::string::npos);

  const auto binary = RulesFromFileBytes(std::string("[Rules]\0\0", 9), "x.rules");
  EXPECT_EQ(binary.status, LoadStatus::kUnreadable);
  EXPECT_TRUE(binary.items.empty());
}

}  // namespace
}  // namespace quenby
