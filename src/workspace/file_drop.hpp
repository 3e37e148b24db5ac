// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Files dropped on the main window: a ".rules" file is loaded into the rule
// list, any other file is opened as the input text. Text dragged into a text
// box is still inserted there as usual.

#include <QObject>

namespace quenby {

class frmQuenby;

class FileDrop : public QObject {
  Q_OBJECT

 public:
  // Watches the window and the text boxes that take drops themselves.
  explicit FileDrop(frmQuenby& window);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  frmQuenby& window_;
};

}  // namespace quenby
