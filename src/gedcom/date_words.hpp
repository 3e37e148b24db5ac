// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The words of dates as family texts write them, in English, German, Dutch,
// French, Danish, Norwegian and Swedish, and the Latin of parish registers:
// month names and the words around a date ("um 1850", "vor 1850",
// "zwischen 1850 und 1860", "45 v. Chr."), for the standard exports' dates.

#include <array>
#include <cstddef>
#include <initializer_list>
#include <optional>
#include <span>
#include <string_view>
#include <utility>
#include <vector>

namespace quenby {

// What a word says in a date.
enum class DateWordKind {
  kMonth,
  kAbout,        // ABT
  kBefore,       // BEF
  kAfter,        // AFT
  kEstimated,    // EST
  kCalculated,   // CAL
  kBetween,      // opens "BET x AND y"
  kAnd,          // joins the two dates after kBetween
  kFrom,         // FROM x, and opens "FROM x TO y"
  kFromInRange,  // opens "FROM x TO y" only: alone it means "of" as often as "from" ("de", "van", "von")
  kTo,           // TO x, and joins the two dates after a from-word
  kToInRange,    // joins the two dates after a from-word only ("à")
  kArticle,      // left out: "den 3. marts 1850", "the 12th of March 1820"
};

struct DateWord {
  DateWordKind kind = DateWordKind::kMonth;
  int month = 0;  // 1 to 12 for kMonth

  bool operator==(const DateWord&) const = default;
};

// The words of one language, in lower case and without an end dot.
struct DateLanguage {
  std::string_view name;
  std::array<std::initializer_list<std::string_view>, 12> months;
  std::initializer_list<std::string_view> about = {};
  std::initializer_list<std::string_view> before = {};
  std::initializer_list<std::string_view> after = {};
  std::initializer_list<std::string_view> estimated = {};
  std::initializer_list<std::string_view> calculated = {};
  std::initializer_list<std::string_view> between = {};
  std::initializer_list<std::string_view> betweenAnd = {};
  std::initializer_list<std::string_view> from = {};
  std::initializer_list<std::string_view> fromInRange = {};
  std::initializer_list<std::string_view> to = {};
  std::initializer_list<std::string_view> toInRange = {};
  std::initializer_list<std::string_view> articles = {};
};

// Every language's words, English first.
std::span<const DateLanguage> DateLanguages();

// Each word of one language with what it says, as DateWordOf reads it.
std::vector<std::pair<std::string_view, DateWord>> WordsOf(const DateLanguage& language);

// What `word` says in any of those languages, in any case (capital letters
// of Latin-1 included: "MÄRZ", "AOÛT"), with one dot at its end or without
// ("Sept.", "ca."). Nothing for any other word. No word has two meanings
// across the languages: where one would ("ab", about in English and "from"
// in German), it is in no table and a date with it stays a phrase.
std::optional<DateWord> DateWordOf(std::string_view word);

// The day of a day word: a number of one or two digits, bare or with an
// ordinal ending ("11th", "1st", "3.", "1er", "1re", "3:e"); 0 for anything
// else.
int DayOfWord(std::string_view word);

// How many of the last words of a date (0, 1 or 2) mark its year as before
// Christ: "BC", "B.C.", "BCE", "v. Chr.", "v.Chr.", "f.Kr.", "f.v.t.",
// "av. J.-C." in any case.
std::size_t BeforeChristWords(std::span<const std::string_view> words);

}  // namespace quenby
