// SPDX-License-Identifier: GPL-3.0-or-later
#include "workspace/workbench.hpp"

#include <QListWidget>
#include <QScreen>
#include <QSplitter>
#include <algorithm>
#include <utility>

#include "ui/qt_support.hpp"
#include "workspace/rule_counts.hpp"
#include "workspace/step_view.hpp"
#include "workspace/window_settings.hpp"

namespace quenby {

namespace {

// The width the workbench is first shown at.
const int kFirstWidth = TwipsToPixels(6000);

}  // namespace

Workbench::Workbench(QListWidget& rules, QWidget* parent) : QTabWidget(parent), rules_(rules) {
  setObjectName(QStringLiteral("workbench"));
  steps = new StepView(this);
  steps->setObjectName(QStringLiteral("steps"));
  addTab(steps, QStringLiteral("Steps"));

  QAbstractItemDelegate* drawnBefore = rules.itemDelegate();
  counts = new RuleCountsDelegate(&rules);
  rules.setItemDelegate(counts);
  delete drawnBefore;

  // A hidden step view does not follow the selection: stepping through the
  // rules with the arrow keys would cost a step each.
  connect(&rules, &QListWidget::currentRowChanged, this, [this](int row) {
    if (!selecting_ && row >= 0 && steps->HasRun() && Shown()) {
      steps->ShowStep(static_cast<std::size_t>(row) + 1);
    }
  });
  connect(steps, &StepView::StepShown, this, &Workbench::SelectRule);
  hide();
}

int Workbench::AddView(QWidget* view, const QString& title) {
  return addTab(view, title);
}

void Workbench::ShowRun(std::shared_ptr<const RuleSteps> run) {
  counts->SetEffects(run->Run().effects);
  rules_.viewport()->update();
  const int row = rules_.currentRow();
  steps->ShowRun(std::move(run), row >= 0 ? static_cast<std::size_t>(row) + 1 : steps->Step());
}

void Workbench::ForgetRun() {
  if (!steps->HasRun()) {
    return;
  }
  counts->SetEffects({});
  rules_.viewport()->update();
  steps->Forget(
      QStringLiteral("The rules or the text changed after the last run: run the rules again to see the "
                     "lines after each rule."));
}

// Step K shows the lines after the rule in row K - 1; step 0 selects none.
void Workbench::SelectRule(std::size_t step) {
  selecting_ = true;
  if (step == 0) {
    rules_.setCurrentRow(-1);
  } else if (step <= static_cast<std::size_t>(rules_.count())) {
    rules_.setCurrentRow(static_cast<int>(step) - 1);
  }
  selecting_ = false;
}

bool Workbench::Shown() const {
  return !isHidden();
}

void Workbench::SetShown(bool shown) {
  if (shown == Shown()) {
    return;
  }
  auto* split = qobject_cast<QSplitter*>(parentWidget());
  QWidget* frame = window();
  const int width = shown ? std::max(RememberedWorkbench().width, kFirstWidth) : this->width();
  const int areas = split != nullptr ? split->widget(0)->width() : 0;
  setVisible(shown);
  if (shown && steps->HasRun() && rules_.currentRow() >= 0) {
    steps->ShowStep(static_cast<std::size_t>(rules_.currentRow()) + 1);
  }
  if (split == nullptr || frame->isMaximized() || frame->isFullScreen()) {
    return;
  }
  const int change = width + split->handleWidth();
  int wanted = shown ? frame->width() + change : frame->width() - change;
  if (const QScreen* screen = frame->screen()) {
    wanted = std::min(wanted, screen->availableGeometry().width() - FrameAllowance(*frame).width());
  }
  frame->resize(std::max(wanted, frame->minimumSizeHint().width()), frame->height());
  if (shown) {
    split->setSizes({areas, width});
  }
}

void Workbench::RestoreState() {
  const WorkbenchSettings remembered = RememberedWorkbench();
  setCurrentIndex(std::clamp(remembered.tab, 0, count() - 1));
  setVisible(remembered.shown);
  if (auto* split = qobject_cast<QSplitter*>(parentWidget()); split != nullptr && remembered.shown) {
    split->setSizes({std::max(split->width() - remembered.width, 1), std::max(remembered.width, kFirstWidth)});
  }
}

void Workbench::SaveState() const {
  WorkbenchSettings settings = RememberedWorkbench();
  settings.shown = Shown();
  if (Shown()) {
    settings.width = width();
  }
  settings.tab = currentIndex();
  RememberWorkbench(settings);
}

}  // namespace quenby
