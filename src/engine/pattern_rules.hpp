// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Rules 51 to 56: the search text is a pattern (RE2 syntax), matched against
// each line on its own, so "^" and "$" stand for the start and the end of
// the line. The replacement may name the pattern's groups: \1 to \9, and \0
// for the whole match; \\ writes one backslash; \U, \L and \T convert the
// case of what follows (see pattern_replacement.hpp). Pattern rules never
// trim.
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
#include "engine/line_origins.hpp"

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

// Rule 55, a list said in one line with a fact for all its persons ("their
// sons were Olaf, Bjorn and Ragnar"): only a line with a match at its very
// start is split; that first match is the list's lead-in. The line is cut at
// the lead-in and at every later non-empty match, as by rule 54. The
// replacement is "start\Aadded": each piece starts with the start text,
// groups filled in from the match before it, and ends with the added text,
// groups filled in from the lead-in. A piece of spaces alone names nobody
// and goes. Lines without a match at their start stay as they are.
std::string SplitListAddingText(const Rule& rule, LineList& lines, LineBudget& budget);

// Rule 56, a fact in a list's heading ("Children, born at Weymouth:"): a line
// with a match is a heading, and the replacement, groups filled in from its
// first match, is added to the end of every line after it up to the next
// heading. The heading stays. A heading whose replacement names groups of
// which none holds text adds nothing, so an alternative of the pattern
// without those groups ("|^## ") only ends the list above it. A traced run
// passes `origins`: a line that gains a heading's text gains its sources.
std::string AddHeadingTextToLinesBelow(const Rule& rule, LineList& lines, LineBudget& budget, LineOrigins* origins);

}  // namespace quenby
