// SPDX-License-Identifier: GPL-3.0-or-later
#include "rules/rules_file.hpp"

#include <filesystem>

#include "rules/ini_file.hpp"
#include "text/encoding.hpp"
#include "text/file_io.hpp"
#include "text/text.hpp"

namespace quenby {
namespace {

constexpr std::string_view kRulesSection = "Rules";

std::vector<std::string> RuleItems(const IniDocument& document) {
  std::vector<std::string> items;
  for (std::size_t key = 1;; ++key) {
    auto value = document.Value(kRulesSection, std::to_string(key));
    if (!value || value->empty()) {
      return items;
    }
    items.push_back(std::move(*value));
  }
}

}  // namespace

std::vector<std::string> RuleItemsFromText(std::string_view text) {
  return RuleItems(IniDocument::Parse(text));
}

std::string RulesFileText(const std::vector<std::string>& items) {
  std::string text = "[" + std::string(kRulesSection) + "]";
  text.append(kCrLf);
  for (std::size_t i = 0; i < items.size(); ++i) {
    text.append(std::to_string(i + 1)).append("=\"").append(items[i]).append("\"").append(kCrLf);
  }
  return text;
}

LoadedRules LoadRulesFile(std::string_view utf8FileName) {
  const auto path = PathFromUtf8(utf8FileName);
  LoadedRules loaded;
  std::error_code ec;
  if (std::filesystem::status(path, ec).type() == std::filesystem::file_type::not_found) {
    loaded.status = LoadStatus::kMissing;
    return loaded;
  }
  const auto text = ReadTextFile(path, kRulesFileLimit, loaded.error);
  if (!text) {
    loaded.status = LoadStatus::kUnreadable;
    return loaded;
  }
  const auto document = IniDocument::Parse(*text);
  if (!document.HasSection(kRulesSection)) {
    loaded.status = LoadStatus::kUnreadable;
    loaded.error = FileMessage(utf8FileName, "is not a rules file: it has no [Rules] section");
    return loaded;
  }
  loaded.items = RuleItems(document);
  return loaded;
}

bool SaveRulesFile(std::string_view utf8FileName, const std::vector<std::string>& items, std::string& error) {
  const auto path = PathFromUtf8(utf8FileName);
  if (items.empty()) {
    return RemoveFileIfExists(path, error);
  }
  // A line break would end the item's line early and lose the rest of the
  // list on the next load, so such a list is refused rather than saved.
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (items[i].find_first_of("\r\n") != std::string::npos) {
      error = FileMessage(utf8FileName,
                          "rule " + std::to_string(i + 1) + " holds a line break, which a rules file cannot store");
      return false;
    }
  }
  return WriteFileAtomically(path, EncodeTextFile(RulesFileText(items)).bytes, error);
}

}  // namespace quenby
