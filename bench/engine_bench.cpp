// SPDX-License-Identifier: GPL-3.0-or-later
#include <benchmark/benchmark.h>

#include <string>
#include <utility>
#include <vector>

#include "engine/engine.hpp"
#include "synthetic.hpp"

namespace quenby::bench {
namespace {

// A whole run: the input text through every rule to the people list.
void BM_RunRules(benchmark::State& state) {
  const std::string input = SyntheticDescendantList(static_cast<std::size_t>(state.range(0)));
  const std::vector<std::string> rules = EveryCodeRules();
  std::size_t people = 0;
  for (auto _ : state) {
    const LineList result = RunRules(input, rules);
    people = result.size();
    benchmark::DoNotOptimize(result.data());
  }
  state.counters["people"] = static_cast<double>(people);
  state.counters["lines/s"] = benchmark::Counter(
      static_cast<double>(state.range(0)) * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_RunRules)->Arg(1'000)->Arg(10'000)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

// The same run traced: every rule's counts and every line's input lines.
// Budget: at most 1.3 times BM_RunRules at 100,000 lines.
void BM_RunRulesTraced(benchmark::State& state) {
  const std::string input = SyntheticDescendantList(static_cast<std::size_t>(state.range(0)));
  const std::vector<std::string> rules = EveryCodeRules();
  for (auto _ : state) {
    RunReport report;
    const TracedRun run = RunRulesTraced(input, rules, report);
    benchmark::DoNotOptimize(run.lines.data());
  }
}
BENCHMARK(BM_RunRulesTraced)->Arg(100'000)->Unit(benchmark::kMillisecond);

// The run kept to show its steps, with its checkpoints.
void BM_RuleStepsRun(benchmark::State& state) {
  const std::string input = SyntheticDescendantList(static_cast<std::size_t>(state.range(0)));
  const std::vector<std::string> rules = EveryCodeRules();
  for (auto _ : state) {
    RunReport report;
    const RuleSteps steps(input, rules, report);
    benchmark::DoNotOptimize(steps.Run().lines.data());
  }
}
BENCHMARK(BM_RuleStepsRun)->Arg(100'000)->Unit(benchmark::kMillisecond);

// The lines after rule 20 (the worst step: the most rules after a
// checkpoint) of a finished run on 100,000 lines. Budget: under 0.5 s.
void BM_StepAfterRule(benchmark::State& state) {
  const std::string input = SyntheticDescendantList(100'000);
  const std::vector<std::string> rules = EveryCodeRules();
  RunReport report;
  const RuleSteps steps(input, rules, report);
  for (auto _ : state) {
    const RuleStep step = steps.After(static_cast<std::size_t>(state.range(0)));
    benchmark::DoNotOptimize(step.lines.data());
  }
}
BENCHMARK(BM_StepAfterRule)->Arg(5)->Arg(20)->Arg(24)->Unit(benchmark::kMillisecond);

// The re-split after a pass that split every third line in two and emptied
// one line in fifty.
void BM_SplitLines(benchmark::State& state) {
  LineList afterPass = InputLines(SyntheticDescendantList(static_cast<std::size_t>(state.range(0))));
  for (std::size_t i = 0; i < afterPass.size(); ++i) {
    if (i % 50 == 0) {
      afterPass[i].clear();
    } else if (i % 3 == 0) {
      afterPass[i].insert(afterPass[i].size() / 2, "\r\n");
    }
  }
  for (auto _ : state) {
    state.PauseTiming();
    LineList lines = afterPass;
    state.ResumeTiming();
    const LineList result = SplitLines(std::move(lines));
    benchmark::DoNotOptimize(result.data());
  }
}
BENCHMARK(BM_SplitLines)->Arg(100'000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quenby::bench
