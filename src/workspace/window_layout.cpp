// SPDX-License-Identifier: GPL-3.0-or-later
#include "workspace/window_layout.hpp"

#include <QBoxLayout>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QScreen>
#include <QSplitter>
#include <algorithm>

#include "ui/qt_support.hpp"
#include "workspace/caption_button.hpp"
#include "workspace/find_bar.hpp"
#include "workspace/frmQuenby.hpp"
#include "workspace/window_settings.hpp"
#include "workspace/window_status.hpp"
#include "workspace/workbench.hpp"

namespace quenby {

namespace {

// The gaps of the twips layout between groups of controls.
const int kGap = TwipsToPixels(105);
const int kMargin = TwipsToPixels(240);

// The client area of the twips layout.
constexpr int kDefaultWidthTwips = 9735;
constexpr int kDefaultHeightTwips = 12510;

// A button that keeps its twips size, grown only where the font needs it.
QWidget* Fixed(QPushButton* button, int widthTwips, int heightTwips) {
  if (auto* caption = qobject_cast<CaptionButton*>(button)) {
    caption->SetDesignSize(TwipsSize(widthTwips, heightTwips));
    caption->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
  } else {
    button->setFixedSize(TwipsSize(widthTwips, heightTwips));
  }
  return button;
}

// A button that spans its column, with its twips height; its twips width is
// the least it is laid out at.
QWidget* Spanning(QPushButton* button, int widthTwips, int heightTwips) {
  auto* caption = static_cast<CaptionButton*>(button);
  caption->SetDesignSize(TwipsSize(widthTwips, heightTwips));
  caption->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  return caption;
}

// A text area or list that grows, but never below a few lines.
QWidget* Growing(QAbstractScrollArea* area, int lines) {
  area->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
  area->setMinimumHeight(lines * area->fontMetrics().lineSpacing() + 2 * area->frameWidth() + 4);
  area->setMinimumWidth(TwipsToPixels(1500));
  return area;
}

QVBoxLayout* Column(std::initializer_list<QWidget*> buttons) {
  auto* column = new QVBoxLayout;
  column->setSpacing(kGap);
  for (QWidget* button : buttons) {
    column->addWidget(button);
  }
  column->addStretch(1);
  return column;
}

// One area of the window, which the user may make taller or shorter against
// the others: a widget holding the area's rows.
QWidget* Pane(QLayout* rows) {
  rows->setContentsMargins(0, 0, 0, 0);
  auto* pane = new QWidget;
  pane->setLayout(rows);
  return pane;
}

QVBoxLayout* Rows(std::initializer_list<QWidget*> rows) {
  auto* layout = new QVBoxLayout;
  layout->setSpacing(0);
  for (QWidget* row : rows) {
    layout->addWidget(row);
  }
  return layout;
}

}  // namespace

// The sizes below are the twips sizes of the form's controls; the rows and
// columns are where the form places them.
void ArrangeMainWindow(frmQuenby& w) {
  // The stretch of each growing row is its twips height.
  const int inputStretch = TwipsToPixels(1995);
  const int rulesStretch = TwipsToPixels(2025);
  const int peopleStretch = TwipsToPixels(2400);
  const int recordsStretch = TwipsToPixels(1995);

  auto* root = new QVBoxLayout(&w);
  root->setContentsMargins(kMargin, TwipsToPixels(120), kMargin, 0);
  root->setSpacing(0);

  // The four areas, input, rules, people and records, stand in a splitter
  // whose handles take the gaps between them.
  auto* areas = new QSplitter(Qt::Vertical, &w);
  areas->setObjectName(QStringLiteral("areas"));
  areas->setHandleWidth(kGap);
  areas->setChildrenCollapsible(false);

  auto* input = new QVBoxLayout;
  input->setSpacing(0);
  auto* top = new QHBoxLayout;
  top->setSpacing(kGap);
  top->addWidget(w.Label1, 1, Qt::AlignBottom);
  top->addWidget(Fixed(w.cmdDebugPeople, 1815, 255));
  top->addWidget(Fixed(w.btnHelp, 255, 255));
  input->addLayout(top);
  input->addWidget(Growing(w.txtInput, 2), 1);
  areas->addWidget(Pane(input));

  auto* rulesArea = new QVBoxLayout;
  rulesArea->setSpacing(0);
  rulesArea->addWidget(w.Label2);
  auto* rules = new QHBoxLayout;
  rules->setSpacing(kGap);
  rules->addWidget(Growing(w.lstRules, 2), 1);
  rules->addLayout(Column({Fixed(w.btnRuleMove[0], 375, 975), Fixed(w.btnRuleMove[1], 375, 975)}));
  rules->addLayout(
      Column({Fixed(w.btnEditRule, 1215, 615), Fixed(w.btnInsertRule, 1215, 615), Fixed(w.btnAddRule, 1215, 615)}));
  rules->addLayout(Column({Fixed(w.btnLoad, 1215, 975), Fixed(w.btnSave, 1215, 975)}));
  rulesArea->addLayout(rules, 1);
  rulesArea->addSpacing(kGap);
  rulesArea->addWidget(Spanning(w.btnRunRules, 9255, 615));
  areas->addWidget(Pane(rulesArea));

  // The people list on the left; the test variables, each under the caption
  // "Test var's" with its label to its left, on the right.
  auto* people = new QGridLayout;
  people->setHorizontalSpacing(kGap);
  people->setVerticalSpacing(0);
  people->addWidget(w.Label6, 0, 0);
  people->addWidget(Growing(w.lstPeople, 2), 1, 0);
  auto* details = new QGridLayout;
  details->setHorizontalSpacing(kGap);
  details->setVerticalSpacing(0);
  details->addWidget(w.Label7, 0, 1);
  const std::array<QLabel*, 10> labels = {w.Label10, w.Label11, w.Label12, w.Label13, w.Label14,
                                          w.Label15, w.Label16, w.Label17, w.Label18, w.Label19};
  for (std::size_t i = 0; i < labels.size(); ++i) {
    const int row = static_cast<int>(i) + 1;
    details->addWidget(labels[i], row, 0);
    details->addWidget(w.txtDetails[i], row, 1);
  }
  details->setColumnStretch(1, 1);
  details->setRowStretch(static_cast<int>(labels.size()) + 1, 1);
  people->addLayout(details, 0, 1, 2, 1);
  auto* test = new QHBoxLayout;
  test->setSpacing(kGap);
  test->addWidget(Spanning(w.btnTestOne, 3015, 615));
  test->addWidget(Spanning(w.btnDoOne, 3015, 615));
  people->addItem(new QSpacerItem(0, kGap, QSizePolicy::Minimum, QSizePolicy::Fixed), 2, 0);
  people->addLayout(test, 3, 0);
  people->addWidget(Spanning(w.btnDoAll, 3015, 615), 3, 1);
  // The twips widths of the two columns: the people list and "Process all".
  people->setColumnStretch(0, TwipsToPixels(6135));
  people->setColumnStretch(1, TwipsToPixels(3015));
  people->setRowStretch(1, 1);
  areas->addWidget(Pane(people));

  // The two record boxes side by side, each as wide as the user makes it.
  auto* records = new QSplitter(Qt::Horizontal);
  records->setObjectName(QStringLiteral("records"));
  records->setHandleWidth(kGap);
  records->setChildrenCollapsible(false);
  records->addWidget(Pane(Rows({w.Label8, Growing(w.txtINDI, 2)})));
  records->addWidget(Pane(Rows({w.Label9, Growing(w.txtFAM, 2)})));
  areas->addWidget(records);

  // An area whose buttons or test variables need more than its twips height
  // stretches from that height, so that every area gains as soon as the
  // window does.
  const int stretches[] = {inputStretch, rulesStretch, peopleStretch, recordsStretch};
  for (int i = 0; i < areas->count(); ++i) {
    areas->setStretchFactor(i, std::max(stretches[i], areas->widget(i)->minimumSizeHint().height()));
  }
  // The workbench stands beside the areas, as wide as the user makes it; a
  // wider window widens the areas.
  auto* beside = new QSplitter(Qt::Horizontal, &w);
  beside->setObjectName(QStringLiteral("workbenchSplit"));
  beside->setHandleWidth(kGap);
  beside->setChildrenCollapsible(false);
  beside->addWidget(areas);
  beside->addWidget(w.workbench);
  beside->setStretchFactor(0, 1);
  beside->setStretchFactor(1, 0);
  root->addWidget(beside, 1);
  root->addSpacing(kGap);
  root->addWidget(Spanning(w.btnWrite, 9255, 615));
  root->addWidget(w.findBar);
  root->addWidget(w.status);
}

QSize DefaultWindowSize(const frmQuenby& window) {
  QSize size =
      QSize(TwipsToPixels(kDefaultWidthTwips), TwipsToPixels(kDefaultHeightTwips)).expandedTo(window.minimumSizeHint());
  if (const QScreen* screen = window.screen()) {
    size = size.boundedTo(screen->availableSize() - FrameAllowance(window)).expandedTo(window.minimumSizeHint());
  }
  return size;
}

}  // namespace quenby
