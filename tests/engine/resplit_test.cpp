// SPDX-License-Identifier: GPL-3.0-or-later
// The re-split of lists whose entries are plain, empty or cut by CR LF, the
// lists that joining and splitting rules leave: the lines it gives and the
// entries each line holds characters of.

#include "engine/resplit.hpp"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "text/text.hpp"

namespace quenby {
namespace {

// A list of such entries re-split: every non-empty entry cut at its CR LF,
// each piece holding characters of that entry only.
struct Expected {
  LineList lines;
  std::vector<std::vector<std::uint32_t>> owners;
};

Expected ExpectedOf(const LineList& entries) {
  Expected expected;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (entries[i].empty()) {
      continue;
    }
    for (std::string& piece : SplitOn(entries[i], kCrLf)) {
      expected.lines.push_back(std::move(piece));
      expected.owners.push_back({static_cast<std::uint32_t>(i)});
    }
  }
  return expected;
}

std::vector<std::vector<std::uint32_t>> OwnersOf(const PieceOwners& owners, std::size_t lines) {
  std::vector<std::vector<std::uint32_t>> result;
  for (std::size_t j = 0; j < lines; ++j) {
    const std::size_t end = j + 1 < owners.start.size() ? owners.start[j + 1] : owners.entries.size();
    result.emplace_back(owners.entries.begin() + owners.start[j], owners.entries.begin() + end);
  }
  return result;
}

TEST(Resplit, PlainEmptyAndCutEntriesGiveTheirPiecesWithTheirOwnEntries) {
  static const std::vector<std::string> kEntries = {"", "", "a", "b c", "@X1@", "d\r\ne", "f\r\ng\r\nh"};
  std::mt19937 random(5);
  for (int round = 0; round < 5000; ++round) {
    LineList entries(1 + random() % 8);
    for (auto& entry : entries) {
      entry = kEntries[random() % kEntries.size()];
    }
    const Expected expected = ExpectedOf(entries);
    for (const bool traced : {false, true}) {
      MarkedLines list = Mark(entries);
      MarkedLines spare;
      PieceOwners owners;
      Resplit(list, spare, traced ? &owners : nullptr);
      ASSERT_EQ(list.lines, expected.lines) << testing::PrintToString(entries);
      ASSERT_EQ(list.plain, std::vector<bool>(expected.lines.size(), true)) << testing::PrintToString(entries);
      if (traced && !owners.unchanged) {
        ASSERT_EQ(OwnersOf(owners, list.lines.size()), expected.owners) << testing::PrintToString(entries);
      }
    }
  }
}

TEST(Resplit, ALoneBreakNextToAnEmptiedEntryStillJoinsItsNeighbours) {
  // An LF ending one entry and a CR starting the next go together even with
  // an emptied entry between them; the plain entries around stay whole.
  MarkedLines list = Mark({"a", "b\n", "", "\rc", "", "d"});
  MarkedLines spare;
  PieceOwners owners;
  Resplit(list, spare, &owners);
  EXPECT_EQ(list.lines, (LineList{"a", "bc", "d"}));
  EXPECT_EQ(OwnersOf(owners, list.lines.size()), (std::vector<std::vector<std::uint32_t>>{{0}, {1, 3}, {5}}));
}

}  // namespace
}  // namespace quenby
