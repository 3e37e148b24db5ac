// SPDX-License-Identifier: GPL-3.0-or-later
#include <benchmark/benchmark.h>

#include <string>
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

}  // namespace
}  // namespace quenby::bench
