// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <array>
#include <limits>
#include <utility>
#include <vector>

#include "rules/catalogue.hpp"
#include "rules/rule_item.hpp"
#include "rules/rule_list.hpp"
#include "support/golden_table.hpp"

namespace quenby {
namespace {

class RuleItem : public testing::TestWithParam<GoldenRow> {};

TEST_P(RuleItem, DecodesTheFieldsAndNamesWhatCannotRun) {
  const GoldenRow& c = GetParam();
  const Rule rule = DecodeRuleItem(c[0]);
  EXPECT_EQ((std::vector<std::string>{rule.code, rule.search, rule.replacement}), (std::vector{c[1], c[2], c[3]}))
      << c.where;
  EXPECT_EQ(RuleItemProblem(c[0]).substr(0, c[4].size()), c[4]) << c.where;
  EXPECT_EQ(RuleItemProblem(c[0]).empty(), c[4].empty()) << c.where;
}

INSTANTIATE_TEST_SUITE_P(Golden, RuleItem, testing::ValuesIn(ReadGoldenTable("rules/items.tsv", 5)));

TEST(RuleItem, EveryCodeOfTheCatalogueEncodesToAnItemThatRuns) {
  EXPECT_EQ(EncodeRuleItem(41, "\tx ", " y\t"), "41\t|\t\tx \t|\t y\t");
  for (const auto& entry : RuleCatalogue()) {
    EXPECT_EQ(RuleItemProblem(EncodeRuleItem(entry.code, "", "")), "") << entry.code;
  }
}

TEST(RuleItem, NumberOfTextReadsOnlyTheLeadingDigitsAndSaturates) {
  const std::vector<std::pair<std::string_view, long>> cases = {
      {"", 0},    {" 12", 0},        {"-5", 0},  {"0: Delete this rule", 0},
      {"007", 7}, {"11: Split", 11}, {"1e3", 1}, {"99999999999999999999999999", std::numeric_limits<long>::max()}};
  for (const auto& [text, number] : cases) {
    EXPECT_EQ(NumberOfText(text), number) << text;
  }
}

TEST(RuleList, PositionsFollowTheSelectionAndAStaleOneCountsAsNone) {
  // Without a selection in the list, add goes to the end and insert to the start.
  for (const long none : {kNoSelection, 3L, -7L}) {
    EXPECT_EQ(AddPosition(3, none), 3U) << none;
    EXPECT_EQ(InsertPosition(3, none), 0U) << none;
    EXPECT_EQ(MoveTarget(3, none, 1), std::nullopt) << none;
  }
  EXPECT_EQ(AddPosition(0, kNoSelection), 0U);
  EXPECT_EQ(MoveTarget(3, 0, 0), std::nullopt);
  EXPECT_EQ(MoveTarget(3, 2, 1), std::nullopt);
  EXPECT_EQ(MoveTarget(3, 1, 2), std::nullopt);
  // No 16-bit limit on long lists.
  EXPECT_EQ(AddPosition(40000, 32767), 32768U);
  EXPECT_EQ(InsertPosition(40000, 32767), 32767U);
  EXPECT_EQ(MoveTarget(40000, 32767, 0), 32766U);
  EXPECT_EQ(MoveTarget(40000, 32767, 1), 32768U);
}

TEST(RuleList, EditorAnswerIsACancelADeleteRequestOrARule) {
  EXPECT_EQ(ClassifyEditorAnswer(""), EditorAnswer::kCancelled);
  EXPECT_EQ(ClassifyEditorAnswer("0\t|\tB\t|\t"), EditorAnswer::kDelete);
  // Only the first character counts: code 10 is a rule, not a delete.
  EXPECT_EQ(ClassifyEditorAnswer("10\t|\tX\t|\t"), EditorAnswer::kRule);
}

}  // namespace
}  // namespace quenby
