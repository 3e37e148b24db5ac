#include "rules/rule_list.hpp"

#include <utility>

namespace quenby {
namespace {

bool IsSelected(std::size_t count, long selected) {
  return selected >= 0 && static_cast<std::size_t>(selected) < count;
}

// Inserts as a list control does: the selection stays on the rule it was on,
// which moves down when the new rule lands at or above it.
void InsertItem(RuleList& list, std::size_t position, const std::string& item) {
  const bool movesDown =
      IsSelected(list.items.size(), list.selected) && static_cast<std::size_t>(list.selected) >= position;
  list.items.insert(list.items.begin() + static_cast<std::ptrdiff_t>(position), item);
  if (movesDown) {
    ++list.selected;
  }
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

void ApplyAdd(RuleList& list, const std::string& editorAnswer) {
  if (ClassifyEditorAnswer(editorAnswer) == EditorAnswer::kRule) {
    InsertItem(list, AddPosition(list.items.size(), list.selected), editorAnswer);
  }
}

void ApplyInsert(RuleList& list, const std::string& editorAnswer) {
  if (ClassifyEditorAnswer(editorAnswer) == EditorAnswer::kRule) {
    InsertItem(list, InsertPosition(list.items.size(), list.selected), editorAnswer);
  }
}

void ApplyEdit(RuleList& list, const std::string& editorAnswer) {
  if (!IsSelected(list.items.size(), list.selected)) {
    return;
  }
  const auto position = static_cast<std::size_t>(list.selected);
  switch (ClassifyEditorAnswer(editorAnswer)) {
    case EditorAnswer::kCancelled:
      break;
    case EditorAnswer::kDelete:
      list.items.erase(list.items.begin() + static_cast<std::ptrdiff_t>(position));
      list.selected = kNoSelection;
      break;
    case EditorAnswer::kRule:
      list.items[position] = editorAnswer;
      break;
  }
}

void ApplyMove(RuleList& list, int direction) {
  const auto target = MoveTarget(list.items.size(), list.selected, direction);
  if (!target) {
    return;
  }
  // Neighbours only: taking the rule out and putting it back one place away
  // is a swap, which stays cheap on long lists.
  std::swap(list.items[static_cast<std::size_t>(list.selected)], list.items[*target]);
  list.selected = static_cast<long>(*target);
}

}  // namespace quenby
