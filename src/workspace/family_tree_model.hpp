// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The families of a people list as a tree, made only from the families that
// "Process all" writes (FamiliesOf). A root is a person who is nobody's child
// and whom no one above has shown already; under a person stand the families
// they close or are the partner in, each as its partner ("∞ Mary Jones"),
// and under a family its children, each again with their families. A person
// who is the child of two families, or a partner shown again as a child, is
// shown at each place; the tree never loops.
//
// The tree is laid out once, in time in proportion to the list, without
// recursion, and its nodes are made only when a view asks for them, so a
// list of 100,000 lines or a chain of 10,000 generations costs no more than
// the rows a user opens.

#include <QAbstractItemModel>
#include <QString>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "gedcom/records.hpp"

namespace quenby {

// The data role that gives the people-list line (0-based, an int) a node
// stands for: a person's own line, a family's partner line.
inline constexpr int kPeopleLineRole = Qt::UserRole + 1;

class FamilyTreeModel : public QAbstractItemModel {
  Q_OBJECT

 public:
  explicit FamilyTreeModel(QObject* parent = nullptr);

  void SetPeople(const PeopleList& people);
  void Clear();

  std::size_t PersonCount() const { return people_.size(); }
  std::size_t FamilyCount() const { return families_.size(); }

  // Where the person of `line` stands: their own node where they have one
  // (with their families under it), else the first family node that shows
  // them as a partner. Invalid for a line past the list.
  QModelIndex IndexOfLine(std::size_t line) const;

  QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
  QModelIndex parent(const QModelIndex& child) const override;
  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

 private:
  enum class Kind : std::uint8_t { kPerson, kFamily };

  // A node made for a view: a person (`item` is the line) or a family
  // (`item` is its index in families_). The children of a node are made
  // all at once and stand together from `firstChild`.
  struct Node {
    Kind kind = Kind::kPerson;
    std::uint32_t item = 0;
    std::int32_t parent = -1;
    std::int32_t row = 0;
    std::int32_t firstChild = -1;
  };

  // Where a line is shown: as root `rootRow`, or under the person node of
  // `parentLine`, in that person's family `familyRow`, as its child
  // `childRow` or, when that is -1, as the family's partner.
  struct Place {
    std::int32_t rootRow = -1;
    std::int32_t parentLine = -1;
    std::int32_t familyRow = -1;
    std::int32_t childRow = -1;
  };

  // The text shown for a person, made the first time it is asked for.
  struct Label {
    QString person;
    QString marriage;
    bool made = false;
  };

  void LayOut();
  std::size_t FamilyCountOf(std::size_t line) const;
  std::size_t FamilyOf(std::size_t line, std::size_t row) const;
  // The other member of a family seen from `line`, or -1 for none.
  std::int64_t OtherMember(const Family& family, std::size_t line) const;
  int RowCountOf(const Node& node) const;
  std::int32_t FirstChild(std::int32_t node) const;
  const Label& LabelOf(std::size_t line) const;
  QString Text(const Node& node) const;
  int LineOf(const Node& node) const;

  PeopleList people_;
  std::vector<Family> families_;
  // The families of each line, in the order they are closed: those of line
  // i are familyList_[familyStart_[i]] up to familyList_[familyStart_[i + 1]].
  std::vector<std::uint32_t> familyStart_;
  std::vector<std::uint32_t> familyList_;
  std::vector<std::uint32_t> roots_;
  std::vector<Place> places_;
  mutable std::vector<Node> nodes_;
  mutable std::vector<Label> labels_;
};

}  // namespace quenby
