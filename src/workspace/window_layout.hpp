// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The main window's layout. The controls are created at their twips places;
// this arranges them in the same rows and columns, so that at its default
// size the window looks as the twips give it, and from there it resizes: the
// input text, the rule list, the people list and the two record boxes grow
// with the window, buttons keep their height and order, and the font (the
// platform's standard UI font) sets every height it needs.

#include <QSize>

namespace quenby {

class frmQuenby;

// Lays out the window's controls; call once, after they are created.
void ArrangeMainWindow(frmQuenby& window);

// The size the window opens at when no size is remembered: the twips size,
// grown to the layout's minimum, shrunk to fit the available screen.
QSize DefaultWindowSize(const frmQuenby& window);

}  // namespace quenby
