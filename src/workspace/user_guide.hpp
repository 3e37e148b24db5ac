// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The user guide (docs/user-guide.md), built into the program, shown in a
// window of its own beside the main window.

#include <QDialog>

class QTextBrowser;

namespace quenby {

class UserGuide : public QDialog {
  Q_OBJECT

 public:
  explicit UserGuide(QWidget* parent);

  QTextBrowser* text = nullptr;
};

}  // namespace quenby
