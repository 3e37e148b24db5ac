// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The main window's menu bar and its keyboard shortcuts. Every entry does
// what a button of the window or one of its file operations does.

class QMenuBar;

namespace quenby {

class frmQuenby;

QMenuBar* MakeMainMenu(frmQuenby& window);

}  // namespace quenby
