// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>
#include <QStringList>
#include <QTextStream>
#include <cstdio>

#include "quenby/version.hpp"
#include "rules/ini_file.hpp"
#include "ui/modal.hpp"
#include "ui/program_icon.hpp"
#include "ui/qt_support.hpp"
#include "ui/registry.hpp"
#include "workspace/command_line.hpp"
#include "workspace/frmQuenby.hpp"
#include "workspace/guarded_application.hpp"

namespace {

// Whether the window system can be reached. Where the platform is chosen in
// the environment, the choice is taken as working.
bool DisplayAvailable() {
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
  return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
         !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
#else
  return true;
#endif
}

}  // namespace

// Shows the main window, with the rules and the text that the command line
// names; the program lives as long as the window is open.
int main(int argc, char* argv[]) {
  QTextStream out(stdout);
  QTextStream err(stderr);
  QStringList arguments;
  for (int i = 0; i < argc; ++i) {
    arguments << QString::fromLocal8Bit(argv[i]);
  }
  if (const auto status = quenby::AnswerBeforeWindow(arguments, DisplayAvailable(), out, err)) {
    return *status;
  }

  quenby::GuardedApplication application(argc, argv);
  QApplication::setOrganizationName(QStringLiteral("Quenby"));
  QApplication::setApplicationName(QStringLiteral("Quenby"));
  QApplication::setApplicationVersion(QString::fromLatin1(quenby::kVersionText));

  int exitStatus = 0;
  const auto files = quenby::ParseWindowCommandLine(QApplication::arguments(), out, err, exitStatus);
  if (!files) {
    return exitStatus;
  }

  // Every window of the program, the dialogs included, shows its icon.
  QApplication::setWindowIcon(quenby::ProgramIcon());
  quenby::SetProgramDirectory(quenby::ToUtf8(QCoreApplication::applicationDirPath()));

  const auto modal = quenby::MakeDesktopModal();
  const auto registry = quenby::MakeSystemRegistry();
  quenby::frmQuenby window(*modal, *registry);
  application.SetOutOfMemoryHandler([&] {
    modal->Message(&window, QApplication::applicationName(),
                   QStringLiteral("There was not enough memory for this action. It was stopped; "
                                  "the window keeps what the action had not yet changed."));
  });
  window.show();
  quenby::OpenFromCommandLine(window, *files);
  return QApplication::exec();
}
