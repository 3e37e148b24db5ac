// SPDX-License-Identifier: GPL-3.0-or-later
#include "gedcom/gedcom_dates.hpp"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstddef>
#include <span>

#include "text/calendar.hpp"
#include "text/text.hpp"

namespace quenby {
namespace {

constexpr std::array<std::string_view, 12> kMonths = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                                                      "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};

// A date in GEDCOM form, made in place: an export reads a date for nearly
// every person, and making each from std::string pieces cost more than
// reading it.
class DateText {
 public:
  void Append(std::string_view piece) {
    // One character at a time: the pieces have a few characters, fewer
    // than a call to copy them would cost. Never cut: see the room below.
    for (const char c : piece.substr(0, text_.size() - size_)) {
      text_[size_++] = c;
    }
  }

  void AppendNumber(int value) {
    const auto written = std::to_chars(text_.data() + size_, text_.data() + text_.size(), value);
    size_ = static_cast<std::size_t>(written.ptr - text_.data());
  }

  std::string_view View() const { return {text_.data(), size_}; }

 private:
  // The longest date read, "BET 31 DEC 9999 AND 31 DEC 9999", has 31
  // characters; GedcomDateOf's "-2147483648 DEC -2147483648" has 27.
  std::array<char, 32> text_{};
  std::size_t size_ = 0;
};

// A word of a date, or a part of a numeric date, with its number when it is
// all ASCII digits. Its characters are read one at a time, so that a numeric
// date is read in one pass, its parts' numbers with it.
class DatePart {
 public:
  DatePart() = default;

  explicit DatePart(std::string_view text) {
    for (const char c : text) {
      Add(c);
    }
    End(text);
  }

  void Add(char c) {
    if (c >= '0' && c <= '9') {
      // Unsigned, so that a long run of digits wraps instead of overflowing;
      // only a number of at most four digits is ever used.
      value_ = value_ * 10 + static_cast<unsigned>(c - '0');
    } else {
      allDigits_ = false;
    }
  }

  // Ends the part: `text` is what was added.
  void End(std::string_view text) { text_ = text; }

  std::string_view Text() const { return text_; }

  // The number when the part is `minDigits` to `maxDigits` digits, as
  // DigitsValue reads it (`minDigits` at least 1, `maxDigits` at most 4).
  std::optional<int> Number(std::size_t minDigits, std::size_t maxDigits) const {
    if (!allDigits_ || text_.size() < minDigits || text_.size() > maxDigits) {
      return std::nullopt;
    }
    return static_cast<int>(value_);
  }

