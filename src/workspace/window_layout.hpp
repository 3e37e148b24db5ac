// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The main window's layout, the one place that gives the form's controls
// their places and sizes: the rows and columns of the twips layout with the
// twips sizes of the controls, so that at its default size the window looks
// as the twips give it. From there it resizes: the input text, the rule list,
// the people list and the two record boxes grow with the window, buttons keep
// their height and order, and the font (the platform's standard UI font) sets
// every height it needs.

#include <QSize>

namespace quenby {

class frmQuenby;

// Lays out the window's controls; call once, after they are created.
void ArrangeMainWindow(frmQuenby& window);

// The size the window opens at when no size is remembered: the twips size,
// grown to the layout's minimum, shrunk to fit the available screen.
QSize DefaultWindowSize(const frmQuenby& window);

}  // namespace quenby
