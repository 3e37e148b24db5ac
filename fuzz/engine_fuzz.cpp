// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds the rule engine arbitrary rule lists and texts. The input is the rule
// items, one per line, then a NUL byte, then the text to convert.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "engine/engine.hpp"
#include "text/text.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const auto split = bytes.find('\0');
  const auto rulesPart = split == std::string_view::npos ? std::string_view{} : bytes.substr(0, split);
  const auto text = split == std::string_view::npos ? bytes : bytes.substr(split + 1);
  auto items = quenby::SplitOn(rulesPart, "\n");
  // A list cut at every line break always has one piece; an empty rule
  // list is a case of its own.
  if (rulesPart.empty()) {
    items.clear();
  }
  quenby::RunReport report;
  const auto people = quenby::RunRules(text, items, report);
  for (const auto& line : people) {
    if (line.empty()) {
      __builtin_trap();
    }
  }
  // The traced run gives the same lines, each with input line numbers of
  // its own: ascending, each once, none past the text's last line. A run
  // that grew to its limit is not traced again: it takes seconds here.
  if (!report.stopped.empty()) {
    return 0;
  }
  const quenby::TracedRun traced = quenby::RunRulesTraced(text, items, report);
  if (traced.lines != people || traced.sources.size() != people.size()) {
    __builtin_trap();
  }
  std::size_t inputLines = 1;
  for (std::size_t at = 0; at < text.size(); ++at) {
    inputLines += text[at] == '\n' || (text[at] == '\r' && (at + 1 == text.size() || text[at + 1] != '\n'));
  }
  for (std::size_t i = 0; i < traced.sources.size(); ++i) {
    const quenby::SourceLines sources = traced.sources[i];
    if (sources.empty() || sources.front() == 0 || sources.back() > inputLines ||
        std::adjacent_find(sources.begin(), sources.end(), std::greater_equal<>()) != sources.end()) {
      __builtin_trap();
    }
  }
  return 0;
}
