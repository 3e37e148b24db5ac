// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The names and descriptions that screen readers and other accessibility
// tools read for the main window's controls. A control is named by its
// caption or by the label beside it; where a caption is drawn as a picture
// ("^    |  ") or abbreviated ("?"), the name says what it does. The lists
// and text boxes also say what they hold.

namespace quenby {

class frmQuenby;

void NameControlsForAccessibility(frmQuenby& window);

}  // namespace quenby
