// SPDX-License-Identifier: GPL-3.0-or-later
// Each rule code: what a pass leaves of a line; the generation, children and
// date decisions the rules make; rules 15 and 33 to 35 over whole lists; and
// rules 51 to 54, patterns over each line, with linear matching time.

#include <gtest/gtest.h>
#include <re2/re2.h>

#include <string>
#include <vector>

#include "engine/date_test.hpp"
#include "engine/engine.hpp"
#include "rules/rule_item.hpp"
#include "support/golden_table.hpp"
#include "text/text.hpp"

namespace quenby {
namespace {

class LineRules : public ::testing::TestWithParam<GoldenRow> {};

TEST_P(LineRules, LeaveTheseLinesOnceThePassIsOver) {
  const GoldenRow& c = GetParam();
  RunState state;
  EXPECT_EQ(SplitLines({ApplyRule(Rule{c[0], c[1], c[2]}, c[3], state)}), GoldenLines(c[4])) << c.where;
}

INSTANTIATE_TEST_SUITE_P(Golden, LineRules, ::testing::ValuesIn(ReadGoldenTable("rule_codes/line_rules.tsv", 5)));

class ConvertGenerationNumber : public ::testing::TestWithParam<GoldenRow> {};

TEST_P(ConvertGenerationNumber, GivesThisLineAndGeneration) {
  const GoldenRow& c = GetParam();
  RunState state{std::stoll(c[0]), false};
  EXPECT_EQ(ApplyRule(Rule{"32", "", ""}, c[1], state), c[2]) << c.where;
  EXPECT_EQ(state.generation, std::stoll(c[3])) << c.where;
}

INSTANTIATE_TEST_SUITE_P(Golden, ConvertGenerationNumber,
                         ::testing::ValuesIn(ReadGoldenTable("rule_codes/generations.tsv", 4)));

TEST(ConvertGenerationNumber, TheLargestGenerationIsAGeneration) {
  RunState state{1, false};
  EXPECT_EQ(ApplyRule(Rule{"32", "", ""}, "32767 X", state), std::string(32766, '+') + "X");
  EXPECT_EQ(state.generation, 32767);
}

TEST(IsNumberOrDate, AcceptsNumbersAndRealDatesInTheDayMonthYearForms) {
  for (const GoldenRow& c : ReadGoldenTable("rule_codes/numbers_and_dates.tsv", 2)) {
    EXPECT_EQ(IsNumberOrDate(c[0]), c[1] == "yes") << c.where;
  }
}

class ListRules : public ::testing::TestWithParam<GoldenRow> {};

TEST_P(ListRules, GiveThesePeopleLists) {
  const GoldenRow& c = GetParam();
  const LineList people = RunRules(ReplaceAll(c[4], "\n", kCrLf), {EncodeRuleItem(std::stol(c[1]), c[2], c[3])});
  EXPECT_EQ(people, GoldenLines(c[5])) << c.where << ": " << c[0];
}

INSTANTIATE_TEST_SUITE_P(Golden, ListRules, ::testing::ValuesIn(ReadGoldenTable("rule_codes/list_rules.tsv", 6)));

// A breadth-first list of 100,000 people, ten children to a parent, with a
// heading that names nobody after every parent's list; then lists nested as
// deep as they go, and 100,000 continuation lines and chain lines.
TEST(LongLists, TakeTimeInProportionToTheLengthOfTheList) {
  std::string breadthFirst = "P0";
  for (std::size_t parent = 0; 10 * parent + 10 < 100000; ++parent) {
    breadthFirst += "\r\nChildren of P" + std::to_string(parent);
    for (std::size_t child = 10 * parent + 1; child <= 10 * parent + 10; ++child) {
      breadthFirst += "\r\nP" + std::to_string(child);
    }
    breadthFirst += "\r\nChildren of nobody " + std::to_string(parent);
  }
  std::string nested = "Q0";
  for (std::size_t level = 1; level < 5000; ++level) {
    nested += "\r\nChildren of Q" + std::to_string(level - 1) + "\r\nQ" + std::to_string(level);
  }
  std::string continued = "John";
  std::string chain = "Robert";
  for (std::size_t i = 0; i < 100000; ++i) {
    continued += "\r\n   more";
    chain += i % 10 == 0 ? "\r\nRobert" : i % 2 ? "\r\nchild: x" : "\r\n&y";
  }

  const LineList depthFirst = RunRules(breadthFirst, {EncodeRuleItem(35, "Children of ", "")});
  const LineList deep = RunRules(nested, {EncodeRuleItem(35, "Children of ", "")});
  const LineList joined = RunRules(continued, {EncodeRuleItem(15, "   ", " ")});
  const LineList generations = RunRules(chain, {EncodeRuleItem(33, "child:", "")});

  ASSERT_GE(depthFirst.size(), 5u);
  EXPECT_EQ(LineList(depthFirst.begin(), depthFirst.begin() + 5),
            (LineList{"P0", "+P1", "++P11", "+++P111", "++++P1111"}));
  EXPECT_EQ(depthFirst.size(), 99991u + 9999u);  // the people and the headings that name nobody
  ASSERT_EQ(deep.size(), 5000u);
  EXPECT_EQ(deep.back(), std::string(4999, '+') + "Q4999");
  ASSERT_EQ(joined.size(), 1u);
  EXPECT_EQ(joined.front().size(), 4 + 100000 * 5u);
  EXPECT_EQ(generations.size(), 100001u);
  EXPECT_EQ(generations[11], "Robert");
  EXPECT_EQ(LineList(generations.begin() + 8, generations.begin() + 11), (LineList{"++++x", "++++&y", "+++++x"}));
}

class PatternTable : public ::testing::TestWithParam<GoldenRow> {};

TEST_P(PatternTable, GivesThesePeopleLists) {
  const GoldenRow& c = GetParam();
  RunReport report;
  EXPECT_EQ(RunRules(c[3], {EncodeRuleItem(std::stol(c[0]), c[1], c[2])}, report), GoldenLines(c[4])) << c.where;
  EXPECT_TRUE(report.warnings.empty()) << c.where;
}

INSTANTIATE_TEST_SUITE_P(Golden, PatternTable,
                         ::testing::ValuesIn(ReadGoldenTable("rule_codes/pattern_rules.tsv", 5, {1, 2})));

TEST(PatternRules, AnInvalidPatternOrReplacementRunsAsNothingAndIsReportedOncePerRule) {
  const std::vector<std::string> rules = {EncodeRuleItem(51, "(a", "x"), EncodeRuleItem(1, "b", "c"),
                                          EncodeRuleItem(54, "a", R"(\1)"), EncodeRuleItem(53, "(a", "")};
  RunReport report;
  EXPECT_EQ(RunRules("ab\r\nab\r\nb", rules, report), (LineList{"ac", "ac", "c"}));
  ASSERT_EQ(report.warnings.size(), 3u);
  EXPECT_EQ(report.warnings[0].rfind("Rule 1 (code 51, search text \"(a\") did nothing: the pattern is not valid: ", 0),
            0u)
      << report.warnings[0];
  EXPECT_NE(report.warnings[1].find("Rule 3 (code 54"), std::string::npos);
  EXPECT_NE(report.warnings[1].find("replacement"), std::string::npos);
  EXPECT_NE(report.warnings[2].find("Rule 4 (code 53"), std::string::npos);
}

TEST(PatternRules, TheEditorRefusesWhatCannotRunAndReplacementsThatRanBeforeWriteWhatTheyWrote) {
  for (const GoldenRow& c : ReadGoldenTable("rule_codes/replacements.tsv", 4, {2})) {
    EXPECT_EQ(RuleProblem(Rule{c[0], c[1], c[2]}) == "", c[3] != "refused") << c.where;
    if (c[3] == "as before") {
      std::string expected = "ab ab a";
      RE2::GlobalReplace(&expected, RE2(c[1]), c[2]);
      EXPECT_EQ(RunRules("ab ab a", {EncodeRuleItem(std::stol(c[0]), c[1], c[2])}), LineList{expected}) << c.where;
    }
  }
}

TEST(PatternRules, MatchInLinearTimeOnLongLinesAndLongLists) {
  const std::string longLine(100000, 'a');
  LineList many(100000, "John b. 1850 m. 1875 Mary");
  std::string manyText;
  for (const auto& line : many) {
    manyText.append(line).append("\r\n");
  }
  for (const long code : {51, 52, 53, 54}) {
    EXPECT_EQ(RunRules(longLine, {EncodeRuleItem(code, "(a*)*b", "x")}), code == 53 ? LineList{} : LineList{longLine});
    EXPECT_EQ(RunRules(longLine + "b", {EncodeRuleItem(code, "(a*)*b", "x")}),
              code == 53 ? LineList{longLine + "b"} : LineList{"x"});
  }
  EXPECT_EQ(RunRules(manyText, {EncodeRuleItem(51, R"( (b|m)\. )", R"(|_\1_)")}).front(), "John|_b_1850|_m_1875 Mary");
}

}  // namespace
}  // namespace quenby
