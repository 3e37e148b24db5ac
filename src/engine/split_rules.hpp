// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Rules 11 to 14 cut a line in two at an occurrence of the search text;
// rules 21 to 28 keep the line and put a new line, made of part of it and the
// replacement text, before or after it. Two resulting lines are returned
// joined by CR LF; the driver separates them after the pass, so the rule that
// made a new line never visits it. Rule 15 does the reverse of a split: it
// joins lines.

#include <string>
#include <string_view>

#include "engine/engine.hpp"
#include "engine/line_budget.hpp"
#include "engine/line_change.hpp"
#include "engine/line_origins.hpp"
#include "engine/occurrence.hpp"

namespace quenby {

// Which part of a cut line comes first.
enum class FirstPart {
  kStart,  // rules 11, 13: the start part, then the replacement and the end part
  kEnd,    // rules 12, 14: the replacement and the end part, then the start part
};

LineChange SplitLine(Occurrence occurrence, FirstPart first, std::string_view line, std::string_view search,
                     std::string_view replacement);

// The part of the line that a new line copies, next to the replacement text.
enum class CopiedPart {
  kBefore,  // the text before the occurrence, then the replacement
  kAfter,   // the replacement, then the text after the occurrence
};

// Where the new line stands.
enum class Placement {
  kInsert,  // before the line
  kAdd,     // after the line
};

LineChange MakeNewLine(Occurrence occurrence, CopiedPart part, Placement placement, std::string_view line,
                       std::string_view search, std::string_view replacement);

// Rule 15, for continuation lines: a line that starts with the search text, as
// it stands (leading spaces count, so an indentation can be the search text),
// is joined to the nearest line above that is not joined itself: that line
// gets the replacement text and the rest of the joined line after the search
// text, trimmed. The first line has nothing to join to and stays. Works on the
// whole list; never has a problem to report. A traced run passes `origins`:
// the line above gains the sources of each line joined to it.
std::string JoinToLineAbove(const Rule& rule, LineList& lines, LineBudget& budget, LineOrigins* origins);

}  // namespace quenby
