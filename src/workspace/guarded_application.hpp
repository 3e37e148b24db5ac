// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The program's application object. An action that runs out of memory (a
// huge file, rules that make a text explode) unwinds to here, where the
// allocation failure becomes a message instead of ending the program and
// losing the user's unsaved work.

#include <QApplication>
#include <functional>

namespace quenby {

class GuardedApplication : public QApplication {
 public:
  GuardedApplication(int& argc, char** argv);

  // Tells the user; called after the failed action has unwound, when its
  // memory is free again.
  void SetOutOfMemoryHandler(std::function<void()> handler);

  bool notify(QObject* receiver, QEvent* event) override;

 private:
  std::function<void()> outOfMemory_;
};

}  // namespace quenby
