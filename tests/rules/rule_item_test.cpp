#include "rules/rule_item.hpp"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

#include "rules/catalogue.hpp"

namespace quenby {
namespace {

TEST(RuleItem, EncodingJoinsTheFieldsAsTheyStand) {
  EXPECT_EQ(EncodeRuleItem(32, "", ""), "32\t|\t\t|\t");
  EXPECT_EQ(EncodeRuleItem(41, "\tx ", " y\t"), "41\t|\t\tx \t|\t y\t");
}

struct DecodeCase {
  std::string_view item;
  Rule expected;
};

class DecodeItems : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(DecodeItems, ReadsTheFirstThreePiecesBlanksIncludedAndMissingOnesAsEmpty) {
  const auto rule = DecodeRuleItem(GetParam().item);
  EXPECT_EQ(rule.code, GetParam().expected.code);
  EXPECT_EQ(rule.search, GetParam().expected.search);
  EXPECT_EQ(rule.replacement, GetParam().expected.replacement);
}

INSTANTIATE_TEST_SUITE_P(
    RuleItem, DecodeItems,
    ::testing::Values(DecodeCase{"41\t|\t\tx \t|\t y\t", {"41", "\tx ", " y\t"}}, DecodeCase{"", {"", "", ""}},
                      DecodeCase{"8", {"8", "", ""}}, DecodeCase{"8\t|\tx", {"8", "x", ""}},
                      DecodeCase{"1\t|\ta\t|\tb\t|\tc", {"1", "a", "b"}},  // a pasted separator cuts the text
                      DecodeCase{"1\t|a|\tb", {"1\t|a|\tb", "", ""}}, DecodeCase{"\t|\t\t|\t", {"", "", ""}}));

struct NumberCase {
  std::string_view text;
  long expected;
};

class NumberOfTextCases : public ::testing::TestWithParam<NumberCase> {};

TEST_P(NumberOfTextCases, ReadsOnlyTheLeadingDigits) {
  EXPECT_EQ(NumberOfText(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(RuleItem, NumberOfTextCases,
                         ::testing::Values(NumberCase{"", 0}, NumberCase{"abc", 0}, NumberCase{" 12", 0},
                                           NumberCase{"-5", 0}, NumberCase{"0: Delete this rule", 0},
                                           NumberCase{"007", 7}, NumberCase{"42\t|\tx", 42},
                                           NumberCase{"11: Split", 11}, NumberCase{"1e3", 1},
                                           NumberCase{"99999999999999999999999999", std::numeric_limits<long>::max()}));

TEST(RuleCatalogue, EveryEntryStartsWithItsCodeInRisingOrder) {
  std::vector<int> codes;
  for (const auto& entry : RuleCatalogue()) {
    EXPECT_EQ(NumberOfText(entry.text), entry.code) << entry.text;
    EXPECT_EQ(entry.text.substr(std::to_string(entry.code).size(), 2), ": ") << entry.text;
    codes.push_back(entry.code);
  }
  EXPECT_EQ(codes,
            (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 11, 12, 13, 14, 21, 22, 23, 24, 25, 26, 27, 28, 31, 32, 41, 42}));
  EXPECT_EQ(NumberOfText(kDeleteEntryText), 0);
}

}  // namespace
}  // namespace quenby
