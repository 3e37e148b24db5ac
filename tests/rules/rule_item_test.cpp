// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <optional>
#include <string>
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
  for (const auto& entry : RuleCatalogue()) {
    EXPECT_EQ(RuleItemProblem(EncodeRuleItem(entry.code, "", "")), "") << entry.code;
  }
}

TEST(RuleItem, NumberOfTextReadsOnlyTheLeadingDigitsAndSaturates) {
  for (const GoldenRow& c : ReadGoldenTable("rules/numbers.tsv", 2)) {
    EXPECT_EQ(NumberOfText(c[0]), std::stol(c[1])) << c.where;
  }
}

std::string PlaceText(std::optional<std::size_t> place) {
  return place ? std::to_string(*place) : "-";
}

TEST(RuleList, PositionsFollowTheSelectionAndAStaleOneCountsAsNone) {
  for (const GoldenRow& c : ReadGoldenTable("rules/positions.tsv", 7)) {
    const std::size_t count = std::stoul(c[0]);
    const long selected = std::stol(c[1]);
    EXPECT_EQ((std::vector{std::to_string(AddPosition(count, selected)),
                           std::to_string(InsertPosition(count, selected)), PlaceText(MoveTarget(count, selected, 0)),
                           PlaceText(MoveTarget(count, selected, 1)), PlaceText(MoveTarget(count, selected, 2))}),
              (std::vector{c[2], c[3], c[4], c[5], c[6]}))
        << c.where;
  }
}

TEST(RuleList, EditorAnswerIsACancelADeleteRequestOrARule) {
  EXPECT_EQ(ClassifyEditorAnswer(""), EditorAnswer::kCancelled);
  EXPECT_EQ(ClassifyEditorAnswer("0\t|\tB\t|\t"), EditorAnswer::kDelete);
  // Only the first character counts: code 10 is a rule, not a delete.
  EXPECT_EQ(ClassifyEditorAnswer("10\t|\tX\t|\t"), EditorAnswer::kRule);
}

}  // namespace
}  // namespace quenby
