// SPDX-License-Identifier: GPL-3.0-or-later
#include "gedcom/gedcom_dates.hpp"

#include <array>
#include <charconv>
#include <cstddef>
#include <span>

#include "gedcom/date_words.hpp"
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

  // A GEDCOM 7.0 date that says less than the text (a dual year written as
  // its later year) keeps the text as its phrase.
  void KeepWrittenText() { keepsWrittenText_ = true; }
  bool KeepsWrittenText() const { return keepsWrittenText_; }

 private:
  // The longest date read, "BET 31 DEC 9998/99 AND 31 DEC 9998/99", has 37
  // characters; GedcomDateOf's "-2147483648 DEC -2147483648" has 27.
  std::array<char, 40> text_{};
  std::size_t size_ = 0;
  bool keepsWrittenText_ = false;
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

// A month as a number or a name in any language of the date words, "Mar."
// and "Sept." included.
int MonthOf(const DatePart& part, bool numberAllowed) {
  if (numberAllowed) {
    const auto number = part.Number(1, 2);
    if (number) {
      return *number >= 1 && *number <= 12 ? *number : 0;
    }
  }
  const auto word = DateWordOf(part.Text());
  return word && word->kind == DateWordKind::kMonth ? word->month : 0;
}

// One date read: a year, a month of a year or a day; 0 for what it does
// not give.
struct SimpleDateValue {
  int day = 0;
  int month = 0;
  // With a dual year ("1697/98"), the later one: the year of the calendar
  // that begins in January.
  int year = 0;
  bool dualYear = false;
  bool beforeChrist = false;
};

// The GEDCOM dialect a date is written in. kBoth writes only what 5.5.1 and
// 7.0 both read: 5.5.1 alone has dual years and "B.C.", 7.0 writes "BCE".
enum class Dialect { kBoth, k551, k70 };

bool Writable(const SimpleDateValue& date, Dialect dialect) {
  return dialect != Dialect::kBoth || (!date.dualYear && !date.beforeChrist);
}

void Format(const SimpleDateValue& date, Dialect dialect, DateText& out) {
  if (date.day != 0) {
    out.AppendNumber(date.day);
    out.Append(" ");
  }
  if (date.month != 0) {
    out.Append(kMonths[static_cast<std::size_t>(date.month - 1)]);
    out.Append(" ");
  }
  if (date.dualYear && dialect == Dialect::k551) {
    constexpr int kCentury = 100;
    const int second = date.year % kCentury;
    out.AppendNumber(date.year - 1);
    out.Append(second < 10 ? "/0" : "/");
    out.AppendNumber(second);
  } else {
    out.AppendNumber(date.year);
  }
  if (date.dualYear && dialect == Dialect::k70) {
    out.KeepWrittenText();
  }
  if (date.beforeChrist) {
    out.Append(dialect == Dialect::k551 ? " B.C." : " BCE");
  }
}

int SignedYear(const SimpleDateValue& date) {
  return date.beforeChrist ? -date.year : date.year;
}

// Whether all of `end` comes before all of `start`: a range written so ends
// before it starts. Dates of different precision are compared as far as
// both go ("1850" and "Mar 1850" overlap).
bool EndsBeforeStart(const SimpleDateValue& start, const SimpleDateValue& end) {
  if (end.year != start.year || end.beforeChrist != start.beforeChrist) {
    return SignedYear(end) < SignedYear(start);
  }
  if (end.month == 0 || start.month == 0) {
    return false;
  }
  if (end.month != start.month) {
    return end.month < start.month;
  }
  return end.day != 0 && start.day != 0 && end.day < start.day;
}

// The day and month of `year` (its year read) into `out`.
bool FullDate(int day, int month, const SimpleDateValue& year, SimpleDateValue& out) {
  if (day != 0 && month != 0 && year.year != 0 && IsCalendarDate(day, month, year.year)) {
    out = year;
    out.day = day;
    out.month = month;
    return true;
  }
  return false;
}

bool FullDate(int day, int month, int year, SimpleDateValue& out) {
  return FullDate(day, month, SimpleDateValue{.year = year}, out);
}

bool MonthAndYear(int month, int year, SimpleDateValue& out) {
  if (month != 0 && year != 0) {
    out = {.month = month, .year = year};
    return true;
  }
  return false;
}

