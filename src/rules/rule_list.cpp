// SPDX-License-Identifier: GPL-3.0-or-later
#include "rules/rule_list.hpp"

namespace quenby {
namespace {

bool IsSelected(std::size_t count, long selected) {
  return selected >= 0 && static_cast<std::size_t>(selected) < count;
}

}  // namespace

EditorAnswer ClassifyEditorAnswer(std::string_view rule) {
  if (rule.empty()) {
    return EditorAnswer::kCancelled;
  }
  return rule.front() == '0' ? EditorAnswer::kDelete : EditorAnswer::kRule;
}

std::size_t AddPosition(std::size_t count, long selected) {
  return IsSelected(count, selected) ? static_cast<std::size_t>(selected) + 1 : count;
}

std::size_t InsertPosition(std::size_t count, long selected) {
  return IsSelected(count, selected) ? static_cast<std::size_t>(selected) : 0;
}

std::optional<std::size_t> MoveTarget(std::size_t count, long selected, int direction) {
  if (!IsSelected(count, selected)) {
    return std::nullopt;
  }
  const auto current = static_cast<std::size_t>(selected);
  if (direction == 0 && current > 0) {
    return current - 1;
  }
  if (direction == 1 && current + 1 < count) {
    return current + 1;
  }
  return std::nullopt;
}

}  // namespace quenby
