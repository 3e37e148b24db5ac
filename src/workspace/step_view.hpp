// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The step view: the lines of the last run as they stood after one rule,
// each marked by what that rule did to it (changed, made, moved; kept lines
// unmarked) in a column of its own and by its background, with the rule's
// counts as a caption. Step 0 is the lines the run starts from. The lines
// are read from the run's kept steps when they are shown, so a list of
// 100,000 lines costs only the rows on the screen.

#include <QAbstractTableModel>
#include <QWidget>
#include <memory>

#include "engine/engine.hpp"

class QLabel;
class QPushButton;
class QSpinBox;
class QTableView;

namespace quenby {

// "changed", "made", "moved", or the empty text for a kept line.
QString MarkText(LineMark mark);

class StepLinesModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  enum Column { kMarkColumn, kLineColumn, kColumns };

  using QAbstractTableModel::QAbstractTableModel;

  void SetStep(RuleStep step);
  void Clear();
  const RuleStep& Step() const { return step_; }

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  RuleStep step_;
};

class StepView : public QWidget {
  Q_OBJECT

 public:
  explicit StepView(QWidget* parent = nullptr);

  // A finished run to step through, shown after rule `rule` (at most its
  // last rule).
  void ShowRun(std::shared_ptr<const RuleSteps> steps, std::size_t rule);
  // The lines after rule `rule` of the run shown (0: before the first).
  void ShowStep(std::size_t rule);
  // The run no longer holds: nothing is shown, and the caption says `why`.
  // The step shown last is kept for the next run.
  void Forget(const QString& why);
  bool HasRun() const { return steps_ != nullptr; }
  std::size_t Step() const { return step_; }
  const StepLinesModel& Lines() const { return *model_; }

  QLabel* lblStepCaption = nullptr;
  QPushButton* btnPreviousStep = nullptr;
  QPushButton* btnNextStep = nullptr;
  QSpinBox* spnStep = nullptr;
  QTableView* grdStepLines = nullptr;

 signals:
  // A step was shown, by any of the controls or by ShowStep.
  void StepShown(std::size_t rule);

 private:
  std::size_t Rules() const;

  StepLinesModel* model_ = nullptr;
  std::shared_ptr<const RuleSteps> steps_;
  std::size_t step_ = 0;
};

}  // namespace quenby
