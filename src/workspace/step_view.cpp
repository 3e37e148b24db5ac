// SPDX-License-Identifier: GPL-3.0-or-later
#include "workspace/step_view.hpp"

#include <QBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTableView>
#include <algorithm>
#include <utility>

#include "ui/qt_support.hpp"
#include "workspace/rule_counts.hpp"

namespace quenby {

namespace {

// Light backgrounds, each with the text drawn black on it, so that a mark
// reads on a dark theme too. The mark's word says the same in its column.
QColor MarkColour(LineMark mark) {
  switch (mark) {
    case LineMark::kChanged:
      return {255, 238, 170};
    case LineMark::kMade:
      return {200, 238, 200};
    case LineMark::kMoved:
      return {200, 220, 250};
    case LineMark::kKept:
      break;
  }
  return {};
}

}  // namespace

QString MarkText(LineMark mark) {
  switch (mark) {
    case LineMark::kChanged:
      return QStringLiteral("changed");
    case LineMark::kMade:
      return QStringLiteral("made");
    case LineMark::kMoved:
      return QStringLiteral("moved");
    case LineMark::kKept:
      break;
  }
  return {};
}

void StepLinesModel::SetStep(RuleStep step) {
  beginResetModel();
  step_ = std::move(step);
  endResetModel();
}

void StepLinesModel::Clear() {
  SetStep({});
}

int StepLinesModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(step_.lines.size());
}

int StepLinesModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kColumns;
}

QVariant StepLinesModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || static_cast<std::size_t>(index.row()) >= step_.lines.size()) {
    return {};
  }
  const auto row = static_cast<std::size_t>(index.row());
  const LineMark mark = row < step_.marks.size() ? step_.marks[row] : LineMark::kKept;
  switch (role) {
    case Qt::DisplayRole:
      return index.column() == kMarkColumn ? MarkText(mark) : FromUtf8(step_.lines[row]);
    case Qt::ToolTipRole:
      return index.column() == kLineColumn ? FromUtf8(step_.lines[row]) : QVariant();
    case Qt::BackgroundRole:
      return mark == LineMark::kKept ? QVariant() : QVariant(MarkColour(mark));
    case Qt::ForegroundRole:
      return mark == LineMark::kKept ? QVariant() : QVariant(QColor(Qt::black));
    default:
      return {};
  }
}

QVariant StepLinesModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) {
    return {};
  }
  return section == kMarkColumn ? QStringLiteral("Mark") : QStringLiteral("Line");
}

StepView::StepView(QWidget* parent) : QWidget(parent) {
  lblStepCaption = new QLabel(this);
  lblStepCaption->setObjectName(QStringLiteral("lblStepCaption"));
  lblStepCaption->setWordWrap(true);
  btnPreviousStep = new QPushButton(QStringLiteral("&Previous rule"), this);
  btnPreviousStep->setObjectName(QStringLiteral("btnPreviousStep"));
  btnNextStep = new QPushButton(QStringLiteral("&Next rule"), this);
  btnNextStep->setObjectName(QStringLiteral("btnNextStep"));
  spnStep = new QSpinBox(this);
  spnStep->setObjectName(QStringLiteral("spnStep"));
  spnStep->setPrefix(QStringLiteral("after rule "));
  // A number typed whole is shown once, not once per digit.
  spnStep->setKeyboardTracking(false);

  model_ = new StepLinesModel(this);
  grdStepLines = new QTableView(this);
  grdStepLines->setObjectName(QStringLiteral("grdStepLines"));
  grdStepLines->setModel(model_);
  grdStepLines->setSelectionBehavior(QAbstractItemView::SelectRows);
  grdStepLines->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grdStepLines->setShowGrid(false);
  grdStepLines->setWordWrap(false);
  // Rows of one height and fixed columns: the view never measures the lines.
  grdStepLines->verticalHeader()->hide();
  grdStepLines->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  grdStepLines->verticalHeader()->setDefaultSectionSize(grdStepLines->fontMetrics().height() + 4);
  grdStepLines->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  grdStepLines->horizontalHeader()->setStretchLastSection(true);
  grdStepLines->setColumnWidth(StepLinesModel::kMarkColumn,
                               grdStepLines->fontMetrics().horizontalAdvance(QStringLiteral("changed")) + 16);

  auto* controls = new QHBoxLayout;
  controls->addWidget(btnPreviousStep);
  controls->addWidget(spnStep, 1);
  controls->addWidget(btnNextStep);
  auto* rows = new QVBoxLayout(this);
  rows->addLayout(controls);
  rows->addWidget(lblStepCaption);
  rows->addWidget(grdStepLines, 1);

  connect(btnPreviousStep, &QPushButton::clicked, this, [this] { ShowStep(step_ > 0 ? step_ - 1 : 0); });
  connect(btnNextStep, &QPushButton::clicked, this, [this] { ShowStep(step_ + 1); });
  connect(spnStep, &QSpinBox::valueChanged, this, [this](int value) { ShowStep(static_cast<std::size_t>(value)); });
  Forget(QStringLiteral("Run Rules to see the lines as they stand after each rule."));
}

std::size_t StepView::Rules() const {
  return steps_ != nullptr ? steps_->Run().effects.size() : 0;
}

void StepView::ShowRun(std::shared_ptr<const RuleSteps> steps, std::size_t rule) {
  steps_ = std::move(steps);
  const QSignalBlocker blocker(spnStep);
  spnStep->setEnabled(true);
  spnStep->setRange(0, static_cast<int>(Rules()));
  spnStep->setSuffix(QStringLiteral(" of %1").arg(Rules()));
  ShowStep(rule);
}

void StepView::ShowStep(std::size_t rule) {
  if (steps_ == nullptr) {
    return;
  }
  step_ = std::min(rule, Rules());
  model_->SetStep(steps_->After(step_));
  const RuleStep& step = model_->Step();
  const QString lines = QStringLiteral("%L1 lines").arg(step.lines.size());
  lblStepCaption->setText(
      step_ == 0
          ? QStringLiteral("Before the first rule: the input text's %1.").arg(lines)
          : QStringLiteral("After rule %1 of %2: %3; %4.").arg(step_).arg(Rules()).arg(CountsText(step.effect), lines));
  {
    const QSignalBlocker blocker(spnStep);
    spnStep->setValue(static_cast<int>(step_));
  }
  btnPreviousStep->setEnabled(step_ > 0);
  btnNextStep->setEnabled(step_ < Rules());
  emit StepShown(step_);
}

void StepView::Forget(const QString& why) {
  steps_.reset();
  model_->Clear();
  lblStepCaption->setText(why);
  const QSignalBlocker blocker(spnStep);
  spnStep->setRange(0, 0);
  spnStep->setSuffix(QString());
  spnStep->setEnabled(false);
  btnPreviousStep->setEnabled(false);
  btnNextStep->setEnabled(false);
}

}  // namespace quenby
