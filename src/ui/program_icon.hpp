// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The program's icon, in every size the window system asks for: the main
// window's icon and the picture of the About box.

#include <QIcon>

namespace quenby {

QIcon ProgramIcon();

}  // namespace quenby
