#pragma once

// Editing the ordered rule list: where the add, insert and move buttons put a
// rule. A position is counted from 0; no selection is -1, and a selected
// position outside the list counts as no selection. These functions decide
// positions only, so the window applies them to its list control and the
// tests apply them to a plain vector.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quenby {

inline constexpr long kNoSelection = -1;

// What the rule editor returned: nothing (cancelled), a delete request (the
// item begins with "0") or a rule.
enum class EditorAnswer { kCancelled, kDelete, kRule };
EditorAnswer ClassifyEditorAnswer(std::string_view rule);

// Where "Add (after)" inserts: after the selected rule, else at the end.
std::size_t AddPosition(std::size_t count, long selected);

// Where "Insert (above)" inserts: at the selected rule, else at the start.
std::size_t InsertPosition(std::size_t count, long selected);

// Where "up" (direction 0) or "down" (direction 1) moves the selected rule,
// or nothing when there is no selection, the move would leave the list or the
// direction is neither.
std::optional<std::size_t> MoveTarget(std::size_t count, long selected, int direction);

// The same operations on a plain list, as the buttons apply them to the
// window's list. Only a move sets the selection (on the moved rule); the
// others keep it on the rule it was on, as a list control does (none when
// that rule was deleted). A cancelled editor changes nothing, and add and
// insert ignore a delete request.
struct RuleList {
  std::vector<std::string> items;
  long selected = kNoSelection;
};
void ApplyAdd(RuleList& list, const std::string& editorAnswer);
void ApplyInsert(RuleList& list, const std::string& editorAnswer);
void ApplyEdit(RuleList& list, const std::string& editorAnswer);
void ApplyMove(RuleList& list, int direction);

}  // namespace quenby
