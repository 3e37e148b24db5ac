// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The views of the people list beside the step view: the family tree and
// the problems as tabs of the workbench, and the marks of a person's source
// lines in the input text. Selecting a person anywhere selects it in the
// others: a people-list line opens the tree to it and marks its sources; a
// person of the tree or a problem selects its people-list line. The views
// show the list of the last finished run and are emptied with it.

#include <QObject>
#include <memory>
#include <vector>

#include "engine/engine.hpp"
#include "gedcom/problems.hpp"

class QListWidget;
class QPlainTextEdit;

namespace quenby {

class FamilyTree;
class ProblemList;
class SourceMarks;
class Workbench;

class PeopleViews : public QObject {
  Q_OBJECT

 public:
  PeopleViews(QListWidget& people, QPlainTextEdit& input, Workbench& workbench);

  // A run ended with the people list of `steps` and its problems.
  void ShowRun(std::shared_ptr<const RuleSteps> steps, const std::vector<Problem>& problems);
  // "Process all" read `people`: its problems are shown, found again only
  // when the list shown has none yet (the run's problems are those of the
  // same list).
  void ShowProblemsOf(const PeopleList& people);
  // The people list was emptied.
  void Clear();

  FamilyTree* tree = nullptr;
  ProblemList* problems = nullptr;

 private:
  void PersonSelected();
  void SelectLine(int line);

  QListWidget& people_;
  SourceMarks* marks_ = nullptr;
  std::shared_ptr<const RuleSteps> steps_;
  bool problemsShown_ = false;
};

}  // namespace quenby
