// Feeds the rule engine arbitrary rule lists and texts. The input is the rule
// items, one per line, then a NUL byte, then the text to convert.

#include <cstddef>
#include <cstdint>
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
  const auto people = quenby::RunRules(text, items);
  for (const auto& line : people) {
    if (line.empty()) {
      __builtin_trap();
    }
  }
  return 0;
}
