// SPDX-License-Identifier: GPL-3.0-or-later
// The pictures of the README and the user guide: the main window after a
// run of the example descendant list, with the workbench showing the lines
// after one rule, and again with the family tree opened to one person and
// that person's source lines marked in the input text. Run it offscreen
// from a build with the tests, and commit the pictures it writes:
//   QT_QPA_PLATFORM=offscreen build/docs/pictures/window_pictures docs

#include <QAbstractItemModel>
#include <QApplication>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>

#include "fake_modal.hpp"
#include "workspace/family_tree.hpp"
#include "workspace/frmQuenby.hpp"
#include "workspace/people_views.hpp"
#include "workspace/workbench.hpp"

namespace {

const QString kExamples = QStringLiteral(QUENBY_SOURCE_DIR "/examples/");

bool Save(quenby::frmQuenby& window, const QString& path) {
  QApplication::processEvents();
  if (!window.grab().save(path)) {
    std::fprintf(stderr, "window_pictures: %s could not be written\n", qPrintable(path));
    return false;
  }
  std::printf("%s\n", qPrintable(path));
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: window_pictures FOLDER\n");
    return 2;
  }
  const QString folder = QString::fromLocal8Bit(argv[1]) + QLatin1Char('/');
  // The window's remembered settings stay out of the user's own.
  const QTemporaryDir settings;
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());

  FakeModal modal;
  NoRegistry registry;
  quenby::frmQuenby window(modal, registry);
  window.show();
  window.workbench->SetShown(true);
  window.resize(1280, 860);
  window.OpenText(kExamples + QStringLiteral("hartley.txt"));
  window.LoadRules(kExamples + QStringLiteral("hartley.rules"));
  QTest::mouseClick(window.btnRunRules, Qt::LeftButton);
  if (!QTest::qWaitFor([&window] { return window.btnRunRules->isEnabled(); }, 60'000)) {
    std::fprintf(stderr, "window_pictures: the example's run did not end\n");
    return 1;
  }

  // The step view after a rule that cuts lines.
  window.workbench->setCurrentIndex(0);
  window.lstRules->setCurrentRow(4);
  if (!Save(window, folder + QStringLiteral("step-view.png"))) {
    return 1;
  }

  // The tree opened to a grandchild, whose source lines are marked.
  window.workbench->setCurrentWidget(window.peopleViews->tree);
  window.lstPeople->setCurrentRow(window.lstPeople->count() / 2);
  return Save(window, folder + QStringLiteral("tree.png")) ? 0 : 1;
}
