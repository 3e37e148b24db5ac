// SPDX-License-Identifier: GPL-3.0-or-later
#include "workspace/people_views.hpp"

#include <QListWidget>
#include <QPlainTextEdit>

#include "workspace/family_tree.hpp"
#include "workspace/problem_list.hpp"
#include "workspace/source_marks.hpp"
#include "workspace/workbench.hpp"

namespace quenby {

PeopleViews::PeopleViews(QListWidget& people, QPlainTextEdit& input, Workbench& workbench)
    : QObject(&workbench), people_(people) {
  tree = new FamilyTree(&workbench);
  tree->setObjectName(QStringLiteral("familyTree"));
  problems = new ProblemList(&workbench);
  problems->setObjectName(QStringLiteral("problemList"));
  workbench.AddView(tree, QStringLiteral("Tree"));
  workbench.AddView(problems, QStringLiteral("Problems"));
  marks_ = new SourceMarks(input);
  connect(&people_, &QListWidget::currentRowChanged, this, &PeopleViews::PersonSelected);
  connect(tree, &FamilyTree::LineSelected, this, &PeopleViews::SelectLine);
  connect(problems, &ProblemList::LineSelected, this, &PeopleViews::SelectLine);
}

void PeopleViews::ShowRun(std::shared_ptr<const RuleSteps> steps, const std::vector<Problem>& found) {
  steps_ = std::move(steps);
  tree->Show(steps_->Run().lines);
  problems->Show(found);
  problemsShown_ = true;
  marks_->Clear();
}

void PeopleViews::ShowProblemsOf(const PeopleList& people) {
  if (!problemsShown_) {
    problems->Show(ProblemsOf(people));
    problemsShown_ = true;
  }
}

void PeopleViews::Clear() {
  steps_.reset();
  tree->Clear();
  problems->Clear();
  problemsShown_ = false;
  marks_->Clear();
}

void PeopleViews::PersonSelected() {
  const int row = people_.currentRow();
  tree->SelectLine(row);
  if (steps_ && row >= 0 && static_cast<std::size_t>(row) < steps_->Run().sources.size()) {
    marks_->Mark(steps_->Run().sources[static_cast<std::size_t>(row)]);
  } else {
    marks_->Clear();
  }
}

void PeopleViews::SelectLine(int line) {
  if (line < 0 || line >= people_.count()) {
    return;
  }
  people_.setCurrentRow(line);
  people_.scrollToItem(people_.item(line));
}

}  // namespace quenby
