// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Rules 31, 32, 41 and 42 write the structure the person-line parser reads
// from the start of each people-list line: "+" runs for the generation depth,
// "&" for spouses, the marriage field of a spouse in a fixed layout, and the
// family name of the main line.

#include <string_view>

#include "engine/engine.hpp"
#include "engine/line_change.hpp"

namespace quenby {

// The largest generation number: generation n is written as n - 1 "+".
inline constexpr std::int64_t kMaxGeneration = 32767;

// Rule 31: a line starting with the heading `search` disappears and switches
// the children flag on; from then on every non-empty line gets one "+".
LineChange RecogniseChildren(std::string_view line, std::string_view search, RunState& state);

// Rule 32: a line starting with a generation number gets that many "+" less
// one instead of the number; another line is marked as the spouse of the last
// numbered person above it.
LineChange ConvertGenerationNumber(std::string_view line, RunState& state);

// Rule 41: "&|_M_(place) date name|..." becomes "&name|_M_date (place)|...".
LineChange MoveMarriageData(std::string_view line);

// Rule 42: the family name goes after the name of every main-line person.
LineChange AddFamilyName(std::string_view line, std::string_view familyName);

}  // namespace quenby
