// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Rules 1 to 8: swap a part of the line for the replacement text, or replace
// the whole line. A line the rule does not apply to is left as it is, except
// by rule 1, which trims every line.

#include <string_view>

#include "engine/line_change.hpp"
#include "engine/occurrence.hpp"

namespace quenby {

// Rule 1: every occurrence replaced, then the line trimmed.
LineChange SwapEveryOccurrence(std::string_view line, std::string_view search, std::string_view replacement);

// Rules 2 and 4: the line up to the end of the occurrence becomes the
// replacement text; the rest is trimmed.
LineChange SwapUpToOccurrence(Occurrence occurrence, std::string_view line, std::string_view search,
                              std::string_view replacement);

// Rules 3 and 5: the line from the start of the occurrence becomes the
// replacement text; the part before it is trimmed.
LineChange SwapFromOccurrence(Occurrence occurrence, std::string_view line, std::string_view search,
                              std::string_view replacement);

// Rules 6, 7 and 8: the whole line becomes the replacement text when the
// trimmed line starts with, the trimmed line ends with, or the line contains
// the search text.
enum class LineTest { kStartsWith, kEndsWith, kContains };
LineChange ReplaceWholeLine(LineTest test, std::string_view line, std::string_view search,
                            std::string_view replacement);

}  // namespace quenby
