// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/frmRule.hpp"

#include <QAbstractItemView>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QShowEvent>

#include "engine/engine.hpp"
#include "rules/catalogue.hpp"
#include "rules/rule_item.hpp"
#include "ui/owned_dialog.hpp"
#include "ui/qt_support.hpp"

namespace quenby {
namespace {

// A button that only a click or the space bar presses: Enter must not
// finish the dialog while a button has the focus.
QPushButton* PlainButton(const QString& text, QWidget* parent) {
  auto* button = new QPushButton(text, parent);
  button->setAutoDefault(false);
  return button;
}

}  // namespace

frmRule::frmRule(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("Rule"));
  setWindowFlags(OwnedDialogFlags() | Qt::MSWindowsFixedSizeDialogHint);

  cboCode = new QComboBox(this);
  cboCode->setEditable(false);
  // The entries are far longer than the box; the box keeps its width.
  cboCode->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  Label2 = new QLabel(QStringLiteral("Search text"), this);
  txtSearch = new QLineEdit(this);
  Label3 = new QLabel(QStringLiteral("Replacement"), this);
  txtReplace = new QLineEdit(this);
  btnOk = PlainButton(QStringLiteral("OK"), this);
  btnCancel = PlainButton(QStringLiteral("Cancel"), this);
  btnDelete = PlainButton(QStringLiteral("Delete"), this);

  // The arrangement of the twips layout: the code on top, the two texts side
  // by side, each button under its text. The font sets the heights.
  auto* layout = new QGridLayout(this);
  layout->setContentsMargins(TwipsToPixels(240), TwipsToPixels(240), TwipsToPixels(240), TwipsToPixels(150));
  layout->setVerticalSpacing(TwipsToPixels(150));
  layout->addWidget(cboCode, 0, 0, 1, 4);
  layout->addWidget(Label2, 1, 0);
  layout->addWidget(txtSearch, 1, 1);
  layout->addWidget(Label3, 1, 2);
  layout->addWidget(txtReplace, 1, 3);
  for (QPushButton* button : {btnOk, btnCancel, btnDelete}) {
    button->setMinimumSize(TwipsToPixels(1335), TwipsToPixels(375));
  }
  lblProblem = new QLabel(this);
  lblProblem->setStyleSheet(QStringLiteral("color: #b00020"));
  lblProblem->setWordWrap(true);
  layout->addWidget(lblProblem, 2, 0, 1, 4);
  layout->addWidget(btnOk, 3, 1, Qt::AlignLeft);
  // Delete stands at the far right, away from OK.
  auto* lastButtons = new QHBoxLayout;
  lastButtons->addWidget(btnCancel);
  lastButtons->addStretch(1);
  lastButtons->addWidget(btnDelete);
  layout->addLayout(lastButtons, 3, 3);
  layout->setColumnStretch(1, 1);
  layout->setColumnStretch(3, 1);
  setMinimumWidth(TwipsToPixels(7575));
  layout->setSizeConstraint(QLayout::SetFixedSize);

  // Named as the controls are known, for accessibility tools and tests.
  cboCode->setObjectName(QStringLiteral("cboCode"));
  Label2->setObjectName(QStringLiteral("Label2"));
  txtSearch->setObjectName(QStringLiteral("txtSearch"));
  Label3->setObjectName(QStringLiteral("Label3"));
  txtReplace->setObjectName(QStringLiteral("txtReplace"));
  btnOk->setObjectName(QStringLiteral("btnOk"));
  btnCancel->setObjectName(QStringLiteral("btnCancel"));
  btnDelete->setObjectName(QStringLiteral("btnDelete"));
  lblProblem->setObjectName(QStringLiteral("lblProblem"));
  // What accessibility tools read for each control.
  Label2->setBuddy(txtSearch);
  Label3->setBuddy(txtReplace);
  cboCode->setAccessibleName(QStringLiteral("Rule code"));
  cboCode->setAccessibleDescription(QStringLiteral("What the rule does with each line; the number is its code."));
  txtSearch->setAccessibleName(Label2->text());
  txtSearch->setAccessibleDescription(QStringLiteral("The text the rule looks for, exactly as typed: spaces count."));
  txtReplace->setAccessibleName(Label3->text());
  txtReplace->setAccessibleDescription(QStringLiteral("The text the rule puts in its place, exactly as typed."));
  setTabOrder(cboCode, txtSearch);
  setTabOrder(txtSearch, txtReplace);
  setTabOrder(txtReplace, btnOk);
  setTabOrder(btnOk, btnCancel);
  setTabOrder(btnCancel, btnDelete);

