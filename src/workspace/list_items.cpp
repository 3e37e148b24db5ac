// SPDX-License-Identifier: GPL-3.0-or-later
#include "workspace/list_items.hpp"

#include <QListWidget>

#include "rules/rule_list.hpp"
#include "ui/qt_support.hpp"

namespace quenby {

std::vector<std::string> ItemTexts(const QListWidget& list) {
  std::vector<std::string> texts;
  texts.reserve(static_cast<std::size_t>(list.count()));
  for (int i = 0; i < list.count(); ++i) {
    texts.push_back(ToUtf8(list.item(i)->text()));
  }
  return texts;
}

QStringList ListItems(const std::vector<std::string>& texts) {
  QStringList items;
  items.reserve(static_cast<qsizetype>(texts.size()));
  for (const std::string& text : texts) {
    items << FromUtf8(text);
  }
  return items;
}

long SelectedRow(const QListWidget& list) {
  const QModelIndexList rows = list.selectionModel()->selectedRows();
  return rows.isEmpty() ? kNoSelection : rows.first().row();
}

}  // namespace quenby
