// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/owner_block.hpp"

namespace quenby {

OwnerBlock::OwnerBlock(QWidget& owner) {
  // Disabling the owner itself would disable its dialogs too: they are its
  // children.
  for (QWidget* control : owner.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    if (!control->isWindow() && control->isEnabled()) {
      control->setEnabled(false);
      disabled_.emplace_back(control);
    }
  }
}

OwnerBlock::~OwnerBlock() {
  for (const QPointer<QWidget>& control : disabled_) {
    if (control) {
      control->setEnabled(true);
    }
  }
}

}  // namespace quenby
