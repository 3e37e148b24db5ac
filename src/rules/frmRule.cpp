// SPDX-License-Identifier: GPL-3.0-or-later
#include "rules/frmRule.hpp"

#include <QAbstractItemView>
#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QShowEvent>
#include <algorithm>
#include <initializer_list>

#include "rules/catalogue.hpp"
#include "rules/rule_item.hpp"
#include "workspace/qt_support.hpp"

namespace quenby {
namespace {

// A button that only a click or the space bar presses: Enter must not
// finish the dialog while a button has the focus.
QPushButton* PlainButton(const QString& text, QWidget* parent) {
  auto* button = new QPushButton(text, parent);
  button->setAutoDefault(false);
  return button;
}

// The layout's sizes are fixed; the font gives way until every label fits
// its place, whatever font the desktop prefers.
void FitFont(QWidget& dialog, std::initializer_list<const QLabel*> labels) {
  QFont font = dialog.font();
  const auto tooWide = [&font, labels] {
    return std::any_of(labels.begin(), labels.end(), [&font](const QLabel* label) {
      return QFontMetrics(font).horizontalAdvance(label->text()) > label->width();
    });
  };
  while (font.pointSizeF() > 6 && tooWide()) {
    font.setPointSizeF(font.pointSizeF() - 0.5);
  }
  dialog.setFont(font);
}

}  // namespace

frmRule::frmRule(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("Rule"));
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
  setFixedSize(TwipsToPixels(7575), TwipsToPixels(1845));

  cboCode = new QComboBox(this);
  cboCode->setEditable(false);
  cboCode->setGeometry(TwipsRect(240, 240, 7095, 315));

  Label2 = new QLabel(QStringLiteral("Search text"), this);
  Label2->setGeometry(TwipsRect(240, 720, 1095, 255));
  txtSearch = new QLineEdit(this);
  txtSearch->setGeometry(TwipsRect(1320, 720, 2415, 285));

  Label3 = new QLabel(QStringLiteral("Replacement"), this);
  Label3->setGeometry(TwipsRect(3840, 720, 1095, 255));
  txtReplace = new QLineEdit(this);
  txtReplace->setGeometry(TwipsRect(4920, 720, 2415, 285));

  btnOk = PlainButton(QStringLiteral("OK"), this);
  btnOk->setGeometry(TwipsRect(1320, 1320, 1335, 375));
  btnCancel = PlainButton(QStringLiteral("Cancel"), this);
  btnCancel->setGeometry(TwipsRect(4920, 1320, 1335, 375));

  FitFont(*this, {Label2, Label3});

  // Named as the controls are known, for accessibility tools and tests.
  cboCode->setObjectName(QStringLiteral("cboCode"));
  Label2->setObjectName(QStringLiteral("Label2"));
  txtSearch->setObjectName(QStringLiteral("txtSearch"));
  Label3->setObjectName(QStringLiteral("Label3"));
  txtReplace->setObjectName(QStringLiteral("txtReplace"));
  btnOk->setObjectName(QStringLiteral("btnOk"));
  btnCancel->setObjectName(QStringLiteral("btnCancel"));
  setTabOrder(cboCode, txtSearch);
  setTabOrder(txtSearch, txtReplace);
  setTabOrder(txtReplace, btnOk);
  setTabOrder(btnOk, btnCancel);

  connect(btnOk, &QPushButton::clicked, this, &frmRule::btnOk_Click);
  connect(btnCancel, &QPushButton::clicked, this, &frmRule::btnCancel_Click);

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
  sRule = FromUtf8(EncodeRuleItem(code, ToUtf8(txtSearch->text()), ToUtf8(txtReplace->text())));
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
  // Only the two buttons end the dialog: Enter and Esc have no meaning here.
  switch (event->key()) {
    case Qt::Key_Escape:
    case Qt::Key_Return:
    case Qt::Key_Enter:
      event->accept();
      return;
    default:
      QDialog::keyPressEvent(event);
  }
}

void frmRule::closeEvent(QCloseEvent* event) {
  // The window's close button cancels, so the caller sees "no change".
  if (isVisible()) {
    btnCancel_Click();
  }
  event->accept();
}

}  // namespace quenby
