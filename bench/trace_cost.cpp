// SPDX-License-Identifier: GPL-3.0-or-later
// The cost of tracing a run, measured against a plain run on the same text:
// RunRules, RunRulesTraced and RuleSteps run in turn, round after round, so
// that a machine shared with other work slows all three alike; the medians
// of their times and the ratios to the plain run are printed. Then the view
// after each rule: RuleSteps::After(K) for every K, the worst time printed.
//   Usage: trace_cost [synthetic|register] [ROUNDS] [plain|traced|steps|rules]
// With a third argument only that run is made, ROUNDS times, for a profiler;
// "rules" makes plain runs and prints the time each rule took in them.
// "synthetic" is the benchmarks' descendant list of 100,000 lines with the
// rules that use every code; "register" is examples/register.txt repeated to
// 100,000 lines with its rules and four more that cut and join lines.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "engine/engine.hpp"
#include "rules/rule_item.hpp"
#include "rules/rules_file.hpp"
#include "synthetic.hpp"

namespace {

constexpr std::size_t kLines = 100'000;

struct Times {
  double wall = 0;  // seconds
  double cpu = 0;   // seconds of this thread
};

double ThreadSeconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

template <typename Work>
Times Measure(Work work) {
  const auto wallStart = std::chrono::steady_clock::now();
  const double cpuStart = ThreadSeconds();
  work();
  return {std::chrono::duration<double>(std::chrono::steady_clock::now() - wallStart).count(),
          ThreadSeconds() - cpuStart};
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

std::string RegisterInput() {
  std::ifstream file(std::string(QUENBY_SOURCE_DIR) + "/examples/register.txt", std::ios::binary);
  std::ostringstream bytes;
  bytes << file.rdbuf();
  std::vector<std::string> lines;
  std::istringstream text(bytes.str());
  for (std::string line; std::getline(text, line);) {
    if (!line.empty() && line.back() == '\r') {
      line.pop_back();
    }
    lines.push_back(line);
  }
  std::string input;
  for (std::size_t i = 0; i < kLines; ++i) {
    input.append(lines[i % lines.size()]).append("\r\n");
  }
  return input;
}

std::vector<std::string> RegisterRules() {
  std::vector<std::string> items =
      quenby::LoadRulesFile(std::string(QUENBY_SOURCE_DIR) + "/examples/register.rules").items;
  // A fact cut off to a line of its own and joined back, and a person line
  // cut at its last field and joined back.
  items.push_back(quenby::EncodeRuleItem(24, "|_B_", "@@B "));
  items.push_back(quenby::EncodeRuleItem(15, "@@B ", " "));
  items.push_back(quenby::EncodeRuleItem(13, "|_", "##"));
  items.push_back(quenby::EncodeRuleItem(15, "##", "|_"));
  return items;
}

// The median over `rounds` plain runs of the time each rule took, the
// time between its start and the next rule's start (or the run's end).
void PrintRuleTimes(const std::string& input, const std::vector<std::string>& rules, int rounds) {
  std::vector<std::vector<double>> perRule(rules.size());
  for (int round = 0; round < rounds; ++round) {
    std::vector<double> starts;
    quenby::RunControl control;
    control.progress = [&](const quenby::RunProgress& progress) {
      if (progress.rule > starts.size()) {
        starts.push_back(ThreadSeconds());
      }
    };
    quenby::RunReport report;
    // The people list is freed after the clock stops, as the run's own work
    // ends when it hands the list over.
    const quenby::LineList people = quenby::RunRules(input, rules, report, control);
    starts.push_back(ThreadSeconds());
    for (std::size_t rule = 0; rule + 1 < starts.size(); ++rule) {
      perRule[rule].push_back(starts[rule + 1] - starts[rule]);
    }
  }
  for (std::size_t rule = 0; rule < rules.size(); ++rule) {
    std::printf("rule %zu (code %s): cpu %.3f s\n", rule + 1, quenby::DecodeRuleItem(rules[rule]).code.c_str(),
                Median(perRule[rule]));
  }
}

}  // namespace

int main(int argc, char** argv) {
  const std::string set = argc > 1 ? argv[1] : "synthetic";
  const int rounds = argc > 2 ? std::atoi(argv[2]) : 5;
  const bool synthetic = set == "synthetic";
  const std::string input = synthetic ? quenby::bench::SyntheticDescendantList(kLines) : RegisterInput();
  const std::vector<std::string> rules = synthetic ? quenby::bench::EveryCodeRules() : RegisterRules();
  if (argc > 3 && std::string(argv[3]) == "rules") {
    PrintRuleTimes(input, rules, rounds);
    return 0;
  }
  if (argc > 3) {
    const std::string only = argv[3];
    for (int round = 0; round < rounds; ++round) {
      quenby::RunReport report;
      const Times times = Measure([&] {
        if (only == "plain") {
          static_cast<void>(quenby::RunRules(input, rules));
        } else if (only == "traced") {
          static_cast<void>(quenby::RunRulesTraced(input, rules, report));
        } else {
          const quenby::RuleSteps kept(input, rules, report);
        }
      });
      std::printf("%s: wall %.3f s, cpu %.3f s\n", only.c_str(), times.wall, times.cpu);
    }
    return 0;
  }

  std::vector<double> plainWall, tracedWall, stepsWall, plainCpu, tracedCpu, stepsCpu;
  std::size_t people = 0;
  for (int round = 0; round < rounds; ++round) {
    const Times plain = Measure([&] { people = quenby::RunRules(input, rules).size(); });
    const Times traced = Measure([&] {
      quenby::RunReport report;
      const quenby::TracedRun run = quenby::RunRulesTraced(input, rules, report);
      if (run.lines.size() != people) {
        std::fprintf(stderr, "the traced run gave %zu lines, the plain run %zu\n", run.lines.size(), people);
        std::exit(1);
      }
    });
    const Times steps = Measure([&] {
      quenby::RunReport report;
      const quenby::RuleSteps kept(input, rules, report);
    });
    plainWall.push_back(plain.wall);
    tracedWall.push_back(traced.wall);
    stepsWall.push_back(steps.wall);
    plainCpu.push_back(plain.cpu);
    tracedCpu.push_back(traced.cpu);
    stepsCpu.push_back(steps.cpu);
    std::printf(
        "round %d: wall plain %.3f traced %.3f (%.2fx) steps %.3f (%.2fx); cpu plain %.3f traced %.3f "
        "(%.2fx) steps %.3f (%.2fx)\n",
        round + 1, plain.wall, traced.wall, traced.wall / plain.wall, steps.wall, steps.wall / plain.wall, plain.cpu,
        traced.cpu, traced.cpu / plain.cpu, steps.cpu, steps.cpu / plain.cpu);
  }
  std::printf("%s, %zu lines, %zu rules, %zu people\n", set.c_str(), kLines, rules.size(), people);
  std::printf("median wall: plain %.3f s, traced %.3f s (%.2fx), steps %.3f s (%.2fx)\n", Median(plainWall),
              Median(tracedWall), Median(tracedWall) / Median(plainWall), Median(stepsWall),
              Median(stepsWall) / Median(plainWall));
  std::printf("median cpu:  plain %.3f s, traced %.3f s (%.2fx), steps %.3f s (%.2fx)\n", Median(plainCpu),
              Median(tracedCpu), Median(tracedCpu) / Median(plainCpu), Median(stepsCpu),
              Median(stepsCpu) / Median(plainCpu));

  quenby::RunReport report;
  const quenby::RuleSteps kept(input, rules, report);
  Times worst;
  std::size_t worstWallRule = 0;
  std::size_t worstCpuRule = 0;
  for (std::size_t rule = 1; rule <= rules.size(); ++rule) {
    const Times after = Measure([&] { static_cast<void>(kept.After(rule)); });
    std::printf("%sAfter(%zu) %.2f", rule == 1 ? "cpu: " : rule % 10 == 1 ? "\n     " : ", ", rule, after.cpu);
    if (after.wall > worst.wall) {
      worst.wall = after.wall;
      worstWallRule = rule;
    }
    if (after.cpu > worst.cpu) {
      worst.cpu = after.cpu;
      worstCpuRule = rule;
    }
  }
  std::printf("\nworst After(K), K from 1 to %zu: wall %.3f s (K = %zu), cpu %.3f s (K = %zu)\n", rules.size(),
              worst.wall, worstWallRule, worst.cpu, worstCpuRule);
  return 0;
}