// A year word: a year, or a dual year of the time when the year began in
// March ("1697/98": 1698 from January to March), the second year the one
// after the first. After a month a dash may stand for the slash
// ("7 Mar. 1697-98"); alone "1697-98" is as much a range of two years.
bool YearOfWord(std::string_view word, bool dashAllowed, SimpleDateValue& out) {
  out = {};
  if (const int year = YearOf(DatePart(word)); year != 0) {
    out.year = year;
    return true;
  }
  const std::size_t mark = word.find_first_of(dashAllowed ? "/-" : "/");
  if (mark == std::string_view::npos) {
    return false;
  }
  constexpr int kCentury = 100;
  const int first = YearOf(DatePart(word.substr(0, mark)));
  const auto second = DigitsValue(word.substr(mark + 1), 2, 2);
  if (first == 0 || !second || *second != (first + 1) % kCentury) {
    return false;
  }
  out.year = first + 1;
  out.dualYear = true;
  return true;
}

// A year before Christ: one to four digits and a marker ("45 BC", "45 v. Chr.").
bool BeforeChristYear(std::span<const std::string_view> words, SimpleDateValue& out) {
  const std::size_t marker = BeforeChristWords(words);
  if (marker == 0 || words.size() != marker + 1) {
    return false;
  }
  const auto year = DigitsValue(words[0], 1, 4);
  if (!year || *year == 0) {
    return false;
  }
  out = {.year = *year, .beforeChrist = true};
  return true;
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

// One date: a year, month year, day month year, month day year (the day
// bare or with an ordinal ending), a numeric date, or a year before Christ.
bool SimpleDate(std::span<const std::string_view> words, DateOrder order, SimpleDateValue& out) {
  switch (words.size()) {
    case 1:
      return YearOfWord(words[0], false, out) || NumericDate(words[0], order, out);
    case 2: {
      const int month = MonthOf(DatePart(words[0]), false);
      if (month != 0 && YearOfWord(words[1], true, out)) {
        out.month = month;
        return true;
      }
      return BeforeChristYear(words, out);
    }
    case 3: {
      SimpleDateValue year;
      if (!YearOfWord(words[2], true, year)) {
        return BeforeChristYear(words, out);
      }
      return FullDate(DayOfWord(words[0]), MonthOf(DatePart(words[1]), false), year, out) ||
             FullDate(DayOfWord(words[1]), MonthOf(DatePart(words[0]), false), year, out);
    }
    default:
      return false;
  }
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

bool IsArticle(std::string_view word) {
  const auto meaning = DateWordOf(word);
  return meaning && meaning->kind == DateWordKind::kArticle;
}

// The first words of `text`, as many as `words` holds, without the articles
// ("den 3. marts 1850").
std::span<const std::string_view> Words(std::string_view text, DateWords& words) {
  std::size_t count = 0;
  std::size_t at = 0;
  for (auto word = NextWord(text, at); !word.empty() && count < words.size(); word = NextWord(text, at)) {
    if (!IsArticle(word)) {
      words[count++] = word;
    }
  }
  return {words.data(), count};
}

// Writes the range from `a` to `b` ("BET a AND b"); false when it ends
// before it starts, which no reader can take as a range.
bool Range(const SimpleDateValue& a, const SimpleDateValue& b, std::string_view first, std::string_view second,
           Dialect dialect, DateText& out) {
  if (EndsBeforeStart(a, b) || !Writable(a, dialect) || !Writable(b, dialect)) {
    return false;
  }
  out.Append(first);
  Format(a, dialect, out);
  out.Append(second);
  Format(b, dialect, out);
  return true;
}

// Whether `word` joins the two dates of a range that `opening` opened: "and"
// after a between-word, "to" after a from-word, "-" after either.
bool JoinsRange(std::string_view word, DateWordKind opening) {
  if (word == "-") {
    return true;
  }
  const auto meaning = DateWordOf(word);
  if (!meaning) {
    return false;
  }
  return opening == DateWordKind::kBetween
             ? meaning->kind == DateWordKind::kAnd
             : meaning->kind == DateWordKind::kTo || meaning->kind == DateWordKind::kToInRange;
}

// Two dates joined by a word that joins the range `opening` opened.
bool Pair(std::span<const std::string_view> words, DateWordKind opening, std::string_view first,
          std::string_view second, DateOrder order, Dialect dialect, DateText& out) {
  for (std::size_t i = 1; i + 1 < words.size(); ++i) {
    if (JoinsRange(words[i], opening)) {
      SimpleDateValue a;
      SimpleDateValue b;
      if (SimpleDate(words.first(i), order, a) && SimpleDate(words.subspan(i + 1), order, b)) {
        return Range(a, b, first, second, dialect, out);
      }
    }
  }
  return false;
}

// "1850-1860", "1850 - 1860", "Mar 1850-Jun 1851": two dates around one "-".
bool DashRange(std::string_view text, DateOrder order, Dialect dialect, DateText& out) {
  const std::size_t dash = text.find('-');
  if (dash == std::string_view::npos || text.find('-', dash + 1) != std::string_view::npos) {
    return false;
  }
  DateWords before;
  DateWords after;
  SimpleDateValue a;
  SimpleDateValue b;
  return SimpleDate(Words(text.substr(0, dash), before), order, a) &&
         SimpleDate(Words(text.substr(dash + 1), after), order, b) && Range(a, b, "BET ", " AND ", dialect, out);
}

// A keyword ("ABT ", "TO ") and the one date after it.
bool QualifiedDate(std::span<const std::string_view> words, std::string_view keyword, DateOrder order, Dialect dialect,
                   DateText& out) {
  SimpleDateValue date;
  if (!SimpleDate(words, order, date) || !Writable(date, dialect)) {
    return false;
  }
  out.Append(keyword);
  Format(date, dialect, out);
  return true;
}

// The date of `text` into `out`, which holds no meaning when this is false.
bool ReadDate(std::string_view text, DateOrder order, Dialect dialect, DateText& out) {
  // Nearly every date of a long list is one word of numbers ("12.3.1850"):
  // the whole text is tried as one first, without looking for its words.
  // It is read only when it has no blank or comma (every part is then a
  // number or a month name), so it is the one word read the same way below.
  SimpleDateValue date;
  if (NumericDate(text, order, date)) {
    Format(date, dialect, out);
    return true;
  }
  DateWords buffer;
  const auto words = Words(text, buffer);
  if (words.empty()) {
    return false;
  }
  if (SimpleDate(words, order, date)) {
    if (!Writable(date, dialect)) {
      return false;
    }
    Format(date, dialect, out);
    return true;
  }
  const auto rest = words.subspan(1);
  const auto first = DateWordOf(words[0]);
  switch (first ? first->kind : DateWordKind::kMonth) {
    case DateWordKind::kAbout:
      return QualifiedDate(rest, "ABT ", order, dialect, out);
    case DateWordKind::kBefore:
      return QualifiedDate(rest, "BEF ", order, dialect, out);
    case DateWordKind::kAfter:
      return QualifiedDate(rest, "AFT ", order, dialect, out);
    case DateWordKind::kEstimated:
      return QualifiedDate(rest, "EST ", order, dialect, out);
    case DateWordKind::kCalculated:
      return QualifiedDate(rest, "CAL ", order, dialect, out);
    case DateWordKind::kBetween:
      return Pair(rest, DateWordKind::kBetween, "BET ", " AND ", order, dialect, out);
    case DateWordKind::kFrom:
      return QualifiedDate(rest, "FROM ", order, dialect, out) ||
             Pair(rest, DateWordKind::kFrom, "FROM ", " TO ", order, dialect, out);
    case DateWordKind::kFromInRange:
      return Pair(rest, DateWordKind::kFrom, "FROM ", " TO ", order, dialect, out);
    case DateWordKind::kTo:
      return QualifiedDate(rest, "TO ", order, dialect, out);
    default:
      return DashRange(text, order, dialect, out);
  }
}

}  // namespace

std::optional<std::string> StandardDate(std::string_view text, DateOrder order) {
  DateText date;
  if (!ReadDate(text, order, Dialect::kBoth, date)) {
    return std::nullopt;
  }
  return std::string(date.View());
}

GedcomDate Gedcom551Date(std::string_view text, DateOrder order) {
  DateText date;
  if (ReadDate(text, order, Dialect::k551, date)) {
    return {std::string(date.View()), {}};
  }
  const auto year = YearOfPhrase(text);
  return {(year ? "INT " + *year + " (" : std::string("(")) + std::string(text) + ")", {}};
}

GedcomDate Gedcom70Date(std::string_view text, DateOrder order) {
  DateText date;
  if (ReadDate(text, order, Dialect::k70, date)) {
    return {std::string(date.View()), date.KeepsWrittenText() ? std::string(text) : std::string()};
  }
  return {YearOfPhrase(text).value_or(""), std::string(text)};
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
  Format({.day = day, .month = month, .year = year}, Dialect::kBoth, date);
  return std::string(date.View());
}

}  // namespace quenby
