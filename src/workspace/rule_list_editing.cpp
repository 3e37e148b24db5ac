// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's rule-list editing: the rule editor asked to add, insert,
// edit or delete a rule, and the two arrows that move the selected rule.

#include <QComboBox>
#include <QListWidget>

#include "rules/catalogue.hpp"
#include "rules/rule_list.hpp"
#include "ui/frmRule.hpp"
#include "ui/qt_support.hpp"
#include "workspace/frmQuenby.hpp"
#include "workspace/list_items.hpp"

namespace quenby {

QString frmQuenby::AskRuleEditor(const QString& title, const QString& item, bool editing) {
  if (ruleEditor_ == nullptr) {
    ruleEditor_ = new frmRule(this);
  }
  ruleEditor_->SetRule(item);
  if (editing) {
    ruleEditor_->cboCode->insertItem(0, FromUtf8(kDeleteEntryText));
  }
  ruleEditor_->setWindowTitle(title);
  modal_.Exec(*ruleEditor_);
  const QString answer = ruleEditor_->GetRule();
  if (editing) {
    ruleEditor_->cboCode->removeItem(0);
  }
  return answer;
}

void frmQuenby::btnAddRule_Click() {
  const std::size_t position = AddPosition(static_cast<std::size_t>(lstRules->count()), SelectedRow(*lstRules));
  const QString answer = AskRuleEditor(QStringLiteral("Add Rule"), QString(), false);
  if (ClassifyEditorAnswer(ToUtf8(answer)) == EditorAnswer::kRule) {
    lstRules->insertItem(static_cast<int>(position), answer);
  }
}

void frmQuenby::btnInsertRule_Click() {
  const std::size_t position = InsertPosition(static_cast<std::size_t>(lstRules->count()), SelectedRow(*lstRules));
  const QString answer = AskRuleEditor(QStringLiteral("Insert Rule"), QString(), false);
  if (ClassifyEditorAnswer(ToUtf8(answer)) == EditorAnswer::kRule) {
    lstRules->insertItem(static_cast<int>(position), answer);
  }
}

void frmQuenby::btnEditRule_Click() {
  const long selected = SelectedRow(*lstRules);
  if (selected == kNoSelection) {
    return;
  }
  const int position = static_cast<int>(selected);
  const QString answer = AskRuleEditor(QStringLiteral("Edit / Delete Rule"), lstRules->item(position)->text(), true);
  switch (ClassifyEditorAnswer(ToUtf8(answer))) {
    case EditorAnswer::kCancelled:
      break;
    case EditorAnswer::kDelete:
      delete lstRules->takeItem(position);
      break;
    case EditorAnswer::kRule:
      lstRules->item(position)->setText(answer);
      break;
  }
}

void frmQuenby::btnRuleMove_Click(int index) {
  const long selected = SelectedRow(*lstRules);
  const auto target = MoveTarget(static_cast<std::size_t>(lstRules->count()), selected, index);
  if (!target) {
    return;
  }
  QListWidgetItem* from = lstRules->item(static_cast<int>(selected));
  QListWidgetItem* to = lstRules->item(static_cast<int>(*target));
  const QString moving = from->text();
  from->setText(to->text());
  to->setText(moving);
  lstRules->setCurrentRow(static_cast<int>(*target));
}

}  // namespace quenby
