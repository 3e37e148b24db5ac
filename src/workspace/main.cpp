#include <QApplication>

#include "about/program_icon.hpp"
#include "about/registry.hpp"
#include "quenby/version.hpp"
#include "rules/ini_file.hpp"
#include "workspace/frmQuenby.hpp"
#include "workspace/guarded_application.hpp"
#include "workspace/modal.hpp"
#include "workspace/qt_support.hpp"

// Shows the main window; the program lives as long as it is open. Nothing is
// read from the command line or from settings.
int main(int argc, char* argv[]) {
  quenby::GuardedApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Quenby"));
  QApplication::setApplicationVersion(QString::fromLatin1(quenby::kVersionText));
  // Every window of the program, the dialogs included, shows its icon.
  QApplication::setWindowIcon(quenby::ProgramIcon());
  quenby::SetProgramDirectory(quenby::ToUtf8(QCoreApplication::applicationDirPath()));

  const auto modal = quenby::MakeDesktopModal();
  const auto registry = quenby::MakeSystemRegistry();
  quenby::frmQuenby window(*modal, *registry);
  application.SetOutOfMemoryHandler([&] {
    modal->Message(&window, window.windowTitle(),
                   QStringLiteral("There was not enough memory for this action. It was stopped; "
                                  "the window keeps what the action had not yet changed."));
  });
  window.show();
  return QApplication::exec();
}
