// SPDX-License-Identifier: GPL-3.0-or-later
#include "workspace/guarded_application.hpp"

#include <new>
#include <utility>

namespace quenby {

GuardedApplication::GuardedApplication(int& argc, char** argv) : QApplication(argc, argv) {}

void GuardedApplication::SetOutOfMemoryHandler(std::function<void()> handler) {
  outOfMemory_ = std::move(handler);
}

bool GuardedApplication::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (const std::bad_alloc&) {
    if (outOfMemory_) {
      outOfMemory_();
    }
    return false;
  }
}

}  // namespace quenby
