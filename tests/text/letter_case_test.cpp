// SPDX-License-Identifier: GPL-3.0-or-later
// Capitals, small letters, title case and case folding of UTF-8 text:
// accented Latin, Greek and Cyrillic letters, "ß", and the characters at the
// boundaries of UTF-8, which pass unchanged.

#include "text/letter_case.hpp"

#include <gtest/gtest.h>

#include <string>

#include "support/golden_table.hpp"

namespace quenby {
namespace {

class LetterCase : public testing::TestWithParam<GoldenRow> {};

TEST_P(LetterCase, GivesCapitalsSmallLettersAndTitleCase) {
  const GoldenRow& c = GetParam();
  EXPECT_EQ(ToUpperCase(c[0]), c[1]) << c.where;
  EXPECT_EQ(ToLowerCase(c[0]), c[2]) << c.where;
  EXPECT_EQ(ToTitleCase(c[0]), c[3]) << c.where;
  // Folding ignores every difference the three conversions make.
  for (std::size_t i = 1; i <= 3; ++i) {
    EXPECT_EQ(FoldCase(c[i]), FoldCase(c[0])) << c.where;
  }
}

INSTANTIATE_TEST_SUITE_P(Golden, LetterCase, testing::ValuesIn(ReadGoldenTable("text/letter_case.tsv", 4)));

TEST(FoldCase, MakesNamesThatDifferOnlyInCaseEqualAndKeepsOthersApart) {
  for (const GoldenRow& c : ReadGoldenTable("text/fold_case.tsv", 3)) {
    EXPECT_EQ(FoldCase(c[0]) == FoldCase(c[1]), c[2] == "same") << c.where;
  }
}

}  // namespace
}  // namespace quenby
