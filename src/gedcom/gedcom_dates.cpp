// SPDX-License-Identifier: GPL-3.0-or-later
#include "gedcom/gedcom_dates.hpp"

#include <algorithm>
#include <array>
#include <cstddef>
#include <span>

#include "text/calendar.hpp"
#include "text/text.hpp"

namespace quenby {
namespace {

constexpr std::array<std::string_view, 12> kMonths = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                                                      "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};

// A year of three or four digits: the GEDCOM grammar has no shorter year,
// and a two-digit year would have to be guessed.
std::optional<int> YearOf(std::string_view text) {
  const auto year = DigitsValue(text, 3, 4);
  return year && *year > 0 ? year : std::nullopt;
}

std::optional<int> DayOf(std::string_view text) {
  return DigitsValue(text, 1, 2);
}

// A month as a number or an English name, "Mar." and "Sept." included.
std::optional<int> MonthOf(std::string_view text, bool numberAllowed) {
  if (numberAllowed) {
    const auto number = DigitsValue(text, 1, 2);
    if (number) {
      return *number >= 1 && *number <= 12 ? number : std::nullopt;
    }
  }
  if (EndsWith(text, ".")) {
    text.remove_suffix(1);
  }
  return MonthNamed(text);
}

std::string Format(std::optional<int> day, int month, int year) {
  std::string out;
  if (day) {
    out.append(std::to_string(*day)).append(" ");
  }
  out.append(kMonths[static_cast<std::size_t>(month - 1)]).append(" ").append(std::to_string(year));
  return out;
}

std::optional<std::string> FullDate(std::optional<int> day, std::optional<int> month, std::optional<int> year) {
  if (day && month && year && IsCalendarDate(*day, *month, *year)) {
    return Format(day, *month, *year);
  }
  return std::nullopt;
}

// One date written as one word with "/", "." or "-" between its two or
// three parts.
std::optional<std::string> NumericDate(std::string_view word, DateOrder order) {
  std::array<std::string_view, 3> parts;
  std::size_t count = 0;
  for (std::size_t from = 0; from <= word.size(); ++count) {
    if (count == parts.size()) {
      return std::nullopt;
    }
    std::size_t to = from;
    while (to < word.size() && word[to] != '/' && word[to] != '.' && word[to] != '-') {
      ++to;
    }
    parts[count] = word.substr(from, to - from);
    from = to + 1;
  }
  if (count == 2) {
    const auto month = MonthOf(parts[0], true);
    const auto year = YearOf(parts[1]);
    return month && year ? std::optional(Format(std::nullopt, *month, *year)) : std::nullopt;
  }
  if (count != 3) {
    return std::nullopt;
  }
  if (parts[0].size() == 4) {
    return FullDate(DayOf(parts[2]), MonthOf(parts[1], true), YearOf(parts[0]));
  }
  const auto year = YearOf(parts[2]);
  const std::size_t dayPart = order == DateOrder::kDayFirst ? 0 : 1;
  if (auto chosen = FullDate(DayOf(parts[dayPart]), MonthOf(parts[1 - dayPart], true), year)) {
    return chosen;
  }
  return FullDate(DayOf(parts[1 - dayPart]), MonthOf(parts[dayPart], true), year);
}

// One date: a year, month year, day month year, month day year, or a
// numeric date.
std::optional<std::string> SimpleDate(std::span<const std::string_view> words, DateOrder order) {
  switch (words.size()) {
    case 1:
      if (const auto year = YearOf(words[0])) {
        return std::to_string(*year);
      }
      return NumericDate(words[0], order);
    case 2: {
      const auto month = MonthOf(words[0], false);
      const auto year = YearOf(words[1]);
      return month && year ? std::optional(Format(std::nullopt, *month, *year)) : std::nullopt;
    }
    case 3:
      if (auto date = FullDate(DayOf(words[0]), MonthOf(words[1], false), YearOf(words[2]))) {
        return date;
      }
      return FullDate(DayOf(words[1]), MonthOf(words[0], false), YearOf(words[2]));
    default:
      return std::nullopt;
  }
}

bool IsOneOf(std::string_view word, std::initializer_list<std::string_view> choices) {
  return std::any_of(choices.begin(), choices.end(),
                     [word](std::string_view choice) { return EqualsIgnoringAsciiCase(word, choice); });
}

// The next word of a date from `at` on, `at` moved past it; empty at the
// end. Blanks and commas separate the words.
std::string_view NextWord(std::string_view text, std::size_t& at) {
  const auto separates = [](char c) { return c == ' ' || c == ',' || c == '\t'; };
  while (at < text.size() && separates(text[at])) {
    ++at;
  }
  const std::size_t start = at;
  while (at < text.size() && !separates(text[at])) {
    ++at;
  }
  return text.substr(start, at - start);
}

// Every form this reads has at most eight words: the first nine words of a
// longer text tell it from every form as all of its words would.
using DateWords = std::array<std::string_view, 9>;

// The first words of `text`, as many as `words` holds.
std::span<const std::string_view> Words(std::string_view text, DateWords& words) {
  std::size_t count = 0;
  std::size_t at = 0;
  for (auto word = NextWord(text, at); !word.empty() && count < words.size(); word = NextWord(text, at)) {
    words[count++] = word;
  }
  return {words.data(), count};
}

// Two dates joined by `joiner` ("and", "to", "-").
std::optional<std::string> Pair(std::span<const std::string_view> words, std::initializer_list<std::string_view> joiner,
                                std::string_view first, std::string_view second, DateOrder order) {
  for (std::size_t i = 1; i + 1 < words.size(); ++i) {
    if (IsOneOf(words[i], joiner)) {
      const auto a = SimpleDate(words.first(i), order);
      const auto b = SimpleDate(words.subspan(i + 1), order);
      if (a && b) {
        return std::string(first) + *a + std::string(second) + *b;
      }
    }
  }
  return std::nullopt;
}

// "1850-1860", "1850 - 1860", "Mar 1850-Jun 1851": two dates around one "-".
std::optional<std::string> DashRange(std::string_view text, DateOrder order) {
  const std::size_t dash = text.find('-');
  if (dash == std::string_view::npos || text.find('-', dash + 1) != std::string_view::npos) {
    return std::nullopt;
  }
  DateWords before;
  DateWords after;
  const auto a = SimpleDate(Words(text.substr(0, dash), before), order);
  const auto b = SimpleDate(Words(text.substr(dash + 1), after), order);
  return a && b ? std::optional("BET " + *a + " AND " + *b) : std::nullopt;
}

}  // namespace

std::optional<std::string> StandardDate(std::string_view text, DateOrder order) {
  DateWords buffer;
  const auto words = Words(text, buffer);
  if (words.empty()) {
    return std::nullopt;
  }
  if (auto date = SimpleDate(words, order)) {
    return date;
  }
  const auto rest = words.subspan(1);
  struct Qualifier {
    std::initializer_list<std::string_view> words;
    std::string_view keyword;
  };
  static const Qualifier kQualifiers[] = {
      {{"abt", "abt.", "about", "c", "c.", "ca", "ca.", "circa", "approx", "approx."}, "ABT "},
      {{"bef", "bef.", "before"}, "BEF "},
      {{"aft", "aft.", "after"}, "AFT "},
      {{"est", "est.", "estimated"}, "EST "},
      {{"cal", "cal.", "calculated"}, "CAL "},
  };
  for (const auto& qualifier : kQualifiers) {
    if (IsOneOf(words[0], qualifier.words)) {
      const auto date = SimpleDate(rest, order);
      return date ? std::optional(std::string(qualifier.keyword) + *date) : std::nullopt;
    }
  }
  if (IsOneOf(words[0], {"bet", "bet.", "between"})) {
    return Pair(rest, {"and", "&", "-"}, "BET ", " AND ", order);
  }
  if (IsOneOf(words[0], {"from"})) {
    if (const auto date = SimpleDate(rest, order)) {
      return "FROM " + *date;
    }
    return Pair(rest, {"to", "-"}, "FROM ", " TO ", order);
  }
  if (IsOneOf(words[0], {"to"})) {
    const auto date = SimpleDate(rest, order);
    return date ? std::optional("TO " + *date) : std::nullopt;
  }
  return DashRange(text, order);
}

std::optional<std::string> YearOfPhrase(std::string_view text) {
  std::optional<std::string> found;
  std::size_t at = 0;
  for (auto word = NextWord(text, at); !word.empty(); word = NextWord(text, at)) {
    if (const auto year = YearOf(word)) {
      if (found) {
        return std::nullopt;
      }
      found = std::to_string(*year);
    }
  }
  return found;
}

std::string GedcomDateOf(int day, int month, int year) {
  return Format(day, month, year);
}

}  // namespace quenby
