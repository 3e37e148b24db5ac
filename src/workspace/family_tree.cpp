// SPDX-License-Identifier: GPL-3.0-or-later
#include "workspace/family_tree.hpp"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QTreeView>
#include <QVBoxLayout>
#include <vector>

#include "workspace/family_tree_model.hpp"

namespace quenby {

namespace {

QString Counted(std::size_t count, const QString& one, const QString& many) {
  return QStringLiteral("%1 %2").arg(count).arg(count == 1 ? one : many);
}

}  // namespace

FamilyTree::FamilyTree(QWidget* parent) : QWidget(parent) {
  lblCounts = new QLabel(this);
  lblCounts->setObjectName(QStringLiteral("lblCounts"));
  treFamilies = new QTreeView(this);
  treFamilies->setObjectName(QStringLiteral("treFamilies"));
  model_ = new FamilyTreeModel(this);
  treFamilies->setModel(model_);
  treFamilies->setHeaderHidden(true);
  treFamilies->setUniformRowHeights(true);
  treFamilies->setSelectionMode(QAbstractItemView::SingleSelection);
  treFamilies->setEditTriggers(QAbstractItemView::NoEditTriggers);
  // A row as wide as its text, scrolled sideways when deep generations push
  // it past the view.
  treFamilies->header()->setStretchLastSection(false);
  treFamilies->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
  lblCounts->setBuddy(treFamilies);
  treFamilies->setAccessibleName(tr("Family tree"));
  treFamilies->setAccessibleDescription(
      tr("The families of the people list: each person with their partners and, under each partner, their "
         "children. Select a person to select their line in the people list."));
  lblCounts->setAccessibleName(tr("Persons and families"));

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(lblCounts);
  layout->addWidget(treFamilies, 1);

  connect(treFamilies->selectionModel(), &QItemSelectionModel::currentChanged, this,
          [this](const QModelIndex& current) { Announce(current); });
  connect(treFamilies, &QAbstractItemView::activated, this, &FamilyTree::Announce);
}

void FamilyTree::Show(const PeopleList& people) {
  model_->SetPeople(people);
  lblCounts->setText(Counted(model_->PersonCount(), tr("person"), tr("persons")) + QStringLiteral(", ") +
                     Counted(model_->FamilyCount(), tr("family"), tr("families")));
}

void FamilyTree::Clear() {
  model_->Clear();
  lblCounts->clear();
}

void FamilyTree::SelectLine(int line) {
  const QModelIndex target = line >= 0 ? model_->IndexOfLine(static_cast<std::size_t>(line)) : QModelIndex();
  selecting_ = true;
  if (target.isValid()) {
    // Opened from the root down, so that the view lays out one level at a
    // time however deep the person stands.
    std::vector<QModelIndex> above;
    for (QModelIndex at = target.parent(); at.isValid(); at = at.parent()) {
      above.push_back(at);
    }
    for (auto at = above.rbegin(); at != above.rend(); ++at) {
      treFamilies->expand(*at);
    }
    treFamilies->selectionModel()->setCurrentIndex(target, QItemSelectionModel::ClearAndSelect);
    treFamilies->scrollTo(target);
  } else {
    treFamilies->selectionModel()->clear();
  }
  selecting_ = false;
}

void FamilyTree::Announce(const QModelIndex& index) {
  if (selecting_ || !index.isValid()) {
    return;
  }
  emit LineSelected(index.data(kPeopleLineRole).toInt());
}

}  // namespace quenby
