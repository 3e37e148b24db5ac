// SPDX-License-Identifier: GPL-3.0-or-later
#include <benchmark/benchmark.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "engine/engine.hpp"
#include "rules/rule_item.hpp"
#include "synthetic.hpp"

namespace quenby::bench {
namespace {

// The pattern that bench/pattern_vs_sed.sh gives sed -E as well.
constexpr const char* kPattern = R"( (b|d)\. ([0-9.]+))";
constexpr const char* kReplacement = R"(|_\1_\2)";

// One pattern rule (51) over the whole list: the run's cost less that of the
// other rules, to set beside sed -E doing the same.
void BM_PatternRule(benchmark::State& state) {
  const std::string input = SyntheticDescendantList(static_cast<std::size_t>(state.range(0)));
  const std::vector<std::string> rules = {EncodeRuleItem(51, kPattern, kReplacement)};
  for (auto _ : state) {
    const LineList result = RunRules(input, rules);
    benchmark::DoNotOptimize(result.data());
  }
  state.counters["lines/s"] = benchmark::Counter(
      static_cast<double>(state.range(0)) * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_PatternRule)->Arg(100'000)->Unit(benchmark::kMillisecond);

// The same list without the rule: what reading the text into lines costs.
void BM_NoRule(benchmark::State& state) {
  const std::string input = SyntheticDescendantList(static_cast<std::size_t>(state.range(0)));
  for (auto _ : state) {
    const LineList result = RunRules(input, {});
    benchmark::DoNotOptimize(result.data());
  }
}
BENCHMARK(BM_NoRule)->Arg(100'000)->Unit(benchmark::kMillisecond);

// How long a run takes to end after its stop flag is set from another thread,
// as the window's Cancel sets it, in the middle of a 1 MB line where a.*b|a
// reads to the line's end for every match (a pass of many minutes).
void BM_CancelInsideALongLine(benchmark::State& state) {
  const std::string line(std::size_t{1} << 20, 'a');
  const std::vector<std::string> rules = {EncodeRuleItem(51, "a.*b|a", "x")};
  for (auto _ : state) {
    std::atomic<bool> stop = false;
    std::atomic<bool> started = false;
    RunReport report;
    std::thread run([&] {
      const RunControl control{&stop, [&started](const RunProgress&) { started = true; }};
      benchmark::DoNotOptimize(RunRules(line, rules, report, control).data());
    });
    while (!started) {
      std::this_thread::yield();
    }
    // Well inside the line's pass.
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    const auto stopped = std::chrono::steady_clock::now();
    stop = true;
    run.join();
    state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - stopped).count());
  }
}
BENCHMARK(BM_CancelInsideALongLine)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

}  // namespace
}  // namespace quenby::bench
