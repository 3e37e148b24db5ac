// SPDX-License-Identifier: GPL-3.0-or-later
// Saving the generated records of a long list: the classic file against the
// standard 5.5.1 and 7.0 files made from the same record text. Each saves to
// a file as "Save generated file" does.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "engine/engine.hpp"
#include "gedcom/gedcom_file.hpp"
#include "gedcom/problems.hpp"
#include "gedcom/records.hpp"
#include "gedcom/standard_export.hpp"
#include "synthetic.hpp"

namespace quenby::bench {
namespace {

// The records of about `people` persons, as "Process all" leaves them.
const GeneratedRecords& Records(std::size_t people) {
  static std::size_t made = 0;
  static GeneratedRecords records;
  if (made != people) {
    LineList list = RunRules(SyntheticDescendantList(people), EveryCodeRules());
    // The rules drop headings and footers; top the list up to `people`.
    for (std::size_t i = 0; list.size() < people; ++i) {
      list.push_back(list[i]);
    }
    list.resize(people);
    records = ProcessAll(list, [](const std::string&) { return SexAnswer{"F", false}; });
    made = people;
  }
  return records;
}

std::string OutputFile() {
  return (std::filesystem::temp_directory_path() / "quenby-gedcom-bench.ged").string();
}

// Removes the file written and reports the rates.
void Report(benchmark::State& state, const GeneratedRecords& records) {
  std::error_code ignored;
  std::filesystem::remove(OutputFile(), ignored);
  state.counters["people/s"] = benchmark::Counter(
      static_cast<double>(state.range(0)) * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
  state.SetBytesProcessed(static_cast<std::int64_t>((records.indi.size() + records.fam.size()) * state.iterations()));
}

void BM_SaveClassic(benchmark::State& state) {
  const auto& records = Records(static_cast<std::size_t>(state.range(0)));
  std::string error;
  for (auto _ : state) {
    if (!WriteGedcomFile(OutputFile(), records.indi, records.fam, error)) {
      state.SkipWithError(error.c_str());
    }
  }
  Report(state, records);
}

void BM_SaveStandard(benchmark::State& state, GedcomVersion version) {
  const auto& records = Records(static_cast<std::size_t>(state.range(0)));
  StandardExportOptions options{version, DateOrder::kDayFirst, GedcomDateToday(), {}, records.defaultSexIds};
  std::string error;
  for (auto _ : state) {
    if (!WriteStandardGedcomFile(OutputFile(), records.indi, records.fam, options, error)) {
      state.SkipWithError(error.c_str());
    }
  }
  Report(state, records);
}

// "Process all" over the same list, which every save follows, for scale.
void BM_ProcessAll(benchmark::State& state) {
  const std::size_t people = static_cast<std::size_t>(state.range(0));
  LineList list = RunRules(SyntheticDescendantList(people), EveryCodeRules());
  for (auto _ : state) {
    const auto records = ProcessAll(list, [](const std::string&) { return SexAnswer{"F", false}; });
    benchmark::DoNotOptimize(records.indi.data());
  }
}

// The problems of the same list (--check), which parses it and finds its
// families once more.
void BM_ProblemsOf(benchmark::State& state) {
  const std::size_t people = static_cast<std::size_t>(state.range(0));
  LineList list = RunRules(SyntheticDescendantList(people), EveryCodeRules());
  for (auto _ : state) {
    const auto problems = ProblemsOf(list);
    benchmark::DoNotOptimize(problems.data());
  }
}

BENCHMARK(BM_ProcessAll)->Arg(100'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ProblemsOf)->Arg(100'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveClassic)->Arg(100'000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SaveStandard, 5.5.1, GedcomVersion::k551)->Arg(100'000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SaveStandard, 7.0, GedcomVersion::k70)->Arg(100'000)->Unit(benchmark::kMillisecond);

// The first save after "Process all", as a user saves: one save only, so
// that the memory it takes is new to it, as in the window. Each is best run
// in a process of its own (bench/first_save.sh), since a second save would
// find the memory of the first.
BENCHMARK(BM_SaveClassic)->Name("BM_FirstSaveClassic")->Arg(100'000)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SaveStandard, 5.5.1, GedcomVersion::k551)
    ->Name("BM_FirstSaveStandard/5.5.1")
    ->Arg(100'000)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SaveStandard, 7.0, GedcomVersion::k70)
    ->Name("BM_FirstSaveStandard/7.0")
    ->Arg(100'000)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quenby::bench
