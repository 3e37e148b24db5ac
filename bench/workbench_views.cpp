// SPDX-License-Identifier: GPL-3.0-or-later
// The views beside the people list on a long synthetic list: the family
// tree shown and opened to its last person, the problems listed, and a
// person's source lines marked in the input box the first time (which finds
// the line starts) and again. Prints the persons and each time. Run it on a
// Release build:
//   QT_QPA_PLATFORM=offscreen build/bench/workbench_views [LINES]

#include <QApplication>
#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "engine/engine.hpp"
#include "gedcom/problems.hpp"
#include "synthetic.hpp"
#include "workspace/family_tree.hpp"
#include "workspace/problem_list.hpp"
#include "workspace/record_boxes.hpp"
#include "workspace/source_marks.hpp"

namespace {

// The processor time this process has used, in milliseconds: on a machine
// that others share it tells the work apart from the waiting.
double ProcessorMilliseconds() {
  timespec now{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  const std::size_t lines = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 100000;
  const std::string input = quenby::bench::SyntheticDescendantList(lines);
  quenby::RunReport report;
  const quenby::TracedRun run = quenby::RunRulesTraced(input, quenby::bench::EveryCodeRules(), report);
  std::printf("%zu input lines, %zu persons\n", lines, run.lines.size());
  if (run.lines.empty()) {
    return 1;
  }
  const int last = static_cast<int>(run.lines.size() - 1);

  QElapsedTimer clock;
  double processor = 0;
  const auto lap = [&](const char* what) {
    const double now = ProcessorMilliseconds();
    std::printf("%-28s %6lld ms, processor %6.0f ms\n", what, static_cast<long long>(clock.restart()), now - processor);
    processor = now;
  };
  quenby::FamilyTree tree;
  tree.resize(600, 800);
  tree.show();
  QApplication::processEvents();
  clock.start();
  processor = ProcessorMilliseconds();
  tree.Show(run.lines);
  QApplication::processEvents();
  lap("tree shown");
  tree.SelectLine(last);
  QApplication::processEvents();
  lap("tree opened to the last");

  quenby::ProblemList problems;
  clock.restart();
  processor = ProcessorMilliseconds();
  const auto found = quenby::ProblemsOf(run.lines);
  problems.Show(found);
  lap("problems found and listed");
  std::printf("%zu problems\n", found.size());

  QPlainTextEdit box;
  quenby::SetBoxText(box, input);
  quenby::SourceMarks marks(box);
  clock.restart();
  processor = ProcessorMilliseconds();
  marks.Mark(run.sources[run.sources.size() - 1]);
  lap("first marks");
  marks.Mark(run.sources[0]);
  lap("marks again");
  return 0;
}
