// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The workbench beside the window's lists: tabs of views of the last run.
// It holds the step view ("Steps") and takes further views as tabs of their
// own (AddView). It shows a finished run's counts in the rule list and its
// steps in the step view, and keeps the two in step: selecting a rule shows
// the lines after it, stepping selects the rule. Hidden until the user shows
// it; whether it is shown, its width and its tab are kept in the settings.

#include <QTabWidget>
#include <memory>

#include "engine/engine.hpp"

class QListWidget;

namespace quenby {

class RuleCountsDelegate;
class StepView;

class Workbench : public QTabWidget {
  Q_OBJECT

 public:
  // Draws the counts in `rules`, whose delegate it replaces.
  Workbench(QListWidget& rules, QWidget* parent);

  // Adds `view` as the last tab, titled `title`; gives its index.
  int AddView(QWidget* view, const QString& title);

  // A run ended: its counts go to the rule list, and the step view shows
  // the lines after the selected rule (or the step it showed last).
  void ShowRun(std::shared_ptr<const RuleSteps> steps);
  // The rules or the input text changed after the run: its counts and
  // steps no longer hold and are put away.
  void ForgetRun();

  // Shows or hides the workbench; a window that is not maximised grows or
  // shrinks by its width, where the screen has room.
  void SetShown(bool shown);
  bool Shown() const;
  void RestoreState();
  void SaveState() const;

  StepView* steps = nullptr;
  RuleCountsDelegate* counts = nullptr;

 private:
  void SelectRule(std::size_t step);

  QListWidget& rules_;
  bool selecting_ = false;
};

}  // namespace quenby