  connect(btnOk, &QPushButton::clicked, this, &frmRule::btnOk_Click);
  connect(btnCancel, &QPushButton::clicked, this, &frmRule::btnCancel_Click);
  connect(btnDelete, &QPushButton::clicked, this, &frmRule::btnDelete_Click);

  Form_Initialize();
}

void frmRule::SetRule(const QString& item) {
  sRule = item;
}

QString frmRule::GetRule() const {
  return sRule;
}

void frmRule::Form_Initialize() {
  for (const CatalogueEntry& entry : RuleCatalogue()) {
    cboCode->addItem(FromUtf8(entry.text));
  }
  // The entries are far longer than the box; the open list shows them whole.
  cboCode->view()->setMinimumWidth(cboCode->view()->sizeHintForColumn(0) + 2 * cboCode->view()->frameWidth() +
                                   cboCode->view()->verticalScrollBar()->sizeHint().width());
}

void frmRule::Form_Activate() {
  cboCode->setFocus();
  lblProblem->clear();
  // The caller puts the delete entry first only while it edits a rule.
  btnDelete->setVisible(cboCode->count() > 0 && ToUtf8(cboCode->itemText(0)) == kDeleteEntryText);
  if (sRule.isEmpty()) {
    cboCode->setCurrentIndex(0);
    txtSearch->clear();
    txtReplace->clear();
    return;
  }
  const Rule rule = DecodeRuleItem(ToUtf8(sRule));
  const long code = NumberOfText(rule.code);
  // Position 0 is skipped: while a rule is edited it holds the delete entry.
  // A code that no entry carries (only a hand-edited rules file brings one)
  // shows the catalogue's first entry, so the box always shows the code that
  // OK will store, and never the delete entry.
  int found = cboCode->findText(FromUtf8(RuleCatalogue().front().text));
  for (int index = 1; index < cboCode->count(); ++index) {
    if (NumberOfText(ToUtf8(cboCode->itemText(index))) == code) {
      found = index;
      break;
    }
  }
  cboCode->setCurrentIndex(found);
  txtSearch->setText(FromUtf8(rule.search));
  txtReplace->setText(FromUtf8(rule.replacement));
}

void frmRule::btnOk_Click() {
  const long code = NumberOfText(ToUtf8(cboCode->currentText()));
  const std::string item = EncodeRuleItem(code, ToUtf8(txtSearch->text()), ToUtf8(txtReplace->text()));
  // A rule that would run as doing nothing stays in the editor to be put
  // right; deleting it needs no valid pattern.
  if (const std::string problem = code == 0 ? std::string() : RuleProblem(DecodeRuleItem(item)); !problem.empty()) {
    lblProblem->setText(FromUtf8("Not accepted: " + problem));
    lblProblem->setToolTip(lblProblem->text());
    return;
  }
  sRule = FromUtf8(item);
  done(QDialog::Accepted);
}

void frmRule::btnDelete_Click() {
  sRule = FromUtf8(EncodeRuleItem(0, ToUtf8(txtSearch->text()), ToUtf8(txtReplace->text())));
  done(QDialog::Accepted);
}

void frmRule::btnCancel_Click() {
  sRule.clear();
  done(QDialog::Rejected);
}

void frmRule::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  // A show that the window system makes (the window coming back from
  // behind another one) is no new use: the user's edits stay.
  if (!event->spontaneous()) {
    Form_Activate();
  }
}

void frmRule::keyPressEvent(QKeyEvent* event) {
  // Enter presses the button that has the focus and means nothing
  // elsewhere, so a rule is never stored by a stray Enter; Esc cancels.
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      if (auto* button = qobject_cast<QPushButton*>(focusWidget())) {
        button->click();
      }
      event->accept();
      return;
    case Qt::Key_Escape:
      btnCancel_Click();
      event->accept();
      return;
    default:
      QDialog::keyPressEvent(event);
  }
}

void frmRule::changeEvent(QEvent* event) {
  QDialog::changeEvent(event);
  KeepUnminimised(*this, *event);
}

void frmRule::closeEvent(QCloseEvent* event) {
  // The window's close button cancels, so the caller sees "no change".
  if (isVisible()) {
    btnCancel_Click();
  }
  event->accept();
}

}  // namespace quenby
