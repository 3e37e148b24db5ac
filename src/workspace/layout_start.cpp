// SPDX-License-Identifier: GPL-3.0-or-later
#include "workspace/layout_start.hpp"

#include <QCheckBox>
#include <QSettings>

#include "rules/rules_file.hpp"
#include "ui/bundled_layouts.hpp"
#include "ui/frmLayouts.hpp"
#include "ui/modal.hpp"
#include "ui/qt_support.hpp"

namespace quenby {

namespace {

QSettings Settings() {
  return QSettings(QStringLiteral("Quenby"), QStringLiteral("Quenby"));
}

void ReportUnreadable(Modal& modal, QWidget* parent, const std::string& error) {
  modal.Message(parent, QStringLiteral("Quenby"),
                QStringLiteral("The example layout could not be read; nothing was changed.\n\n") + FromUtf8(error));
}

}  // namespace

std::optional<StartingLayout> AskForLayout(Modal& modal, QWidget* parent) {
  frmLayouts dialog(parent);
  dialog.SetLayouts(BundledLayouts());
  const QString putTextKey = QString::fromLatin1(kPutExampleTextKey);
  dialog.chkPutExampleText->setChecked(Settings().value(putTextKey, false).toBool());
  modal.Exec(dialog);
  const auto chosen = dialog.ChosenLayout();
  if (!chosen) {
    return std::nullopt;
  }
  const bool putText = dialog.chkPutExampleText->isChecked();
  Settings().setValue(putTextKey, putText);

  const LoadedRules loaded = BundledRules(chosen->stem);
  if (loaded.status != LoadStatus::kLoaded) {
    ReportUnreadable(modal, parent, loaded.error);
    return std::nullopt;
  }
  StartingLayout layout;
  for (const std::string& item : loaded.items) {
    layout.rules << FromUtf8(item);
  }
  if (putText) {
    std::string error;
    layout.exampleText = BundledExampleText(chosen->stem, error);
    if (!layout.exampleText) {
      ReportUnreadable(modal, parent, error);
      return std::nullopt;
    }
  }
  return layout;
}

}  // namespace quenby
