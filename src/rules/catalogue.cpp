// SPDX-License-Identifier: GPL-3.0-or-later
#include "rules/catalogue.hpp"

#include <charconv>

namespace quenby {

// The entry texts are what users know and what their notes quote, so they
// keep their wording and spelling, flaws included.
const std::array<CatalogueEntry, kCatalogueSize>& RuleCatalogue() {
  static constexpr std::array<CatalogueEntry, kCatalogueSize> kEntries = {{
      {1, "1: Swap the search text to the replace text (can replace more than 1 occurance)",
       RuleOperation::kSwapEveryOccurrence},
      {2, "2: Swap all from the start of the line, to the end of the _first_ occurance of the search text",
       RuleOperation::kSwapUpToFirst},
      {3, "3: Swap all from the start of the _first_ occurance of the search text, to the end of the line",
       RuleOperation::kSwapFromFirst},
      {4, "4: Swap all from the start of the line, to the end of the _last_ occurance of the search text",
       RuleOperation::kSwapUpToLast},
      {5, "5: Swap all from the start of the _last_ occurance of the search text, to the end of the line",
       RuleOperation::kSwapFromLast},
      {6, "6: Replace/remove the entire line if it starts with the search text",
       RuleOperation::kReplaceLineStartingWith},
      {7, "7: Replace/remove the entire line if it ends with the search text", RuleOperation::kReplaceLineEndingWith},
      {8, "8: Replace/remove the entire line if it contains the search text", RuleOperation::kReplaceLineContaining},
      {11,
       "11: Split the line at the _first_ occurance of the search text (replacing it). Start part is the first line",
       RuleOperation::kSplitAtFirstStartFirst},
      {12, "12: Split the line at the _first_ occurance of the search text (replacing it). End part is the first line",
       RuleOperation::kSplitAtFirstEndFirst},
      {13, "13: Split the line at the _last_ occurance of the search text (replacing it). Start part is the first line",
       RuleOperation::kSplitAtLastStartFirst},
      {14, "14: Split the line at the _last_ occurance of the search text (replacing it). End part is the first line",
       RuleOperation::kSplitAtLastEndFirst},
      {21, "21: Insert a new line [Text before the _first_ occurance of the search text & the replacement text]",
       RuleOperation::kInsertBeforeFirst},
      {22, "22: Add a new line [Text before the _first_ occurance of the search text & the replacement text",
       RuleOperation::kAddBeforeFirst},
      {23, "23: Insert a new line [Replacement text & the text from after the _first_ occurance of the search text]",
       RuleOperation::kInsertAfterFirst},
      {24, "24: Add a new line [Replacement text & the text from after the _first_ occurance of the search text]",
       RuleOperation::kAddAfterFirst},
      {25, "25: Insert a new line [Text before the _last_ occurance of the search text & the replacement text]",
       RuleOperation::kInsertBeforeLast},
      {26, "26: Add a new line [Text before the _last_ occurance of the search text & the replacement text",
       RuleOperation::kAddBeforeLast},
      {27, "27: Insert a new line [Replacement text & the text from after the _last_ occurance of the search text]",
       RuleOperation::kInsertAfterLast},
      {28, "28: Add a new line [Replacement text & the text from after the _last_ occurance of the search text]",
       RuleOperation::kAddAfterLast},
      {31, "31: Recognise children based on the search text", RuleOperation::kRecogniseChildren},
      {32, "32: Convert generation numbers", RuleOperation::kConvertGenerationNumbers},
      {41, "41: Move marriage data to after the persons name (place in brackets)", RuleOperation::kMoveMarriageData},
      {42, "42: Add replace text as Family Name of all people in the mainline", RuleOperation::kAddFamilyName},
      // Later codes keep the numbering by family: 15 joins where 11 to 14
      // split, 33 to 35 give generations from the order of the lines, and
      // 51 to 54 take the search text as a pattern.
      {15, "15: Join the line to the line above if it starts with the search text (replacement text between them)",
       RuleOperation::kJoinToLineAbove},
      {33, "33: Make each line that starts with the search text a child of the mainline person above it",
       RuleOperation::kMakeChildOfLineAbove},
      {34, "34: Reverse the order of the lines (an ascending line becomes a descending one)",
       RuleOperation::kReverseLines},
      {35, "35: Move the lines after a heading that starts with the search text to below the person the heading names",
       RuleOperation::kMoveChildrenLists},
      {51, "51: Pattern: Swap every match of the search pattern to the replace text (\\1 = first group)",
       RuleOperation::kReplaceEveryMatch},
      {52, "52: Pattern: Replace/remove the entire line if it matches the search pattern",
       RuleOperation::kReplaceMatchingLines},
      {53, "53: Pattern: Remove every line that does _not_ match the search pattern",
       RuleOperation::kKeepMatchingLines},
      {54, "54: Pattern: Split the line at every match of the search pattern (replace text starts each later part)",
       RuleOperation::kSplitAtEveryMatch},
      // Later still: 36 is 35 for names in any case; 55 and 56 give a fact
      // said once to every person of a list; 37 merges a person named twice.
      {36,
       "36: Move the lines after a heading that starts with the search text to below the person the heading names "
       "(names in any case)",
       RuleOperation::kMoveChildrenListsAnyCase},
      {55,
       "55: Pattern: Split a line that starts with a match at every match (replace text = start of each part, "
       "then \\A and the text added to the end of each part)",
       RuleOperation::kSplitListAddingText},
      {56, "56: Pattern: Add the replace text to the end of every line below a line that matches, up to the next one",
       RuleOperation::kAddHeadingTextToLinesBelow},
      {37,
       "37: Keep one line per person: remove a later line with the same name (any case) and marks in the same family, "
       "adding its missing fields to the first",
       RuleOperation::kKeepOneLinePerPerson},
  }};
  return kEntries;
}

const CatalogueEntry* CatalogueEntryOf(std::string_view code) {
  for (const CatalogueEntry& entry : RuleCatalogue()) {
    std::array<char, 4> digits{};
    const auto written = std::to_chars(digits.data(), digits.data() + digits.size(), entry.code);
    if (code == std::string_view(digits.data(), written.ptr)) {
      return &entry;
    }
  }
  return nullptr;
}

}  // namespace quenby
