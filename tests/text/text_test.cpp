#include "text/text.hpp"

#include <gtest/gtest.h>

namespace quenby {
namespace {

TEST(Trim, RemovesSpacesOnlyNotTabsOrLineBreaks) {
  EXPECT_EQ(Trim("  a b  "), "a b");
  EXPECT_EQ(Trim("\t a \t"), "\t a \t");
  EXPECT_EQ(Trim(" \r\n"), "\r\n");
  EXPECT_EQ(Trim("    "), "");
  EXPECT_EQ(Trim(""), "");
}

TEST(Find, FirstAndLastOccurrenceAreExactAndCaseSensitive) {
  EXPECT_EQ(FindFirst("a, b, c", ", "), 1U);
  EXPECT_EQ(FindLast("a, b, c", ", "), 4U);
  EXPECT_EQ(FindFirst("John B. Smith", "b."), kNoOccurrence);
  EXPECT_EQ(FindLast("aaa", "aa"), 1U);
  // An empty search text occurs at both ends of a non-empty text only.
  EXPECT_EQ(FindFirst("abc", ""), 0U);
  EXPECT_EQ(FindLast("abc", ""), 3U);
  EXPECT_EQ(FindFirst("", ""), kNoOccurrence);
  EXPECT_EQ(FindLast("", ""), kNoOccurrence);
}

TEST(ReplaceAll, ScansLeftToRightWithoutOverlapOrRescanning) {
  EXPECT_EQ(ReplaceAll("aaaa", "aa", "a"), "aa");
  EXPECT_EQ(ReplaceAll("ab", "a", "aa"), "aab");
  EXPECT_EQ(ReplaceAll("abc", "", "x"), "abc");
  EXPECT_EQ(ReplaceAll("x b. y b.", "b.", ""), "x  y ");
}

TEST(SplitOn, GivesOnePieceMoreThanSeparators) {
  EXPECT_EQ(SplitOn("", "\r\n"), std::vector<std::string>{""});
  EXPECT_EQ(SplitOn("a\r\n\r\nb\r\n", "\r\n"), (std::vector<std::string>{"a", "", "b", ""}));
  EXPECT_EQ(SplitOn("abc", ""), std::vector<std::string>{"abc"});
}

TEST(LineBreaks, ConvertBetweenWidgetAndSystemForms) {
  EXPECT_EQ(LfToCrLf("a\nb\n"), "a\r\nb\r\n");
  EXPECT_EQ(CrLfToLf("a\r\nb\r\n"), "a\nb\n");
  EXPECT_EQ(CrLfToLf(LfToCrLf("x\n\ny")), "x\n\ny");
  EXPECT_EQ(NormaliseLineBreaks("a\nb\r\nc\rd"), "a\r\nb\r\nc\r\nd");
  EXPECT_EQ(NormaliseLineBreaks("\r\r\n"), "\r\n\r\n");
}

}  // namespace
}  // namespace quenby
