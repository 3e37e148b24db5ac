// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The one table of rule codes: each code a user can choose, the exact text of
// its entry in the rule editor's code list, and the operation the engine runs
// for it. The editor lists the entries in this order; the engine maps each
// operation to its function.

#include <array>
#include <string_view>

namespace quenby {

// What a rule does, one value per code. The engine turns each into a function
// in a switch that the compiler checks for completeness.
enum class RuleOperation {
  kSwapEveryOccurrence,
  kSwapUpToFirst,
  kSwapFromFirst,
  kSwapUpToLast,
  kSwapFromLast,
  kReplaceLineStartingWith,
  kReplaceLineEndingWith,
  kReplaceLineContaining,
  kSplitAtFirstStartFirst,
  kSplitAtFirstEndFirst,
  kSplitAtLastStartFirst,
  kSplitAtLastEndFirst,
  kInsertBeforeFirst,
  kAddBeforeFirst,
  kInsertAfterFirst,
  kAddAfterFirst,
  kInsertBeforeLast,
  kAddBeforeLast,
  kInsertAfterLast,
  kAddAfterLast,
  kRecogniseChildren,
  kConvertGenerationNumbers,
  kMoveMarriageData,
  kAddFamilyName,
  kJoinToLineAbove,
  kMakeChildOfLineAbove,
  kReverseLines,
  kMoveChildrenLists,
  kReplaceEveryMatch,
  kReplaceMatchingLines,
  kKeepMatchingLines,
  kSplitAtEveryMatch,
  kMoveChildrenListsAnyCase,
  kSplitListAddingText,
  kAddHeadingTextToLinesBelow,
  kKeepOneLinePerPerson,
};

struct CatalogueEntry {
  int code;
  std::string_view text;
  RuleOperation operation;
};

inline constexpr std::size_t kCatalogueSize = 36;
const std::array<CatalogueEntry, kCatalogueSize>& RuleCatalogue();

// The entry whose code is `code` written exactly in plain decimal, as the
// rule editor writes it ("01", " 1" and "0" name none), or nullptr.
const CatalogueEntry* CatalogueEntryOf(std::string_view code);

// The extra entry the editor shows, at position 0, only while editing a rule.
inline constexpr std::string_view kDeleteEntryText = "0: Delete this rule";

}  // namespace quenby
