// SPDX-License-Identifier: GPL-3.0-or-later
// The problems of a people list: one small list per kind, the edges of every
// age and year, and lists that are sound and must give none at all.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/engine.hpp"
#include "gedcom/problems.hpp"
#include "rules/rules_file.hpp"
#include "support/file_test.hpp"
#include "support/golden_table.hpp"
#include "text/encoding.hpp"
#include "text/text.hpp"

namespace quenby {
namespace {

// Each problem as "line: message".
std::vector<std::string> Listed(const PeopleList& people) {
  std::vector<std::string> listed;
  for (const auto& problem : ProblemsOf(people)) {
    listed.push_back(std::to_string(problem.line) + ": " + problem.message);
  }
  return listed;
}

class Problems : public ::testing::TestWithParam<GoldenRow> {};

TEST_P(Problems, AreListedWithTheirPeopleLine) {
  const GoldenRow& c = GetParam();
  EXPECT_EQ(Listed(GoldenLines(c[1])), GoldenLines(c[2])) << c.where << ": " << c[0];
}

INSTANTIATE_TEST_SUITE_P(Golden, Problems, ::testing::ValuesIn(ReadGoldenTable("problems/problems.tsv", 3)));

class ExampleProblems : public FileTest, public ::testing::WithParamInterface<std::string> {};

TEST_P(ExampleProblems, GiveNone) {
  const std::string base = std::string(QUENBY_SOURCE_DIR) + "/examples/" + GetParam();
  const auto rules = LoadRulesFile(base + ".rules");
  ASSERT_EQ(rules.status, LoadStatus::kLoaded);
  const auto input = NormaliseLineBreaks(DecodeTextFile(ReadBytes(base + ".txt")).value());
  const PeopleList people = RunRules(input, rules.items);
  ASSERT_FALSE(people.empty());
  EXPECT_EQ(Listed(people), std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(Examples, ExampleProblems,
                         ::testing::Values("hartley", "chain", "breadth", "ascending", "continuation", "marriages"));

// The families checked are the ones given, as "Process all" writes them.
TEST(ProblemsOf, ReadsTheFamiliesItIsGiven) {
  const PeopleList people = {"John|_S_M|_B_1900", "&Mary|_S_F", "+Tom|_B_1905"};
  std::vector<TestVariables> details;
  for (const auto& line : people) {
    details.push_back(ParsePersonLine(line));
  }
  EXPECT_EQ(ProblemsOf(people, details, {}), (std::vector<Problem>{{2, "a spouse line with no partner"}}));
  EXPECT_EQ(ProblemsOf(people, details, FamiliesOf(people)),
            (std::vector<Problem>{{3, "born in 1905, before the father on people line 1 was 12 (born 1900)"}}));
}

}  // namespace
}  // namespace quenby
