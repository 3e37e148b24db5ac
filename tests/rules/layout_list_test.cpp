// SPDX-License-Identifier: GPL-3.0-or-later
#include "rules/layout_list.hpp"

#include <gtest/gtest.h>

#include "rules/rules_file.hpp"

namespace quenby {
namespace {

TEST(LayoutList, ReadsStemTitleAndDescriptionInOrderSkippingComments) {
  const std::string text =
      "# stem, title, description\r\n"
      "\n"
      "hartley\tNumbered list\tGeneration numbers first\r\n"
      "   \r\n"
      "  # an indented comment\n"
      " chain \t Chain \t One paragraph \n"
      "bare\n"
      "untitled\t\tNo title given";
  const std::vector<LayoutEntry> expected = {{"hartley", "Numbered list", "Generation numbers first"},
                                             {"chain", "Chain", "One paragraph"},
                                             {"bare", "bare", ""},
                                             {"untitled", "untitled", "No title given"}};
  EXPECT_EQ(ParseLayoutList(text), expected);
}

TEST(LayoutList, KeepsNonAsciiTextAndAnEmptyListIsNoLayouts) {
  const auto layouts = ParseLayoutList("schmidt\tDeutsch\t* geboren, † gestorben, März\n");
  ASSERT_EQ(layouts.size(), 1U);
  EXPECT_EQ(layouts[0].description, "* geboren, † gestorben, März");
  EXPECT_TRUE(ParseLayoutList("").empty());
  EXPECT_TRUE(ParseLayoutList("# only a comment\r\n").empty());
}

struct FirstLinesCase {
  const char* text;
  std::size_t count;
  const char* expected;
};

class FirstLinesTest : public testing::TestWithParam<FirstLinesCase> {};

TEST_P(FirstLinesTest, CutsAfterTheLastLineShown) {
  EXPECT_EQ(FirstLines(GetParam().text, GetParam().count), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Previews, FirstLinesTest,
    testing::Values(FirstLinesCase{"a\r\nb\r\nc\r\nd", 2, "a\r\nb"}, FirstLinesCase{"a\r\nb\r\nc", 3, "a\r\nb\r\nc"},
                    FirstLinesCase{"a\r\nb", 5, "a\r\nb"}, FirstLinesCase{"a\r\nb\r\n", 2, "a\r\nb"},
                    FirstLinesCase{"\r\n\r\nx", 2, "\r\n"}, FirstLinesCase{"a\rb\nc\r\nd", 1, "a\rb\nc"},
                    FirstLinesCase{"a\r\nb", 0, ""}, FirstLinesCase{"", 3, ""}));

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
