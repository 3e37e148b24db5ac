// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Rules 51 to 54: the search text is a pattern (RE2 syntax), matched against
// each line on its own, so "^" and "$" stand for the start and the end of
// the line. The replacement may name the pattern's groups: \1 to \9, and \0
// for the whole match; \\ writes one backslash. Pattern rules never trim.
//
// RE2 finds one match in time linear in the line. Each later match is
// searched for from the end of the one before, so a pattern that must read
// to the end of the line to choose each of many matches ("a.*b|a") costs
// the number of matches times the line's length; no pattern backtracks.
//
// Each works on the whole line list, so that its pattern is compiled once per
// run and not once per line. A pattern or a replacement that is not valid
// leaves every line as it is and is returned as the rule's problem; the
// empty text means the rule ran.

#include <string>

#include "engine/engine.hpp"
#include "engine/line_budget.hpp"

namespace quenby {

// Rule 51: every match replaced; lines without a match stay as they are.
std::string ReplaceEveryMatch(const Rule& rule, LineList& lines, LineBudget& budget);

// Rule 52: a line with a match becomes the replacement, its groups filled in
// from the first match; an empty replacement removes the line.
std::string ReplaceMatchingLines(const Rule& rule, LineList& lines, LineBudget& budget);

// Rule 53: every line without a match is removed. The replacement is not used.
std::string KeepMatchingLines(const Rule& rule, LineList& lines, LineBudget& budget);

// Rule 54: a line is cut at every non-empty match into pieces, one line each;
// every piece after the first starts with the replacement, its groups filled
// in from the match before the piece. An empty match cuts nothing.
std::string SplitAtEveryMatch(const Rule& rule, LineList& lines, LineBudget& budget);

}  // namespace quenby
