// SPDX-License-Identifier: GPL-3.0-or-later
#include "people/person_line.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "support/golden_table.hpp"

namespace quenby {
namespace {

class PersonLines : public testing::TestWithParam<GoldenRow> {};

TEST_P(PersonLines, FillTheTestVariablesFromTheNameAndTheFields) {
  const GoldenRow& c = GetParam();
  TestVariables expected;
  std::copy(c.fields.begin() + 1, c.fields.end(), expected.begin());
  EXPECT_EQ(ParsePersonLine(c[0]), expected) << c.where;
}

INSTANTIATE_TEST_SUITE_P(ParsePersonLine, PersonLines,
                         testing::ValuesIn(ReadGoldenTable("people/person_lines.tsv", 1 + kTestVariableCount)));

class GenerationMarks : public testing::TestWithParam<GoldenRow> {};

TEST_P(GenerationMarks, EndAtTheLastPlusAnywhereInTheLineCountedInCharacters) {
  const GoldenRow& c = GetParam();
  EXPECT_EQ(GenerationOf(c[0]), std::stoul(c[1])) << c.where;
  EXPECT_EQ(AfterGeneration(c[0]), c[2]) << c.where;
  EXPECT_EQ(IsSpouseLine(c[0]), c[3] == "1") << c.where;
  EXPECT_EQ(IsParentsPartnerLine(c[0]), c[4] == "1") << c.where;
}

INSTANTIATE_TEST_SUITE_P(PersonLineMarks, GenerationMarks, testing::ValuesIn(ReadGoldenTable("people/marks.tsv", 5)));

}  // namespace
}  // namespace quenby
