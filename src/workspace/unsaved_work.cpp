// SPDX-License-Identifier: GPL-3.0-or-later
#include "workspace/unsaved_work.hpp"

#include <QListWidget>
#include <QPlainTextEdit>

#include "ui/modal.hpp"

namespace quenby {

namespace {

bool MayDrop(bool changed, Modal& modal, QWidget* parent, const QString& question, const std::function<bool()>& save) {
  if (!changed) {
    return true;
  }
  switch (modal.AskSave(parent, QStringLiteral("Quenby"), question)) {
    case SaveChoice::kSave:
      return save();
    case SaveChoice::kDiscard:
      return true;
    case SaveChoice::kCancel:
      break;
  }
  return false;
}

}  // namespace

UnsavedWork::UnsavedWork(QListWidget& rules, QPlainTextEdit& indi, QPlainTextEdit& fam, QObject* parent)
    : QObject(parent), indi_(indi), fam_(fam) {
  const QAbstractItemModel* model = rules.model();
  const auto changed = [this] { SetChanged(true, recordsChanged_); };
  connect(model, &QAbstractItemModel::rowsInserted, this, changed);
  connect(model, &QAbstractItemModel::rowsRemoved, this, changed);
  connect(model, &QAbstractItemModel::rowsMoved, this, changed);
  connect(model, &QAbstractItemModel::dataChanged, this, changed);
  connect(model, &QAbstractItemModel::modelReset, this, changed);
  // Emptied boxes hold nothing to lose.
  const auto recordsChanged = [this] {
    SetChanged(rulesChanged_, !indi_.document()->isEmpty() || !fam_.document()->isEmpty());
  };
  connect(indi.document(), &QTextDocument::contentsChanged, this, recordsChanged);
  connect(fam.document(), &QTextDocument::contentsChanged, this, recordsChanged);
}

void UnsavedWork::RulesSaved() {
  SetChanged(false, recordsChanged_);
}

void UnsavedWork::RecordsSaved() {
  SetChanged(rulesChanged_, false);
}

void UnsavedWork::SetChanged(bool rules, bool records) {
  rulesChanged_ = rules;
  recordsChanged_ = records;
  emit Changed(rules || records);
}

bool UnsavedWork::MayDropRules(Modal& modal, QWidget* parent, const std::function<bool()>& save) {
  return MayDrop(rulesChanged_, modal, parent, QStringLiteral("Save the changes to the rules?"), save);
}

bool UnsavedWork::MayDropRecords(Modal& modal, QWidget* parent, const std::function<bool()>& save) {
  return MayDrop(recordsChanged_, modal, parent, QStringLiteral("Save the generated records?"), save);
}

bool UnsavedWork::MayEditInput(Modal& modal, QWidget* parent, const std::function<bool()>& save) {
  return MayDrop(recordsChanged_, modal, parent,
                 QStringLiteral("Editing the input text discards the people list and the generated records, which "
                                "were not saved.\n\nSave the generated records? Cancel takes the edit back."),
                 save);
}

}  // namespace quenby
