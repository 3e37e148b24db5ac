// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The problems of the people list, one a row in the words of the
// converter's check ("people line 3: a spouse line with no partner"), under
// a caption that counts them. Clicking a problem or pressing Enter on it
// tells which people-list line it is about.

#include <QWidget>
#include <cstddef>
#include <vector>

#include "gedcom/problems.hpp"

class QLabel;
class QListView;
class QModelIndex;
class QStringListModel;

namespace quenby {

class ProblemList : public QWidget {
  Q_OBJECT

 public:
  explicit ProblemList(QWidget* parent = nullptr);

  void Show(const std::vector<Problem>& problems);
  // Shows nothing, not even "No problems found.": the list was not checked.
  void Clear();

  QLabel* lblProblemCount = nullptr;
  QListView* lstProblems = nullptr;

 signals:
  // The user clicked or activated the problem of people-list line `line`, 0-based.
  void LineSelected(int line);

 private:
  void Announce(const QModelIndex& index);

  QStringListModel* model_ = nullptr;
  std::vector<std::size_t> lines_;  // the people-list line of each row, 1-based as the problems count
};

}  // namespace quenby
