// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/frmLayouts.hpp"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "text/text.hpp"
#include "ui/bundled_layouts.hpp"
#include "ui/owned_dialog.hpp"
#include "ui/qt_support.hpp"

namespace quenby {

frmLayouts::frmLayouts(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("New rules from an example layout"));
  setWindowFlags(OwnedDialogFlags());

  lblLayouts = new QLabel(QStringLiteral("&Layouts:"), this);
  lstLayouts = new QTreeWidget(this);
  lstLayouts->setObjectName(QStringLiteral("lstLayouts"));
  lstLayouts->setHeaderLabels({QStringLiteral("Layout"), QStringLiteral("Description")});
  lstLayouts->setRootIsDecorated(false);
  lstLayouts->setUniformRowHeights(true);
  lstLayouts->setAllColumnsShowFocus(true);
  lstLayouts->header()->setStretchLastSection(true);
  lblLayouts->setBuddy(lstLayouts);
  lstLayouts->setAccessibleName(QStringLiteral("Example layouts"));
  lstLayouts->setAccessibleDescription(
      QStringLiteral("The layouts built into Quenby, each with a description. Enter chooses the selected one."));

  lblExample = new QLabel(QStringLiteral("&Beginning of its example text:"), this);
  txtExample = new QPlainTextEdit(this);
  txtExample->setObjectName(QStringLiteral("txtExample"));
  txtExample->setReadOnly(true);
  txtExample->setLineWrapMode(QPlainTextEdit::NoWrap);
  lblExample->setBuddy(txtExample);
  txtExample->setAccessibleName(QStringLiteral("Example text"));
  txtExample->setAccessibleDescription(QStringLiteral("The first lines of the selected layout's example text."));

  chkPutExampleText = new QCheckBox(QStringLiteral("Also put the example &text into the input box"), this);
  chkPutExampleText->setObjectName(QStringLiteral("chkPutExampleText"));
  chkPutExampleText->setAccessibleName(QStringLiteral("Also put the example text into the input box"));

  buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->button(QDialogButtonBox::Ok)->setAccessibleName(QStringLiteral("OK"));
  buttons->button(QDialogButtonBox::Cancel)->setAccessibleName(QStringLiteral("Cancel"));

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(lblLayouts);
  layout->addWidget(lstLayouts, 1);
  layout->addWidget(lblExample);
  layout->addWidget(txtExample, 1);
  layout->addWidget(chkPutExampleText);
  layout->addWidget(buttons);
  resize(720, 520);

  connect(lstLayouts, &QTreeWidget::currentItemChanged, this, &frmLayouts::ShowExample);
  connect(lstLayouts, &QTreeWidget::itemActivated, this, &frmLayouts::Choose);
  connect(buttons, &QDialogButtonBox::accepted, this, &frmLayouts::Choose);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void frmLayouts::SetLayouts(std::vector<LayoutEntry> layouts) {
  layouts_ = std::move(layouts);
  lstLayouts->clear();
  for (const LayoutEntry& entry : layouts_) {
    new QTreeWidgetItem(lstLayouts, {FromUtf8(entry.title), FromUtf8(entry.description)});
  }
  lstLayouts->resizeColumnToContents(0);
  if (!layouts_.empty()) {
    lstLayouts->setCurrentItem(lstLayouts->topLevelItem(0));
  }
  ShowExample();
}

std::optional<LayoutEntry> frmLayouts::ChosenLayout() const {
  return chosen_ ? std::optional<LayoutEntry>(layouts_[*chosen_]) : std::nullopt;
}

void frmLayouts::showEvent(QShowEvent* event) {
  chosen_.reset();
  lstLayouts->setFocus();
  QDialog::showEvent(event);
}

void frmLayouts::changeEvent(QEvent* event) {
  QDialog::changeEvent(event);
  KeepUnminimised(*this, *event);
}

void frmLayouts::ShowExample() {
  const int row = lstLayouts->indexOfTopLevelItem(lstLayouts->currentItem());
  if (row < 0) {
    txtExample->clear();
    return;
  }
  std::string error;
  const auto text = BundledExampleText(layouts_[static_cast<std::size_t>(row)].stem, error);
  txtExample->setPlainText(FromUtf8(text ? CrLfToLf(FirstLines(*text, kPreviewLines)) : error));
}

void frmLayouts::Choose() {
  const int row = lstLayouts->indexOfTopLevelItem(lstLayouts->currentItem());
  if (row < 0) {
    return;
  }
  chosen_ = static_cast<std::size_t>(row);
  accept();
}

}  // namespace quenby
