// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/program_icon.hpp"

// The icon images are compiled into the window library, a static library:
// nothing would pull them into the program unless this refers to them.
static bool LoadProgramIconImages() {
  Q_INIT_RESOURCE(program_icon);
  return true;
}

namespace quenby {

QIcon ProgramIcon() {
  [[maybe_unused]] static const bool loaded = LoadProgramIconImages();
  QIcon icon;
  for (const int size : {16, 32, 48, 64, 128, 256}) {
    icon.addFile(QStringLiteral(":/quenby/icons/quenby_%1.png").arg(size), QSize(size, size));
  }
  return icon;
}

}  // namespace quenby
