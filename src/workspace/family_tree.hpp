// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The family tree view: the families a people list makes, person by person
// and generation by generation (see FamilyTreeModel), under a caption that
// counts the persons and families. Selecting a person tells which
// people-list line it is; selecting a line from outside opens the tree down
// to it without telling it back.

#include <QWidget>
#include <cstddef>

#include "gedcom/records.hpp"

class QLabel;
class QModelIndex;
class QTreeView;

namespace quenby {

class FamilyTreeModel;

class FamilyTree : public QWidget {
  Q_OBJECT

 public:
  explicit FamilyTree(QWidget* parent = nullptr);

  // Shows the tree of `people`, closed down to its roots.
  void Show(const PeopleList& people);
  // Shows nothing, as before the first run.
  void Clear();
  // Opens the tree down to the person of people-list line `line` (0-based),
  // selects and shows it; a line past the list clears the selection.
  // LineSelected is not emitted.
  void SelectLine(int line);

  QLabel* lblCounts = nullptr;
  QTreeView* treFamilies = nullptr;

 signals:
  // The user selected (or activated) the node of people-list line `line`, 0-based.
  void LineSelected(int line);

 private:
  void Announce(const QModelIndex& index);

  FamilyTreeModel* model_ = nullptr;
  bool selecting_ = false;
};

}  // namespace quenby
