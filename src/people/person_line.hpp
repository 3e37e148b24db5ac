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

// The marks of a line as the family builder reads them.

// The generation position: the position of the last "+" anywhere in the line,
// counted in characters, 0 when it has none. A name with "é" before a "+"
// moves it by one character, as it reads, not by the two bytes "é" takes in
// UTF-8.
std::size_t GenerationOf(std::string_view line);

// The text right after the generation position, where "&" and "-&" stand.
std::string_view AfterGeneration(std::string_view line);

// A parent line starts with "-": it describes a spouse's parent and is never
// a child.
bool IsParentLine(std::string_view line);

// A spouse line has "&" right after its generation position.
bool IsSpouseLine(std::string_view line);

// The partner of a parent has "-&" right after its generation position.
bool IsParentsPartnerLine(std::string_view line);

// The two parents of a spouse: a parent line that is not a partner of a
// parent ("-"), and right below it the partner of a parent ("-&").
bool IsParentPair(std::string_view upper, std::string_view lower);

}  // namespace quenby
