// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The small modal dialogs that block the main window while they ask (the
// rule editor, the sex question): a title and a close button, no minimise or
// maximise button, and never minimised, since a minimised modal dialog would
// leave its owner blocked with nothing visible to answer.

#include <Qt>

class QDialog;
class QEvent;

namespace quenby {

Qt::WindowFlags OwnedDialogFlags();

// Call from the dialog's changeEvent: undoes a minimise that the window
// manager made anyway.
void KeepUnminimised(QDialog& dialog, const QEvent& event);

}  // namespace quenby
