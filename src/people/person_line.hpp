// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The person line of the people list and its parser. A line is the prefix
// markers ("+" run, "-", "&"), the name part, and fields introduced by "|_"
// and a two-character code; the parser turns it into the ten test variables.

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace quenby {

inline constexpr std::size_t kTestVariableCount = 10;
using TestVariables = std::array<std::string, kTestVariableCount>;

// Index of each test variable.
enum Detail : std::size_t {
  kFullName = 0,
  kSex = 1,
  kBirthDate = 2,
  kBirthPlace = 3,
  kDeathDate = 4,
  kDeathPlace = 5,
  kMarriageDate = 6,
  kMarriagePlace = 7,
  kReferences = 8,
  kNotes = 9,
};

TestVariables ParsePersonLine(std::string_view line);

}  // namespace quenby