 private:
  std::string_view text_;
  unsigned value_ = 0;
  bool allDigits_ = true;
};

// The day, month and year of a date are numbers read from its parts, 0 when
// a part is none: no day, month or year is 0.

// A year of three or four digits: the GEDCOM grammar has no shorter year,
// and a two-digit year would have to be guessed.
int YearOf(const DatePart& part) {
  return part.Number(3, 4).value_or(0);
}

int DayOf(const DatePart& part) {
  return part.Number(1, 2).value_or(0);
}

// A month as a number or an English name, "Mar." and "Sept." included.
int MonthOf(const DatePart& part, bool numberAllowed) {
  if (numberAllowed) {
    const auto number = part.Number(1, 2);
    if (number) {
      return *number >= 1 && *number <= 12 ? *number : 0;
    }
  }
  std::string_view text = part.Text();
  if (EndsWith(text, ".")) {
    text.remove_suffix(1);
  }
  return MonthNamed(text).value_or(0);
}

// One date read: a year, a month of a year or a day; 0 for what it does
// not give.
struct SimpleDateValue {
  int day = 0;
  int month = 0;
  int year = 0;
};

void Format(const SimpleDateValue& date, DateText& out) {
  if (date.day != 0) {
    out.AppendNumber(date.day);
    out.Append(" ");
  }
  if (date.month != 0) {
    out.Append(kMonths[static_cast<std::size_t>(date.month - 1)]);
    out.Append(" ");
  }
  out.AppendNumber(date.year);
}

// Whether all of `end` comes before all of `start`: a range written so ends
// before it starts. Dates of different precision are compared as far as
// both go ("1850" and "Mar 1850" overlap).
bool EndsBeforeStart(const SimpleDateValue& start, const SimpleDateValue& end) {
  if (end.year != start.year) {
    return end.year < start.year;
  }
  if (end.month == 0 || start.month == 0) {
    return false;
  }
  if (end.month != start.month) {
    return end.month < start.month;
  }
  return end.day != 0 && start.day != 0 && end.day < start.day;
}

bool FullDate(int day, int month, int year, SimpleDateValue& out) {
  if (day != 0 && month != 0 && year != 0 && IsCalendarDate(day, month, year)) {
    out = {day, month, year};
    return true;
  }
  return false;
}

bool MonthAndYear(int month, int year, SimpleDateValue& out) {
  if (month != 0 && year != 0) {
    out = {0, month, year};
    return true;
  }
  return false;
}

// One date written as one word with "/", "." or "-" between its two or
// three parts.
bool NumericDate(std::string_view word, DateOrder order, SimpleDateValue& out) {
  std::array<DatePart, 3> parts;
  std::size_t count = 0;
  DatePart part;
  std::size_t from = 0;
  for (std::size_t at = 0; at <= word.size(); ++at) {
    if (at < word.size() && word[at] != '/' && word[at] != '.' && word[at] != '-') {
      part.Add(word[at]);
      continue;
    }
    if (count == parts.size()) {
      return false;
    }
    part.End(word.substr(from, at - from));
    parts[count++] = part;
    part = DatePart();
    from = at + 1;
  }
  if (count == 2) {
    return MonthAndYear(MonthOf(parts[0], true), YearOf(parts[1]), out);
  }
  if (count != 3) {
    return false;
  }
  if (parts[0].Text().size() == 4) {
    return FullDate(DayOf(parts[2]), MonthOf(parts[1], true), YearOf(parts[0]), out);
  }
  const int year = YearOf(parts[2]);
  const std::size_t dayPart = order == DateOrder::kDayFirst ? 0 : 1;
  return FullDate(DayOf(parts[dayPart]), MonthOf(parts[1 - dayPart], true), year, out) ||
         FullDate(DayOf(parts[1 - dayPart]), MonthOf(parts[dayPart], true), year, out);
}

// One date: a year, month year, day month year, month day year, or a
// numeric date.
bool SimpleDate(std::span<const std::string_view> words, DateOrder order, SimpleDateValue& out) {
  switch (words.size()) {
    case 1:
      if (const int year = YearOf(DatePart(words[0])); year != 0) {
        out = {0, 0, year};
        return true;
      }
      return NumericDate(words[0], order, out);
    case 2:
      return MonthAndYear(MonthOf(DatePart(words[0]), false), YearOf(DatePart(words[1])), out);
    case 3: {
      const DatePart first(words[0]);
      const DatePart second(words[1]);
      const int year = YearOf(DatePart(words[2]));
      return FullDate(DayOf(first), MonthOf(second, false), year, out) ||
             FullDate(DayOf(second), MonthOf(first, false), year, out);
    }
    default:
      return false;
  }
}

bool IsOneOf(std::string_view word, std::initializer_list<std::string_view> choices) {
  // Most words differ in length from every choice: told apart without a call.
  return std::any_of(choices.begin(), choices.end(), [word](std::string_view choice) {
    return choice.size() == word.size() && EqualsIgnoringAsciiCase(word, choice);
  });
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

// Writes the range from `a` to `b` ("BET a AND b"); false when it ends
// before it starts, which no reader can take as a range.
bool Range(const SimpleDateValue& a, const SimpleDateValue& b, std::string_view first, std::string_view second,
           DateText& out) {
  if (EndsBeforeStart(a, b)) {
    return false;
  }
  out.Append(first);
  Format(a, out);
  out.Append(second);
  Format(b, out);
  return true;
}

// Two dates joined by `joiner` ("and", "to", "-").
bool Pair(std::span<const std::string_view> words, std::initializer_list<std::string_view> joiner,
          std::string_view first, std::string_view second, DateOrder order, DateText& out) {
  for (std::size_t i = 1; i + 1 < words.size(); ++i) {
    if (IsOneOf(words[i], joiner)) {
      SimpleDateValue a;
      SimpleDateValue b;
      if (SimpleDate(words.first(i), order, a) && SimpleDate(words.subspan(i + 1), order, b)) {
        return Range(a, b, first, second, out);
      }
    }
  }
  return false;
}

// "1850-1860", "1850 - 1860", "Mar 1850-Jun 1851": two dates around one "-".
bool DashRange(std::string_view text, DateOrder order, DateText& out) {
  const std::size_t dash = text.find('-');
  if (dash == std::string_view::npos || text.find('-', dash + 1) != std::string_view::npos) {
    return false;
  }
  DateWords before;
  DateWords after;
  SimpleDateValue a;
  SimpleDateValue b;
  return SimpleDate(Words(text.substr(0, dash), before), order, a) &&
         SimpleDate(Words(text.substr(dash + 1), after), order, b) && Range(a, b, "BET ", " AND ", out);
}

// A keyword ("ABT ", "TO ") and the one date after it.
bool QualifiedDate(std::span<const std::string_view> words, std::string_view keyword, DateOrder order, DateText& out) {
  SimpleDateValue date;
  if (!SimpleDate(words, order, date)) {
    return false;
  }
  out.Append(keyword);
  Format(date, out);
  return true;
}

// The date of `text` into `out`, which holds no meaning when this is false.
bool ReadDate(std::string_view text, DateOrder order, DateText& out) {
  // Nearly every date of a long list is one word of numbers ("12.3.1850"):
  // the whole text is tried as one first, without looking for its words.
  // It is read only when it has no blank or comma (every part is then a
  // number or a month name), so it is the one word read the same way below.
  SimpleDateValue date;
  if (NumericDate(text, order, date)) {
    Format(date, out);
    return true;
  }
  DateWords buffer;
  const auto words = Words(text, buffer);
  if (words.empty()) {
    return false;
  }
  if (SimpleDate(words, order, date)) {
    Format(date, out);
    return true;
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
      return QualifiedDate(rest, qualifier.keyword, order, out);
    }
  }
  if (IsOneOf(words[0], {"bet", "bet.", "between"})) {
    return Pair(rest, {"and", "&", "-"}, "BET ", " AND ", order, out);
  }
  if (IsOneOf(words[0], {"from"})) {
    return QualifiedDate(rest, "FROM ", order, out) || Pair(rest, {"to", "-"}, "FROM ", " TO ", order, out);
  }
  if (IsOneOf(words[0], {"to"})) {
    return QualifiedDate(rest, "TO ", order, out);
  }
  return DashRange(text, order, out);
}

}  // namespace

std::optional<std::string> StandardDate(std::string_view text, DateOrder order) {
  DateText date;
  if (!ReadDate(text, order, date)) {
    return std::nullopt;
  }
  return std::string(date.View());
}

std::optional<std::string> YearOfPhrase(std::string_view text) {
  std::optional<int> found;
  std::size_t at = 0;
  for (auto word = NextWord(text, at); !word.empty(); word = NextWord(text, at)) {
    if (const int year = YearOf(DatePart(word)); year != 0) {
      if (found) {
        return std::nullopt;
      }
      found = year;
    }
  }
  return found ? std::optional(std::to_string(*found)) : std::nullopt;
}

std::string GedcomDateOf(int day, int month, int year) {
  DateText date;
  Format({day, month, year}, date);
  return std::string(date.View());
}

}  // namespace quenby
