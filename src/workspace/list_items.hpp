// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The items of the window's lists as the core sees them: UTF-8 texts in list
// order, and the selected row as a list position.

#include <QStringList>
#include <string>
#include <vector>

class QListWidget;

namespace quenby {

std::vector<std::string> ItemTexts(const QListWidget& list);
QStringList ListItems(const std::vector<std::string>& texts);
// The selected row, or kNoSelection.
long SelectedRow(const QListWidget& list);

}  // namespace quenby
