// SPDX-License-Identifier: GPL-3.0-or-later
#include "workspace/family_tree_model.hpp"

#include "people/person_line.hpp"
#include "text/text.hpp"
#include "ui/qt_support.hpp"

namespace quenby {

namespace {

constexpr QChar kMarriageSign(0x221E);  // ∞

}  // namespace

FamilyTreeModel::FamilyTreeModel(QObject* parent) : QAbstractItemModel(parent) {}

void FamilyTreeModel::SetPeople(const PeopleList& people) {
  beginResetModel();
  people_ = people;
  families_ = FamiliesOf(people_);
  LayOut();
  endResetModel();
}

void FamilyTreeModel::Clear() {
  beginResetModel();
  people_.clear();
  families_.clear();
  LayOut();
  endResetModel();
}

void FamilyTreeModel::LayOut() {
  const std::size_t count = people_.size();
  nodes_.clear();
  labels_.assign(count, Label{});
  roots_.clear();
  places_.assign(count, Place{});

  // Each line's families, gathered by counting first so that a long list
  // costs two passes and three vectors, not a vector per line.
  familyStart_.assign(count + 1, 0);
  std::vector<bool> isChild(count, false);
  for (const Family& family : families_) {
    ++familyStart_[family.closingLine + 1];
    if (family.partnerLine) {
      ++familyStart_[*family.partnerLine + 1];
    }
    for (const std::size_t child : family.children) {
      isChild[child] = true;
    }
  }
  for (std::size_t line = 0; line < count; ++line) {
    familyStart_[line + 1] += familyStart_[line];
  }
  familyList_.assign(familyStart_[count], 0);
  std::vector<std::uint32_t> filled(familyStart_.begin(), familyStart_.end() - 1);
  for (std::uint32_t f = 0; f < families_.size(); ++f) {
    familyList_[filled[families_[f].closingLine]++] = f;
    if (families_[f].partnerLine) {
      familyList_[filled[*families_[f].partnerLine]++] = f;
    }
  }

  // Walks the tree in the order a view shows it, with a stack of its own so
  // that no chain of generations can exhaust the call stack. A person's
  // families are opened at their first person node only; `shown` and
  // `opened` make every line and family cost one visit however often it
  // appears.
  struct Step {
    std::uint32_t line;
    Place place;
    bool asPartner;
  };
  std::vector<Step> stack;
  std::vector<bool> shown(count, false);
  std::vector<bool> opened(count, false);
  std::vector<bool> familyShown(families_.size(), false);
  const auto hasFamilyNotShown = [&](std::size_t line) {
    for (std::size_t row = 0; row < FamilyCountOf(line); ++row) {
      if (!familyShown[FamilyOf(line, row)]) {
        return true;
      }
    }
    return false;
  };
  for (std::uint32_t line = 0; line < count; ++line) {
    // A partner shown under someone else is a root of their own only for a
    // family that is shown nowhere yet: another marriage of theirs.
    if (opened[line] || (shown[line] && (isChild[line] || !hasFamilyNotShown(line)))) {
      continue;
    }
    stack.push_back({line, Place{static_cast<std::int32_t>(roots_.size()), -1, -1, -1}, false});
    roots_.push_back(line);
    while (!stack.empty()) {
      const Step step = stack.back();
      stack.pop_back();
      if (step.asPartner) {
        if (!shown[step.line]) {
          shown[step.line] = true;
          places_[step.line] = step.place;
        }
        continue;
      }
      if (opened[step.line]) {
        continue;
      }
      // The person's own node wins over a partner node shown before it.
      opened[step.line] = true;
      shown[step.line] = true;
      places_[step.line] = step.place;
      const auto parent = static_cast<std::int32_t>(step.line);
      for (std::size_t row = FamilyCountOf(step.line); row-- > 0;) {
        const std::uint32_t f = FamilyOf(step.line, row);
        familyShown[f] = true;
        const Family& family = families_[f];
        for (std::size_t child = family.children.size(); child-- > 0;) {
          stack.push_back({static_cast<std::uint32_t>(family.children[child]),
                           Place{-1, parent, static_cast<std::int32_t>(row), static_cast<std::int32_t>(child)}, false});
        }
        if (const auto other = OtherMember(family, step.line); other >= 0) {
          stack.push_back(
              {static_cast<std::uint32_t>(other), Place{-1, parent, static_cast<std::int32_t>(row), -1}, true});
        }
      }
    }
  }

  // The roots are the first nodes; the rest are made as a view opens them.
  nodes_.reserve(roots_.size());
  for (std::size_t row = 0; row < roots_.size(); ++row) {
    nodes_.push_back(Node{Kind::kPerson, roots_[row], -1, static_cast<std::int32_t>(row), -1});
  }
}

std::size_t FamilyTreeModel::FamilyCountOf(std::size_t line) const {
  return familyStart_[line + 1] - familyStart_[line];
}

std::size_t FamilyTreeModel::FamilyOf(std::size_t line, std::size_t row) const {
  return familyList_[familyStart_[line] + row];
}

std::int64_t FamilyTreeModel::OtherMember(const Family& family, std::size_t line) const {
  if (family.closingLine != line) {
    return static_cast<std::int64_t>(family.closingLine);
  }
  return family.partnerLine ? static_cast<std::int64_t>(*family.partnerLine) : -1;
}

QModelIndex FamilyTreeModel::IndexOfLine(std::size_t line) const {
  if (line >= places_.size()) {
    return {};
  }
  // The places from the line up to its root, then the nodes from the root
  // down, made on the way.
  std::vector<Place> path;
  std::size_t at = line;
  while (places_[at].rootRow < 0) {
    if (places_[at].parentLine < 0) {
      return {};
    }
    path.push_back(places_[at]);
    at = static_cast<std::size_t>(places_[at].parentLine);
  }
  std::int32_t node = places_[at].rootRow;
  for (auto step = path.rbegin(); step != path.rend(); ++step) {
    node = FirstChild(node) + step->familyRow;
    if (step->childRow >= 0) {
      node = FirstChild(node) + step->childRow;
    }
  }
  return createIndex(nodes_[static_cast<std::size_t>(node)].row, 0, static_cast<quintptr>(node));
}

int FamilyTreeModel::RowCountOf(const Node& node) const {
  if (node.kind == Kind::kPerson) {
    return static_cast<int>(FamilyCountOf(node.item));
  }
  return static_cast<int>(families_[node.item].children.size());
}

std::int32_t FamilyTreeModel::FirstChild(std::int32_t node) const {
  if (nodes_[static_cast<std::size_t>(node)].firstChild >= 0) {
    return nodes_[static_cast<std::size_t>(node)].firstChild;
  }
  const Node parent = nodes_[static_cast<std::size_t>(node)];
  const auto first = static_cast<std::int32_t>(nodes_.size());
  const int rows = RowCountOf(parent);
  for (int row = 0; row < rows; ++row) {
    if (parent.kind == Kind::kPerson) {
      const auto family = static_cast<std::uint32_t>(FamilyOf(parent.item, static_cast<std::size_t>(row)));
      nodes_.push_back(Node{Kind::kFamily, family, node, row, -1});
    } else {
      const auto child = static_cast<std::uint32_t>(families_[parent.item].children[static_cast<std::size_t>(row)]);
      nodes_.push_back(Node{Kind::kPerson, child, node, row, -1});
    }
  }
  nodes_[static_cast<std::size_t>(node)].firstChild = first;
  return first;
}

QModelIndex FamilyTreeModel::index(int row, int column, const QModelIndex& parent) const {
  if (!hasIndex(row, column, parent)) {
    return {};
  }
  const std::int32_t node = parent.isValid() ? FirstChild(static_cast<std::int32_t>(parent.internalId())) + row : row;
  return createIndex(row, column, static_cast<quintptr>(node));
}

QModelIndex FamilyTreeModel::parent(const QModelIndex& child) const {
  if (!child.isValid()) {
    return {};
  }
  const std::int32_t parent = nodes_[child.internalId()].parent;
  if (parent < 0) {
    return {};
  }
  return createIndex(nodes_[static_cast<std::size_t>(parent)].row, 0, static_cast<quintptr>(parent));
}

int FamilyTreeModel::rowCount(const QModelIndex& parent) const {
  if (!parent.isValid()) {
    return static_cast<int>(roots_.size());
  }
  if (parent.column() != 0) {
    return 0;
  }
  return RowCountOf(nodes_[parent.internalId()]);
}

int FamilyTreeModel::columnCount(const QModelIndex& /*parent*/) const {
  return 1;
}

const FamilyTreeModel::Label& FamilyTreeModel::LabelOf(std::size_t line) const {
  Label& label = labels_[line];
  if (label.made) {
    return label;
  }
  const TestVariables details = ParsePersonLine(people_[line]);
  label.person = FromUtf8(ReplaceAll(details[kFullName], "/", ""));
  if (label.person.isEmpty()) {
    label.person = tr("(no name)");
  }
  const QString born = FromUtf8(details[kBirthDate]);
  const QString died = FromUtf8(details[kDeathDate]);
  if (!born.isEmpty() && !died.isEmpty()) {
    label.person += tr(" (b. %1, d. %2)").arg(born, died);
  } else if (!born.isEmpty()) {
    label.person += tr(" (b. %1)").arg(born);
  } else if (!died.isEmpty()) {
    label.person += tr(" (d. %1)").arg(died);
  }
  label.marriage = FromUtf8(details[kMarriageDate]);
  label.made = true;
  return label;
}

QString FamilyTreeModel::Text(const Node& node) const {
  if (node.kind == Kind::kPerson) {
    return LabelOf(node.item).person;
  }
  const Family& family = families_[node.item];
  const std::size_t above = nodes_[static_cast<std::size_t>(node.parent)].item;
  const std::int64_t other = OtherMember(family, above);
  QString text = QString(kMarriageSign) + QLatin1Char(' ') +
                 (other >= 0 ? LabelOf(static_cast<std::size_t>(other)).person : tr("(no partner)"));
  // The marriage is written on the line that closes the family.
  const QString& married = LabelOf(family.closingLine).marriage;
  if (!married.isEmpty()) {
    text += tr(", m. %1").arg(married);
  }
  return text;
}

int FamilyTreeModel::LineOf(const Node& node) const {
  if (node.kind == Kind::kPerson) {
    return static_cast<int>(node.item);
  }
  const std::size_t above = nodes_[static_cast<std::size_t>(node.parent)].item;
  const std::int64_t other = OtherMember(families_[node.item], above);
  return static_cast<int>(other >= 0 ? other : static_cast<std::int64_t>(above));
}

QVariant FamilyTreeModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) {
    return {};
  }
  const Node& node = nodes_[index.internalId()];
  switch (role) {
    case Qt::DisplayRole:
      return Text(node);
    case Qt::ToolTipRole:
      return FromUtf8(people_[static_cast<std::size_t>(LineOf(node))]);
    case kPeopleLineRole:
      return LineOf(node);
    default:
      return {};
  }
}

}  // namespace quenby
