// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Rules 33 to 35 give a list its generations from the order of its lines,
// for texts that carry no generation numbers: a chain of "child of the
// person above" lines, an ascending line (child first), and lists of
// children written far below their parent (breadth first, rules 35 and 36);
// rule 37 keeps one line for a person named several times. Each works on
// the whole line list at once and never has a problem to report.
//
// The generation of a line is its leading "+" run; a main line is a line
// that is neither a spouse line ("&" after the run) nor a parent line ("-"
// first).
//
// A traced run passes `origins`: the rules that move lines (34 to 36) say
// where each line went, and rule 37 gives a kept line the sources of the
// lines that joined it. Rule 33 only changes lines where they stand.

#include <string>

#include "engine/engine.hpp"
#include "engine/line_budget.hpp"
#include "engine/line_origins.hpp"

namespace quenby {

// Rule 33: a line whose trimmed text starts with the search text becomes one
// generation deeper than the nearest main line above it, the search text
// removed and the rest trimmed; without a main line above it is of the first
// generation. A spouse line without a "+" run of its own takes the run of the
// nearest main line above it, so the spouse stays with the person. Lines are
// taken from the top down, so a chain of such lines goes one generation
// deeper at each line.
std::string MakeChildOfLineAbove(const Rule& rule, LineList& lines, LineBudget& budget);

// Rule 34: the lines in reverse order, so that an ascending line (child
// first, then parent, grandparent, ...) reads from the eldest down.
std::string ReverseLines(const Rule& rule, LineList& lines, LineBudget& budget, LineOrigins* origins);

// Rule 35: a heading line whose trimmed text starts with the search text
// names a parent: the rest of the heading, trimmed. The lines after it, up to
// the next heading, move to just below the nearest earlier line carrying
// that name (below its spouse and parent lines), each one generation deeper
// than that line; the heading disappears. A line's name is its text before
// the first "|_" without the "+" run, "-" and "&" marks, trimmed, compared
// exactly. Of several earlier lines with the name, the last one above the
// heading is taken; a heading whose name no earlier line carries stays, with
// its lines, where it is.
std::string MoveChildrenListsToTheirParents(const Rule& rule, LineList& lines, LineBudget& budget,
                                            LineOrigins* origins);

// Rule 36: rule 35 with names compared regardless of case, so that a parent
// named in capitals in one place ("JOHN GURNEY") and as "John Gurney" in
// another is one person.
std::string MoveChildrenListsToTheirParentsAnyCase(const Rule& rule, LineList& lines, LineBudget& budget,
                                                   LineOrigins* origins);

// Rule 37, one record per person: a line that names the same person as an
// earlier line of its family goes, and the earlier line gains the later
// line's fields it lacks. The same person: the same "+" run, the same "-"
// and "&" marks, and the same name regardless of case. Its family: no line
// of a shallower "+" run stands between the two. A field is lacking when the
// earlier line has no field of its code, or, for references and notes
// ("R_", "N_"), not that field exactly. A line without a name is never
// taken for another.
std::string KeepOneLinePerPerson(const Rule& rule, LineList& lines, LineBudget& budget, LineOrigins* origins);

}  // namespace quenby
