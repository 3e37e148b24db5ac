// SPDX-License-Identifier: GPL-3.0-or-later
// Rules files come from anywhere: reading one must neither crash nor hang,
// whatever its bytes.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "rules/ini_file.hpp"
#include "rules/rules_file.hpp"
#include "text/encoding.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const auto document = quenby::IniDocument::Parse(bytes);
  static_cast<void>(document.Value("Rules", "1"));
  const auto text = quenby::DecodeTextFile(bytes);
  if (!text) {
    return 0;
  }
  const auto items = quenby::RulesFromText(*text).items;
  // What a save writes must load as the same list.
  const auto saved = quenby::DecodeTextFile(quenby::EncodeTextFile(quenby::RulesFileText(items)).bytes);
  if (!saved || quenby::RulesFromText(*saved).items != items) {
    __builtin_trap();
  }
  return 0;
}
