#include "rules/rule_list.hpp"

#include <gtest/gtest.h>

namespace quenby {
namespace {

using Items = std::vector<std::string>;

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

TEST(RuleList, AddAndInsertPlaceTheRuleAroundTheSelection) {
  RuleList list{{"A", "B", "C"}, 1};
  ApplyAdd(list, kNew);
  EXPECT_EQ(list.items, (Items{"A", "B", kNew, "C"}));
  EXPECT_EQ(list.selected, 1);

  ApplyInsert(list, kNew);
  EXPECT_EQ(list.items, (Items{"A", kNew, "B", kNew, "C"}));
  EXPECT_EQ(list.selected, 2);  // still on B
}

TEST(RuleList, WithoutSelectionAddAppendsAndInsertPrepends) {
  RuleList list;
  ApplyAdd(list, kNew);
  EXPECT_EQ(list.items, Items{kNew});
  list = RuleList{{}, kNoSelection};
  ApplyInsert(list, kNew);
  EXPECT_EQ(list.items, Items{kNew});

  list = RuleList{{"A", "B", "C"}, kNoSelection};
  ApplyAdd(list, "1\t|\tD\t|\t");
  ApplyInsert(list, "1\t|\tZ\t|\t");
  EXPECT_EQ(list.items, (Items{"1\t|\tZ\t|\t", "A", "B", "C", "1\t|\tD\t|\t"}));
  EXPECT_EQ(list.selected, kNoSelection);
}

TEST(RuleList, CancelAndDeleteAnswersLeaveAddAndInsertWithoutEffect) {
  RuleList list{{"A", "B"}, 0};
  for (const auto& answer : {std::string(), kDelete}) {
    ApplyAdd(list, answer);
    ApplyInsert(list, answer);
  }
  EXPECT_EQ(list.items, (Items{"A", "B"}));
  EXPECT_EQ(list.selected, 0);
}

TEST(RuleList, EditReplacesDeletesOrKeepsTheSelectedRule) {
  RuleList list{{"A", "B", "C"}, 1};
  ApplyEdit(list, "");
  EXPECT_EQ(list.items, (Items{"A", "B", "C"}));
  ApplyEdit(list, "B");
  EXPECT_EQ(list.items, (Items{"A", "B", "C"}));
  ApplyEdit(list, kNew);
  EXPECT_EQ(list.items, (Items{"A", kNew, "C"}));
  EXPECT_EQ(list.selected, 1);
  ApplyEdit(list, kDelete);
  EXPECT_EQ(list.items, (Items{"A", "C"}));
  EXPECT_EQ(list.selected, kNoSelection);
  ApplyEdit(list, kNew);  // nothing selected any more
  EXPECT_EQ(list.items, (Items{"A", "C"}));

  list = RuleList{{"A"}, 0};
  ApplyEdit(list, "10\t|\tX\t|\t");  // a code starting with 1 is no delete request
  ApplyEdit(list, kDelete);
  EXPECT_TRUE(list.items.empty());
}

TEST(RuleList, MovesWalkTheSelectedRuleAndStopAtTheEnds) {
  RuleList list{{"A", "B", "C"}, 2};
  ApplyMove(list, 1);
  EXPECT_EQ(list.items, (Items{"A", "B", "C"}));
  EXPECT_EQ(list.selected, 2);
  ApplyMove(list, 0);
  EXPECT_EQ(list.items, (Items{"A", "C", "B"}));
  EXPECT_EQ(list.selected, 1);
  ApplyMove(list, 0);
  ApplyMove(list, 0);
  EXPECT_EQ(list.items, (Items{"C", "A", "B"}));
  EXPECT_EQ(list.selected, 0);

  list.selected = kNoSelection;
  ApplyMove(list, 1);
  EXPECT_EQ(list.items, (Items{"C", "A", "B"}));
  EXPECT_EQ(list.selected, kNoSelection);
}

TEST(RuleList, WorksBeyondThirtyTwoThousandRules) {
  RuleList list{Items(40000, "A"), 39999};
  ApplyInsert(list, kNew);
  ApplyMove(list, 1);
  EXPECT_EQ(list.items[39999], kNew);
  EXPECT_EQ(list.selected, 40000);
  list.selected = 32767;
  ApplyEdit(list, kDelete);
  EXPECT_EQ(list.items.size(), 40000U);
}

}  // namespace
}  // namespace quenby
