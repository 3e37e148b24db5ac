#include "rules/rule_list.hpp"

#include <gtest/gtest.h>

namespace quenby {
namespace {

const std::string kNew = "1\t|\tnew\t|\t";
const std::string kDelete = "0\t|\tB\t|\t";

struct PositionCase {
  std::size_t count;
  long selected;
  std::size_t add;
  std::size_t insert;
  std::optional<std::size_t> up;
  std::optional<std::size_t> down;
};

class RulePositions : public ::testing::TestWithParam<PositionCase> {};

TEST_P(RulePositions, FollowTheSelection) {
  const auto& c = GetParam();
  EXPECT_EQ(AddPosition(c.count, c.selected), c.add);
  EXPECT_EQ(InsertPosition(c.count, c.selected), c.insert);
  EXPECT_EQ(MoveTarget(c.count, c.selected, 0), c.up);
  EXPECT_EQ(MoveTarget(c.count, c.selected, 1), c.down);
  EXPECT_EQ(MoveTarget(c.count, c.selected, 2), std::nullopt);
}

constexpr auto kNone = std::nullopt;

INSTANTIATE_TEST_SUITE_P(RuleList, RulePositions,
                         ::testing::Values(PositionCase{0, kNoSelection, 0, 0, kNone, kNone},
                                           PositionCase{3, kNoSelection, 3, 0, kNone, kNone},
                                           PositionCase{3, 0, 1, 0, kNone, 1}, PositionCase{3, 1, 2, 1, 0, 2},
                                           PositionCase{3, 2, 3, 2, 1, kNone}, PositionCase{1, 0, 1, 0, kNone, kNone},
                                           PositionCase{3, 3, 3, 0, kNone, kNone},  // stale selection
                                           PositionCase{3, -7, 3, 0, kNone, kNone},
                                           PositionCase{40000, 39999, 40000, 39999, 39998, kNone},
                                           PositionCase{40000, 32767, 32768, 32767, 32766, 32768}));

TEST(RuleList, EditorAnswerIsACancelADeleteRequestOrARule) {
  EXPECT_EQ(ClassifyEditorAnswer(""), EditorAnswer::kCancelled);
  EXPECT_EQ(ClassifyEditorAnswer(kDelete), EditorAnswer::kDelete);
  EXPECT_EQ(ClassifyEditorAnswer(kNew), EditorAnswer::kRule);
  // Only the first character counts: code 10 is a rule, not a delete.
  EXPECT_EQ(ClassifyEditorAnswer("10\t|\tX\t|\t"), EditorAnswer::kRule);
}

}  // namespace
}  // namespace quenby
