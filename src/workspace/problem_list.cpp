// SPDX-License-Identifier: GPL-3.0-or-later
#include "workspace/problem_list.hpp"

#include <QLabel>
#include <QListView>
#include <QStringListModel>
#include <QVBoxLayout>

#include "ui/qt_support.hpp"

namespace quenby {

ProblemList::ProblemList(QWidget* parent) : QWidget(parent) {
  lblProblemCount = new QLabel(this);
  lblProblemCount->setObjectName(QStringLiteral("lblProblemCount"));
  lstProblems = new QListView(this);
  lstProblems->setObjectName(QStringLiteral("lstProblems"));
  model_ = new QStringListModel(this);
  lstProblems->setModel(model_);
  lstProblems->setUniformItemSizes(true);
  lstProblems->setEditTriggers(QAbstractItemView::NoEditTriggers);
  lstProblems->setSelectionMode(QAbstractItemView::SingleSelection);
  lblProblemCount->setBuddy(lstProblems);
  lstProblems->setAccessibleName(tr("Problems"));
  lstProblems->setAccessibleDescription(
      tr("Places where the people list says something the text can hardly have meant, one a line. Click a "
         "problem or press Enter on it to select its line in the people list."));
  lblProblemCount->setAccessibleName(tr("Number of problems"));

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(lblProblemCount);
  layout->addWidget(lstProblems, 1);

  connect(lstProblems, &QAbstractItemView::clicked, this, &ProblemList::Announce);
  connect(lstProblems, &QAbstractItemView::activated, this, &ProblemList::Announce);
}

void ProblemList::Show(const std::vector<Problem>& problems) {
  QStringList rows;
  rows.reserve(static_cast<qsizetype>(problems.size()));
  lines_.clear();
  lines_.reserve(problems.size());
  for (const Problem& problem : problems) {
    rows.append(FromUtf8(ProblemText(problem)));
    lines_.push_back(problem.line);
  }
  model_->setStringList(rows);
  if (problems.empty()) {
    lblProblemCount->setText(tr("No problems found."));
  } else if (problems.size() == 1) {
    lblProblemCount->setText(tr("1 problem found."));
  } else {
    lblProblemCount->setText(tr("%1 problems found.").arg(problems.size()));
  }
}

void ProblemList::Clear() {
  model_->setStringList({});
  lines_.clear();
  lblProblemCount->clear();
}

void ProblemList::Announce(const QModelIndex& index) {
  if (!index.isValid() || static_cast<std::size_t>(index.row()) >= lines_.size()) {
    return;
  }
  const std::size_t line = lines_[static_cast<std::size_t>(index.row())];
  if (line >= 1) {
    emit LineSelected(static_cast<int>(line - 1));
  }
}

}  // namespace quenby
