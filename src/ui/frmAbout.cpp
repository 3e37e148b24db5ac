// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/frmAbout.hpp"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "quenby/version.hpp"
#include "ui/modal.hpp"
#include "ui/program_icon.hpp"
#include "ui/registry.hpp"

namespace quenby {
namespace {

const QString kUnavailable = QStringLiteral("System Information Is Unavailable At This Time");

// A separator line: a grey line over a white one reads as a groove.
QFrame* SeparatorLine(const QColor& colour, QWidget* parent) {
  auto* line = new QFrame(parent);
  line->setFrameShape(QFrame::NoFrame);
  line->setFixedHeight(1);
  QPalette palette = line->palette();
  palette.setColor(QPalette::Window, colour);
  line->setPalette(palette);
  line->setAutoFillBackground(true);
  return line;
}

}  // namespace

frmAbout::frmAbout(Modal& modal, const Registry& registry, QWidget* parent)
    : QDialog(parent), modal_(modal), registry_(registry) {
  setWindowTitle(QStringLiteral("About Quenby"));
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);

  picIcon = new QLabel(this);
  picIcon->setPixmap(ProgramIcon().pixmap(48, 48));
  picIcon->setFixedSize(48, 48);

  lblTitle = new QLabel(this);
  QFont titleFont = lblTitle->font();
  titleFont.setPointSizeF(titleFont.pointSizeF() * 1.8);
  titleFont.setBold(true);
  lblTitle->setFont(titleFont);

  lblVersion = new QLabel(this);
  lblDescription = new QLabel(this);
  lblDescription->setWordWrap(true);
  lblDescription->setFixedWidth(380);
  lblDescription->setAlignment(Qt::AlignLeft | Qt::AlignTop);

  lblDisclaimer = new QLabel(
      QStringLiteral("Quenby comes without any warranty: check every file it makes before you rely on it."), this);

  Line1[0] = SeparatorLine(QColor(128, 128, 128), this);
  Line1[1] = SeparatorLine(QColor(255, 255, 255), this);

  cmdOk = new QPushButton(QStringLiteral("OK"), this);
  cmdOk->setDefault(true);
  cmdSysInfo = new QPushButton(QStringLiteral("&System Info..."), this);
  cmdSysInfo->setAutoDefault(false);
  connect(cmdOk, &QPushButton::clicked, this, &QDialog::accept);
  connect(cmdSysInfo, &QPushButton::clicked, this, &frmAbout::StartSysInfo);

  auto* texts = new QVBoxLayout;
  texts->setSpacing(6);
  texts->addWidget(lblTitle);
  texts->addWidget(lblVersion);
  texts->addSpacing(6);
  texts->addWidget(lblDescription);

  auto* top = new QHBoxLayout;
  top->setSpacing(18);
  top->addWidget(picIcon, 0, Qt::AlignTop);
  top->addLayout(texts);
  top->addStretch();

  auto* buttons = new QHBoxLayout;
  buttons->setSpacing(8);
  buttons->addStretch();
  buttons->addWidget(cmdOk);
  buttons->addWidget(cmdSysInfo);
  cmdOk->setMinimumWidth(cmdSysInfo->sizeHint().width());

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(16, 16, 16, 12);
  layout->addLayout(top);
  layout->addSpacing(12);
  layout->addWidget(lblDisclaimer);
  layout->addSpacing(4);
  layout->setSpacing(0);
  layout->addWidget(Line1[0]);
  layout->addWidget(Line1[1]);
  layout->addSpacing(10);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  Form_Load();
}

void frmAbout::Form_Load() {
  lblTitle->setText(QStringLiteral("%1 \u00AE").arg(QLatin1String(kProductName)));
  lblVersion->setText(QStringLiteral("Version %1.%2.%3").arg(kVersionMajor).arg(kVersionMinor).arg(kVersionPatch));
  // The label breaks its lines at the CR LF pairs, so the text is kept as written.
  lblDescription->setText(QStringLiteral(
      "This program takes text (eg: from a web page) and runs through a list of user-defined rules in order to get"
      " the text into a list of people with the GED data identified.\r\n\r\n"
      "Once the list of people has been generated, the list can be saved as a GEDCOM compatible file."));
}

void frmAbout::StartSysInfo() {
  QString path;
  if (!GetKeyValue(registry_, QLatin1String(kSysInfoPathKey), QLatin1String(kSysInfoPathValue), path)) {
    // The second look-up names a folder; it only counts when the tool is in it.
    if (!GetKeyValue(registry_, QLatin1String(kSysInfoFolderKey), QLatin1String(kSysInfoFolderValue), path) ||
        !registry_.FileExists(path + QLatin1String(kSysInfoFileName))) {
      modal_.Message(this, QLatin1String(kProductName), kUnavailable);
      return;
    }
    path += QLatin1String(kSysInfoFileName);
  }
  if (!modal_.StartProgram(path)) {
    modal_.Message(this, QLatin1String(kProductName), kUnavailable);
  }
}

}  // namespace quenby
