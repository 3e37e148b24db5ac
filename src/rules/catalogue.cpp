// SPDX-License-Identifier: GPL-3.0-or-later
#include "rules/catalogue.hpp"

#include <algorithm>
#include <string>

namespace quenby {

// The entry texts are what users know and what their notes quote, so they
// keep their wording and spelling, flaws included.
const std::array<CatalogueEntry, kCatalogueSize>& RuleCatalogue() {
  static constexpr std::array<CatalogueEntry, kCatalogueSize> kEntries = {{
      {1, "1: Swap the search text to the replace text (can replace more than 1 occurance)"},
      {2, "2: Swap all from the start of the line, to the end of the _first_ occurance of the search text"},
      {3, "3: Swap all from the start of the _first_ occurance of the search text, to the end of the line"},
      {4, "4: Swap all from the start of the line, to the end of the _last_ occurance of the search text"},
      {5, "5: Swap all from the start of the _last_ occurance of the search text, to the end of the line"},
      {6, "6: Replace/remove the entire line if it starts with the search text"},
      {7, "7: Replace/remove the entire line if it ends with the search text"},
      {8, "8: Replace/remove the entire line if it contains the search text"},
      {11,
       "11: Split the line at the _first_ occurance of the search text (replacing it). Start part is the first line"},
      {12, "12: Split the line at the _first_ occurance of the search text (replacing it). End part is the first line"},
      {13,
       "13: Split the line at the _last_ occurance of the search text (replacing it). Start part is the first line"},
      {14, "14: Split the line at the _last_ occurance of the search text (replacing it). End part is the first line"},
      {21, "21: Insert a new line [Text before the _first_ occurance of the search text & the replacement text]"},
      {22, "22: Add a new line [Text before the _first_ occurance of the search text & the replacement text"},
      {23, "23: Insert a new line [Replacement text & the text from after the _first_ occurance of the search text]"},
      {24, "24: Add a new line [Replacement text & the text from after the _first_ occurance of the search text]"},
      {25, "25: Insert a new line [Text before the _last_ occurance of the search text & the replacement text]"},
      {26, "26: Add a new line [Text before the _last_ occurance of the search text & the replacement text"},
      {27, "27: Insert a new line [Replacement text & the text from after the _last_ occurance of the search text]"},
      {28, "28: Add a new line [Replacement text & the text from after the _last_ occurance of the search text]"},
      {31, "31: Recognise children based on the search text"},
      {32, "32: Convert generation numbers"},
      {41, "41: Move marriage data to after the persons name (place in brackets)"},
      {42, "42: Add replace text as Family Name of all people in the mainline"},
      // Later codes keep the numbering by family: 15 joins where 11 to 14
      // split, 33 to 35 give generations from the order of the lines, and
      // 51 to 54 take the search text as a pattern.
      {15, "15: Join the line to the line above if it starts with the search text (replacement text between them)"},
      {33, "33: Make each line that starts with the search text a child of the mainline person above it"},
      {34, "34: Reverse the order of the lines (an ascending line becomes a descending one)"},
      {35, "35: Move the lines after a heading that starts with the search text to below the person the heading names"},
      {51, "51: Pattern: Swap every match of the search pattern to the replace text (\\1 = first group)"},
      {52, "52: Pattern: Replace/remove the entire line if it matches the search pattern"},
      {53, "53: Pattern: Remove every line that does _not_ match the search pattern"},
      {54, "54: Pattern: Split the line at every match of the search pattern (replace text starts each later part)"},
  }};
  return kEntries;
}

bool IsRuleCode(std::string_view code) {
  return std::ranges::any_of(RuleCatalogue(),
                             [code](const CatalogueEntry& entry) { return std::to_string(entry.code) == code; });
}

}  // namespace quenby
