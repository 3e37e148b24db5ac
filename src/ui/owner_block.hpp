// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// While a dialog asks, its owner window takes no input: every control of the
// owner (its menu bar included) is disabled, and enabled again afterwards.
// Unlike a modal dialog this leaves the owner's close button working, so that
// closing the main window in the middle of a question reaches the window,
// which can ask whether to stop.

#include <QPointer>
#include <QWidget>
#include <vector>

namespace quenby {

class OwnerBlock {
 public:
  explicit OwnerBlock(QWidget& owner);
  ~OwnerBlock();
  OwnerBlock(const OwnerBlock&) = delete;
  OwnerBlock& operator=(const OwnerBlock&) = delete;

 private:
  // The controls this block disabled; a control that was disabled already
  // stays so.
  std::vector<QPointer<QWidget>> disabled_;
};

}  // namespace quenby
