// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/family_rules.hpp"

#include <cstddef>
#include <cstdint>
#include <utility>

#include "engine/date_test.hpp"
#include "text/text.hpp"

namespace quenby {

namespace {

constexpr std::string_view kMarriageMarker = "&|_M_";
constexpr std::string_view kMarriageField = "|_M_";
constexpr std::string_view kFieldStart = "|_";

bool IsDigit(char c) {
  return IsBetween(static_cast<unsigned char>(c), 47, 58);
}

std::string Pluses(std::int64_t generation) {
  return std::string(static_cast<std::size_t>(generation - 1), '+');
}

std::string_view WithoutLeadingZeros(std::string_view digits) {
  const auto first = digits.find_first_not_of('0');
  return first == std::string_view::npos ? std::string_view{} : digits.substr(first);
}

// The generation that a run of digits (leading zeros already removed) names,
// or 0 when it names none: zero itself, or a number above the largest
// generation. The length is checked before the digits are converted, so a
// run of any length is judged without overflow.
std::int64_t GenerationOf(std::string_view significantDigits) {
  constexpr std::size_t kMaxGenerationDigits = 5;
  if (significantDigits.empty() || significantDigits.size() > kMaxGenerationDigits) {
    return 0;
  }
  std::int64_t value = 0;
  for (const char c : significantDigits) {
    value = value * 10 + (c - '0');
  }
  return value <= kMaxGeneration ? value : 0;
}

}  // namespace

LineChange RecogniseChildren(std::string_view line, std::string_view search, RunState& state) {
  const std::string_view text = TrimView(line);
  if (StartsWith(text, search)) {
    state.children = true;
    return std::string();
  }
  if (text.empty() || !state.children) {
    return TrimmedLine(line);
  }
  std::string result = "+";
  result.append(text);
  return result;
}

LineChange ConvertGenerationNumber(std::string_view line, RunState& state) {
  const std::string_view text = TrimView(line);
  std::size_t digitCount = 0;
  while (digitCount < text.size() && IsDigit(text[digitCount])) {
    ++digitCount;
  }
  if (digitCount > 0) {
    const std::string_view number = WithoutLeadingZeros(text.substr(0, digitCount));
    const std::int64_t generation = GenerationOf(number);
    // There is no generation 0 and none above the largest: such a line keeps
    // its text and the generation of the lines below stays as it was.
    if (generation == 0) {
      return std::nullopt;
    }
    state.generation = generation;
    std::string rest(text);
    rest.erase(FindFirst(rest, number), number.size());
    std::string result = Pluses(generation);
    result.append(TrimView(rest));
    return result;
  }
  // A "-" line describes a spouse's parent and is no person of the main line.
  if (StartsWith(text, "-")) {
    return std::nullopt;
  }
  std::string result = Pluses(state.generation);
  if (!StartsWith(text, "&") && !StartsWith(text, "+")) {
    result.push_back('&');
  }
  result.append(text);
  return result;
}

LineChange MoveMarriageData(std::string_view line) {
  const std::size_t marker = FindFirst(line, kMarriageMarker);
  if (marker == kNoOccurrence) {
    return std::nullopt;
  }
  const std::string_view head = line.substr(0, marker + 1);
  const std::size_t fieldStart = marker + kMarriageMarker.size();
  const std::size_t nextBar = line.find('|', fieldStart);
  const std::string_view rest = nextBar == std::string_view::npos ? std::string_view{} : line.substr(nextBar);
  std::string_view field =
      line.substr(fieldStart, nextBar == std::string_view::npos ? line.size() : nextBar - fieldStart);

  // A place in brackets leads the field. Without a closing bracket the place
  // is a lone space and the whole field stays in front of the name.
  std::string place;
  if (StartsWith(field, "(")) {
    const std::size_t close = field.find(')');
    const std::size_t placeLength = close == std::string_view::npos ? 0 : close + 1;
    place.push_back(' ');
    place.append(field.substr(0, placeLength));
    field = TrimView(field.substr(placeLength));
  }

  // The first word is the date when it reads as one; "12.3.1875" is read
  // and written as "12/3/1875".
  std::string date;
  const std::size_t space = field.find(' ');
  std::string word = ReplaceAll(field.substr(0, space), ".", "/");
  if (IsNumberOrDate(word)) {
    date = std::move(word);
    field = space == std::string_view::npos ? std::string_view{} : field.substr(space + 1);
  }

  std::string result(head);
  result.append(TrimView(field)).append(kMarriageField).append(date).append(place).append(rest);
  return result;
}

LineChange AddFamilyName(std::string_view line, std::string_view familyName) {
  // Spouse lines ("&" anywhere) and spouse-parent lines ("-" first) are not
  // of the main line.
  if (StartsWith(line, "-") || line.find('&') != std::string_view::npos) {
    return std::nullopt;
  }
  std::size_t nameEnd = FindFirst(line, kFieldStart);
  if (nameEnd == kNoOccurrence) {
    nameEnd = line.size();
  }
  std::string result(line.substr(0, nameEnd));
  result.append(" ").append(familyName).append(line.substr(nameEnd));
  return result;
}

}  // namespace quenby
