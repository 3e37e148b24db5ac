// SPDX-License-Identifier: GPL-3.0-or-later
// "Process all" in the main window on a long synthetic people list, timed as
// the user waits for it: from the answer to the sex question (given once, for
// everyone else) to a window that is idle again, with both record boxes
// filled and shown. Prints the persons, the times and the memory the process
// holds before and after. Run it on a Release build:
//   QT_QPA_PLATFORM=offscreen build/bench/process_all_window [LINES]
// About 66,300 lines of the benchmarks' list make 136,000 persons.

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "engine/engine.hpp"
#include "fake_modal.hpp"
#include "gedcom/records.hpp"
#include "synthetic.hpp"
#include "ui/qt_support.hpp"
#include "workspace/frmQuenby.hpp"

namespace {

// The resident memory of this process in MB, from /proc where it exists.
long ResidentMegabytes() {
  QFile status(QStringLiteral("/proc/self/status"));
  if (!status.open(QIODevice::ReadOnly)) {
    return -1;
  }
  for (const QByteArray& line : status.readAll().split('\n')) {
    if (line.startsWith("VmRSS:")) {
      return line.mid(6).trimmed().split(' ').first().toLong() / 1024;
    }
  }
  return -1;
}

// The processor time this process has used, in seconds: on a machine that
// others share it tells the work apart from the waiting.
double ProcessorSeconds() {
  timespec now{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  const std::size_t lines = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 66300;
  // The window's remembered settings stay out of the user's own.
  const QTemporaryDir settings;
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());

  quenby::RunReport report;
  const quenby::LineList people =
      quenby::RunRules(quenby::bench::SyntheticDescendantList(lines), quenby::bench::EveryCodeRules(), report);
  // The core alone, for comparison: what the window adds is the rest.
  QElapsedTimer coreClock;
  coreClock.start();
  const quenby::GeneratedRecords core = quenby::ProcessAll(people, [](const std::string&) {
    return quenby::SexAnswer{"M", true, true};
  });
  const double coreSeconds = coreClock.nsecsElapsed() / 1e9;
  QStringList items;
  for (const std::string& person : people) {
    items << quenby::FromUtf8(person);
  }

  FakeModal modal;
  NoRegistry registry;
  quenby::frmQuenby window(modal, registry);
  window.show();
  window.lstPeople->addItems(items);
  QApplication::processEvents();
  const long before = ResidentMegabytes();

  QElapsedTimer clock;
  qint64 answered = -1;
  double answeredProcessor = 0;
  modal.dialogScripts.push_back([&](QDialog& dialog) {
    auto& question = dynamic_cast<quenby::frmSexChoice&>(dialog);
    question.chkEveryoneElse->setChecked(true);
    ChooseSex(question, 1);
    answered = clock.nsecsElapsed();
    answeredProcessor = ProcessorSeconds();
  });
  clock.start();
  QTest::mouseClick(window.btnDoAll, Qt::LeftButton);
  const qint64 done = clock.nsecsElapsed();
  // Idle: every posted event handled, the boxes laid out and painted.
  QApplication::processEvents();
  window.repaint();
  QApplication::processEvents();
  const qint64 idle = clock.nsecsElapsed();
  const double idleProcessor = ProcessorSeconds();

  std::printf("persons %zu, INDI text %lld characters, FAM text %lld characters\n", people.size(),
              static_cast<long long>(window.txtINDI->document()->characterCount()),
              static_cast<long long>(window.txtFAM->document()->characterCount()));
  std::printf("click to sex answer %.3f s, sex answer to handler end %.3f s, sex answer to idle %.3f s\n",
              answered / 1e9, (done - answered) / 1e9, (idle - answered) / 1e9);
  std::printf("processor time from the sex answer to idle %.3f s\n", idleProcessor - answeredProcessor);
  std::printf("the core's Process all alone %.3f s for %zu persons\n", coreSeconds, core.processed);
  std::printf("memory %ld MB before, %ld MB after\n", before, ResidentMegabytes());
  return modal.unexpectedQuestions == 0 ? 0 : 1;
}
