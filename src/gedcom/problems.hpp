// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Problems of a people list after a conversion. Wrong structure converts
// without a word: a lone "-" line makes its person the parent of the lines
// below, a spouse line with too few "+" gets no partner. These are the
// places where the marks say something the text can hardly have meant, and
// the dates and sexes within a family that cannot all be right. Families are
// the ones "Process all" writes; dates are read as the standard exports read
// them, and only a date that names one year (exact, about, calculated,
// estimated) is compared, so that a sound family gives no problem at all.

#include <cstddef>
#include <string>
#include <vector>

#include "gedcom/records.hpp"
#include "people/person_line.hpp"

namespace quenby {

struct Problem {
  std::size_t line = 0;  // the people-list line, 1-based
  std::string message;

  bool operator==(const Problem&) const = default;
};

// The problems of `people`, whose lines parse to `details` (one per line, in
// order) and close `families` (FamiliesOf of the same list), in line order.
std::vector<Problem> ProblemsOf(const PeopleList& people, const std::vector<TestVariables>& details,
                                const std::vector<Family>& families);

// The same, parsing the lines and finding the families first.
std::vector<Problem> ProblemsOf(const PeopleList& people);

// A problem as the user reads it, in the converter's check and in the
// window alike: "people line 3: a spouse line with no partner".
std::string ProblemText(const Problem& problem);

}  // namespace quenby
