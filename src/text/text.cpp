// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/text.hpp"

namespace quenby {

std::string_view TrimView(std::string_view text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) {
    return {};
  }
  const auto last = text.find_last_not_of(' ');
  return text.substr(first, last - first + 1);
}

std::string Trim(std::string_view text) {
  return std::string(TrimView(text));
}

std::size_t FindFirst(std::string_view text, std::string_view search) {
  if (text.empty()) {
    return kNoOccurrence;
  }
  return text.find(search);
}

std::size_t FindLast(std::string_view text, std::string_view search) {
  if (text.empty()) {
    return kNoOccurrence;
  }
  if (search.empty()) {
    return text.size();
  }
  if (search.size() > text.size()) {
    return kNoOccurrence;
  }
  // Scanning back for the first character and comparing only there is much
  // faster than rfind, which compares the whole search text at every place.
  for (std::size_t at = text.size() - search.size() + 1; at-- > 0;) {
    if (text[at] == search.front() && text.compare(at, search.size(), search) == 0) {
      return at;
    }
  }
  return kNoOccurrence;
}

std::string ReplaceAll(std::string_view text, std::string_view search, std::string_view replacement) {
  if (search.empty()) {
    return std::string(text);
  }
  std::string result;
  result.reserve(text.size());
  std::size_t from = 0;
  for (auto at = text.find(search); at != std::string_view::npos; at = text.find(search, from)) {
    result.append(text.substr(from, at - from));
    result.append(replacement);
    from = at + search.size();
  }
  result.append(text.substr(from));
  return result;
}

std::size_t ReplaceAllSize(std::string_view text, std::string_view search, std::string_view replacement) {
  if (search.empty()) {
    return text.size();
  }
  std::size_t occurrences = 0;
  for (auto at = text.find(search); at != std::string_view::npos; at = text.find(search, at + search.size())) {
    ++occurrences;
  }
  return text.size() - occurrences * search.size() + occurrences * replacement.size();
}

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.starts_with(prefix);
}

bool EndsWith(std::string_view text, std::string_view suffix) {
  return text.ends_with(suffix);
}

namespace {

bool ContinuesCharacter(char byte) {
  return (static_cast<unsigned char>(byte) & 0xC0) == 0x80;
}

}  // namespace

std::size_t CharacterCount(std::string_view text) {
  std::size_t count = 0;
  for (const char byte : text) {
    count += ContinuesCharacter(byte) ? 0 : 1;
  }
  return count;
}

std::size_t OffsetOfCharacter(std::string_view text, std::size_t index) {
  std::size_t seen = 0;
  for (std::size_t at = 0; at < text.size(); ++at) {
    if (!ContinuesCharacter(text[at]) && seen++ == index) {
      return at;
    }
  }
  return text.size();
}

std::vector<std::string> SplitOn(std::string_view text, std::string_view separator) {
  std::vector<std::string> pieces;
  if (separator.empty()) {
    pieces.emplace_back(text);
    return pieces;
  }
  std::size_t from = 0;
  for (auto at = text.find(separator); at != std::string_view::npos; at = text.find(separator, from)) {
    pieces.emplace_back(text.substr(from, at - from));
    from = at + separator.size();
  }
  pieces.emplace_back(text.substr(from));
  return pieces;
}

std::string LfToCrLf(std::string_view text) {
  std::string result;
  result.reserve(text.size() + text.size() / 16);
  for (const char c : text) {
    if (c == '\n') {
      result.push_back('\r');
    }
    result.push_back(c);
  }
  return result;
}

std::string CrLfToLf(std::string_view text) {
  return ReplaceAll(text, kCrLf, "\n");
}

std::string NormaliseLineBreaks(std::string_view text) {
  std::string result;
  result.reserve(text.size() + text.size() / 16);
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r') {
      if (i + 1 < text.size() && text[i + 1] == '\n') {
        ++i;
      }
      result.append(kCrLf);
    } else if (c == '\n') {
      result.append(kCrLf);
    } else {
      result.push_back(c);
    }
  }
  return result;
}

}  // namespace quenby
