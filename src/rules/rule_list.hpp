// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Editing the ordered rule list: where the add, insert and move buttons put a
// rule. A position is counted from 0; no selection is -1, and a selected
// position outside the list counts as no selection. These functions decide
// positions only; the window applies them to its list control.

#include <cstddef>
#include <optional>
#include <string_view>

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

}  // namespace quenby
