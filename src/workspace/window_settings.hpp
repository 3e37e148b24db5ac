// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the windows remember between runs, in the user's settings
// (organisation "Quenby", application "Quenby"): the main window's size and
// place, the folder the file dialogs were last in, and the rules files loaded
// or saved last.

#include <QSize>
#include <QString>
#include <QStringList>

class QWidget;

namespace quenby {

// Puts `window` where it was when last closed, or gives it `defaultSize`.
void RestoreWindowGeometry(QWidget& window, QSize defaultSize);
void SaveWindowGeometry(const QWidget& window);

// Where the file dialogs start: the folder of the file chosen last, or at the
// first use the user's documents folder.
QString StartFolder();
void RememberFolderOf(const QString& fileName);

// The rules files loaded or saved last, the newest first.
QStringList RecentRulesFiles();
void AddRecentRulesFile(const QString& fileName);

}  // namespace quenby
