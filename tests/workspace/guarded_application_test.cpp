// SPDX-License-Identifier: GPL-3.0-or-later
// An allocation failure in an event handler reaches the application object,
// which tells the user and keeps the program running.

#include <QEvent>
#include <QTimer>
#include <cstdio>
#include <new>

#include "workspace/guarded_application.hpp"

namespace {

class RunsOutOfMemory : public QObject {
 public:
  int handled = 0;

 protected:
  bool event(QEvent* event) override {
    if (event->type() == QEvent::User) {
      throw std::bad_alloc();
    }
    ++handled;
    return QObject::event(event);
  }
};

}  // namespace

int main(int argc, char** argv) {
  quenby::GuardedApplication application(argc, argv);
  int told = 0;
  application.SetOutOfMemoryHandler([&told] { ++told; });
  RunsOutOfMemory receiver;
  // Through the event loop, as a click reaches its handler.
  QCoreApplication::postEvent(&receiver, new QEvent(QEvent::User));
  QTimer::singleShot(0, &application, &QCoreApplication::quit);
  QCoreApplication::exec();
  // The program goes on: the next event is handled as usual.
  QEvent next(static_cast<QEvent::Type>(QEvent::User + 1));
  QCoreApplication::sendEvent(&receiver, &next);
  if (told != 1 || receiver.handled != 1) {
    std::fprintf(stderr, "told %d times, %d later events handled\n", told, receiver.handled);
    return 1;
  }
  return 0;
}
