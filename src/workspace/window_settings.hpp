// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the windows remember between runs, in the user's settings
// (organisation "Quenby", application "Quenby"): the main window's size and
// place, the folder the file dialogs were last in, the rules files loaded
// or saved last, and the workbench and its options.

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>

class QWidget;

namespace quenby {

// Where a window stands: the top-left corner of its frame (title bar and
// borders included) and the size of its inside, as QWidget::pos() and
// QWidget::size() give them.
struct WindowPlace {
  QPoint position;
  QSize size;
};

// The room a window's title bar and borders take, wide and high: what the
// window manager gave it once shown, before that a usual allowance.
QSize FrameAllowance(const QWidget& window);

// `place` moved and shrunk so that the whole window, frame included, lies in
// `available` (a screen's available geometry), but never smaller than
// `minimum`; a window that cannot fit keeps its top-left corner, and so its
// title bar, on the screen. Absurd values (a size below zero, a place two
// billion pixels away) give a window on the screen as well.
WindowPlace FitToScreen(WindowPlace place, QSize frame, QRect available, QSize minimum);

// Puts `window` where it was when last closed, or gives it `defaultSize`;
// either way fitted to the screen it opens on.
void RestoreWindowGeometry(QWidget& window, QSize defaultSize);
void SaveWindowGeometry(const QWidget& window);

// Where the file dialogs start: the folder of the file chosen last, or at the
// first use the user's documents folder.
QString StartFolder();
void RememberFolderOf(const QString& fileName);

// The rules files loaded or saved last, the newest first.
QStringList RecentRulesFiles();
void AddRecentRulesFile(const QString& fileName);

// The workbench beside the lists: whether it is shown, its width in pixels
// (0 before it was first shown) and its tab.
struct WorkbenchSettings {
  bool shown = false;
  int width = 0;
  int tab = 0;
};
WorkbenchSettings RememberedWorkbench();
void RememberWorkbench(const WorkbenchSettings& workbench);

// Whether every change of the rule list runs the rules again (off at first).
bool RunAfterEachChange();
void SetRunAfterEachChange(bool on);

}  // namespace quenby
