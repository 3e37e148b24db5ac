// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <array>
#include <limits>
#include <utility>
#include <vector>

#include "rules/catalogue.hpp"
#include "rules/rule_item.hpp"
#include "rules/rule_list.hpp"

namespace quenby {
namespace {

TEST(RuleItem, EncodingJoinsTheFieldsAndDecodingReadsTheFirstThreePiecesBlanksIncluded) {
  EXPECT_EQ(EncodeRuleItem(41, "\tx ", " y\t"), "41\t|\t\tx \t|\t y\t");
  using Fields = std::array<std::string, 3>;
  const std::vector<std::pair<std::string_view, Fields>> cases = {
      {"41\t|\t\tx \t|\t y\t", {"41", "\tx ", " y\t"}},
      {"", {"", "", ""}},
      {"8\t|\tx", {"8", "x", ""}},
      {"1\t|\ta\t|\tb\t|\tc", {"1", "a", "b"}},  // a pasted separator cuts the text
      {"1\t|a|\tb", {"1\t|a|\tb", "", ""}}};
  for (const auto& [item, fields] : cases) {
    const Rule rule = DecodeRuleItem(item);
    EXPECT_EQ((Fields{rule.code, rule.search, rule.replacement}), fields) << item;
  }
}

// Only the codes of the catalogue, written plainly, run; an item without a
// separator is none whatever it starts with.
TEST(RuleItem, ProblemNamesItemsThatCannotRun) {
  for (const auto& entry : RuleCatalogue()) {
    EXPECT_EQ(RuleItemProblem(EncodeRuleItem(entry.code, "", "")), "") << entry.code;
  }
  EXPECT_EQ(RuleItemProblem("8\t|\tx"), "");
  const std::vector<std::pair<std::string_view, std::string_view>> cases = {
      {"99\t|\tx\t|\ty", "its code \"99\" is no rule code"},
      {"011\t|\t\t|\t", "its code \"011\" is no rule code"},
      {" 1\t|\t\t|\t", "its code \" 1\" is no rule code"},
      {"0\t|\t\t|\t", "its code \"0\" is no rule code"},
      {"\t|\tx\t|\ty", "its code \"\" is no rule code"},
      {"1|A|B", "it is no rule item"},
      {"1\t|A|\tB", "it is no rule item"},
      {"", "it is no rule item"}};
  for (const auto& [item, problem] : cases) {
    EXPECT_EQ(RuleItemProblem(item).rfind(problem, 0), 0U) << item;
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
