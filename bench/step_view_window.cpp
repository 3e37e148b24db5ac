// SPDX-License-Identifier: GPL-3.0-or-later
// The step view of the main window on a long synthetic list: the time from
// selecting a rule in the rule list to the window idle again with the lines
// after that rule shown, against the core's RuleSteps::After alone. Budget:
// under 0.5 s for rule 20 of the benchmarks' rules on 100,000 lines. Run it
// on a Release build:
//   QT_QPA_PLATFORM=offscreen build/bench/step_view_window [LINES] [RULE]

#include <QApplication>
#include <QElapsedTimer>
#include <QListWidget>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>

#include "engine/engine.hpp"
#include "fake_modal.hpp"
#include "synthetic.hpp"
#include "ui/qt_support.hpp"
#include "workspace/frmQuenby.hpp"
#include "workspace/record_boxes.hpp"
#include "workspace/step_view.hpp"
#include "workspace/workbench.hpp"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  const std::size_t lines = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 100'000;
  const int rule = argc > 2 ? std::atoi(argv[2]) : 20;
  // The window's remembered settings stay out of the user's own.
  const QTemporaryDir settings;
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());

  const std::string input = quenby::bench::SyntheticDescendantList(lines);
  const std::vector<std::string> rules = quenby::bench::EveryCodeRules();
  FakeModal modal;
  NoRegistry registry;
  quenby::frmQuenby window(modal, registry);
  window.show();
  window.workbench->SetShown(true);
  quenby::SetBoxText(*window.txtInput, input);
  for (const std::string& item : rules) {
    window.lstRules->addItem(quenby::FromUtf8(item));
  }
  QTest::mouseClick(window.btnRunRules, Qt::LeftButton);
  while (!window.btnRunRules->isEnabled()) {
    QApplication::processEvents(QEventLoop::WaitForMoreEvents, 100);
  }
  QApplication::processEvents();

  // The core alone, for comparison: what the window adds is the rest.
  quenby::RunReport report;
  const quenby::RuleSteps steps(input, rules, report);
  QElapsedTimer coreClock;
  coreClock.start();
  const quenby::RuleStep step = steps.After(static_cast<std::size_t>(rule));
  const double coreSeconds = coreClock.nsecsElapsed() / 1e9;

  QElapsedTimer clock;
  clock.start();
  window.lstRules->setCurrentRow(rule - 1);
  const qint64 shown = clock.nsecsElapsed();
  QApplication::processEvents();
  window.repaint();
  QApplication::processEvents();
  const qint64 idle = clock.nsecsElapsed();

  std::printf("lines %zu after rule %d of %zu: %zu lines\n", lines, rule, rules.size(), step.lines.size());
  std::printf("select to lines set %.3f s, select to idle %.3f s\n", shown / 1e9, idle / 1e9);
  std::printf("the core's After alone %.3f s\n", coreSeconds);
  return window.workbench->steps->Step() == static_cast<std::size_t>(rule) ? 0 : 1;
}
