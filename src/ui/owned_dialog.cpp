// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/owned_dialog.hpp"

#include <QDialog>
#include <QEvent>
#include <QTimer>

namespace quenby {

Qt::WindowFlags OwnedDialogFlags() {
  return Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
         Qt::WindowCloseButtonHint;
}

void KeepUnminimised(QDialog& dialog, const QEvent& event) {
  if (event.type() != QEvent::WindowStateChange || !dialog.isMinimized()) {
    return;
  }
  // Restored once the window manager has finished minimising it.
  QTimer::singleShot(0, &dialog, [&dialog] {
    dialog.setWindowState(dialog.windowState() & ~Qt::WindowMinimized);
    dialog.showNormal();
    dialog.raise();
    dialog.activateWindow();
  });
}

}  // namespace quenby
