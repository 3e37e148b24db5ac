// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/frmSexChoice.hpp"

#include <QCheckBox>
#include <QGroupBox>
#include <QHideEvent>
#include <QKeyEvent>
#include <QRadioButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include "ui/owned_dialog.hpp"

namespace quenby {

frmSexChoice::frmSexChoice(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("Sex not defined - Please select Male or Female"));
  setWindowFlags(OwnedDialogFlags() | Qt::MSWindowsFixedSizeDialogHint);

  QPalette yellow = palette();
  yellow.setColor(QPalette::Window, QColor(255, 255, 192));
  setPalette(yellow);
  setAutoFillBackground(true);

  fraFrame = new QGroupBox(QStringLiteral("<NAME>"), this);
  QFont bold = fraFrame->font();
  bold.setBold(true);
  fraFrame->setFont(bold);
  // The window title is long; the frame keeps the window wide enough to show
  // it in a bold title font, beside the title bar's buttons.
  fraFrame->setMinimumWidth(QFontMetrics(bold).horizontalAdvance(windowTitle()) * 11 / 10 + 80);

  QFont plain = bold;
  plain.setBold(false);
  auto* options = new QVBoxLayout(fraFrame);
  const std::array<QString, 3> captions = {QStringLiteral("Unknown"), QStringLiteral("Male"), QStringLiteral("Female")};
  for (int index = 0; index < 3; ++index) {
    QRadioButton* option = new QRadioButton(captions[static_cast<std::size_t>(index)], fraFrame);
    option->setFont(plain);
    option->installEventFilter(this);
    options->addWidget(option);
    // An option becomes checked only by the user: a click, a key, or an
    // accessibility tool's toggle, which checks it without a click. The
    // reset of Form_Activate checks "Unknown", which answers nothing.
    connect(option, &QRadioButton::toggled, this, [this, index](bool checked) {
      if (checked) {
        optSex_Click(index);
      }
    });
    optSex[static_cast<std::size_t>(index)] = option;
  }

  chkEveryoneElse = new QCheckBox(QStringLiteral("Use this answer for everyone else without a sex in this run"), this);
  chkEveryoneElse->setObjectName(QStringLiteral("chkEveryoneElse"));
  fraFrame->setAccessibleDescription(
      QStringLiteral("The person whose sex is asked. Choose Male or Female, or press M or F."));

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(fraFrame);
  layout->addWidget(chkEveryoneElse);
  // A long name widens the window so the caption is never cut.
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

void frmSexChoice::SetPersonName(const QString& name) {
  // A name is shown as written: "&" would otherwise mark a shortcut letter.
  fraFrame->setTitle(QString(name).replace(QLatin1Char('&'), QStringLiteral("&&")));
}

bool frmSexChoice::IsMale() const {
  return optSex[1]->isChecked();
}

bool frmSexChoice::WasAnswered() const {
  return !optSex[0]->isChecked();
}

void frmSexChoice::OfferEveryoneElse(bool offer) {
  chkEveryoneElse->setVisible(offer);
}

void frmSexChoice::Form_Activate() {
  optSex[0]->setChecked(true);
  chkEveryoneElse->setChecked(false);
  optSex[0]->setFocus();
}

void frmSexChoice::optSex_Click(int index) {
  if (index > 0) {
    hide();
  }
}

void frmSexChoice::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!event->spontaneous()) {
    Form_Activate();
  }
}

void frmSexChoice::hideEvent(QHideEvent* event) {
  QDialog::hideEvent(event);
  // A dialog shown again is centred on its owner anew unless it was moved:
  // keeping the place it had holds the options where the user last saw them.
  if (!event->spontaneous()) {
    move(pos());
  }
}

void frmSexChoice::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_M:
      optSex[1]->click();
      break;
    case Qt::Key_F:
      optSex[2]->click();
      break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      // Enter chooses the option that has the focus; on "Unknown" it does
      // nothing, as choosing "Unknown" does nothing.
      if (auto* option = qobject_cast<QRadioButton*>(focusWidget())) {
        option->click();
      }
      break;
    default:
      QDialog::keyPressEvent(event);
      return;
  }
  event->accept();
}

void frmSexChoice::changeEvent(QEvent* event) {
  QDialog::changeEvent(event);
  KeepUnminimised(*this, *event);
}

bool frmSexChoice::eventFilter(QObject* watched, QEvent* event) {
  // Arrow keys only move the focus between the options. Selecting on the
  // move would answer "Male" on the way from "Unknown" to "Female"; the
  // space bar chooses the option that has the focus.
  if (event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    int step = 0;
    if (key == Qt::Key_Up || key == Qt::Key_Left) {
      step = -1;
    } else if (key == Qt::Key_Down || key == Qt::Key_Right) {
      step = 1;
    }
    for (std::size_t index = 0; step != 0 && index < optSex.size(); ++index) {
      if (optSex[index] == watched) {
        const int next = static_cast<int>(index) + step;
        if (next >= 0 && next < static_cast<int>(optSex.size())) {
          optSex[static_cast<std::size_t>(next)]->setFocus(Qt::TabFocusReason);
        }
        return true;
      }
    }
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace quenby
