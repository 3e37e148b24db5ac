// SPDX-License-Identifier: GPL-3.0-or-later
#include "gedcom/gedcom_names.hpp"

#include <algorithm>
#include <array>
#include <cstddef>
#include <vector>

#include "text/calendar.hpp"

namespace quenby {
namespace {

// Compared without regard to case; a title or suffix may also end with ".".
constexpr std::array<std::string_view, 30> kParticles = {
    "van", "von", "der", "den", "de",  "del", "della", "degli", "di", "da",  "du",  "des", "la", "le", "lo",
    "ten", "ter", "te",  "zu",  "zum", "zur", "vom",   "af",    "av", "dos", "das", "do",  "d'", "l'", "van't"};
constexpr std::array<std::string_view, 27> kTitles = {
    "Dr",  "Rev", "Revd", "Sir",     "Dame", "Lady",    "Lord", "Mr", "Mrs", "Miss",  "Ms",  "Mme", "Mlle", "Prof",
    "Hon", "Fr",  "Capt", "Captain", "Col",  "Colonel", "Gen",  "Lt", "Maj", "Major", "Sgt", "Cpl", "Rt"};
constexpr std::array<std::string_view, 11> kSuffixes = {"Jr",  "Jnr", "Junior", "Sr",  "Snr", "Senior",
                                                        "Esq", "2nd", "3rd",    "4th", "Bt"};
// Roman numerals are suffixes in upper case only; "V" and "X" alone are
// more often initials.
constexpr std::array<std::string_view, 7> kNumerals = {"II", "III", "IV", "VI", "VII", "VIII", "IX"};

std::string_view WithoutFinalDot(std::string_view word) {
  return word.size() > 1 && word.back() == '.' ? word.substr(0, word.size() - 1) : word;
}

template <std::size_t N>
bool IsIn(std::string_view word, const std::array<std::string_view, N>& table) {
  // Most words differ in length from every entry: told apart without a call.
  return std::any_of(table.begin(), table.end(), [word](std::string_view entry) {
    return entry.size() == word.size() && EqualsIgnoringAsciiCase(word, entry);
  });
}

bool IsParticle(std::string_view word) {
  return IsIn(word, kParticles);
}

bool IsTitle(std::string_view word) {
  return IsIn(WithoutFinalDot(word), kTitles);
}

bool IsSuffix(std::string_view word) {
  return IsIn(WithoutFinalDot(word), kSuffixes) ||
         std::find(kNumerals.begin(), kNumerals.end(), WithoutFinalDot(word)) != kNumerals.end();
}

// Appends the words of `text` to `words`.
void AppendWords(std::string_view text, std::vector<std::string_view>& words) {
  std::size_t at = 0;
  while ((at = text.find_first_not_of(' ', at)) != std::string_view::npos) {
    const std::size_t end = std::min(text.find(' ', at), text.size());
    words.push_back(text.substr(at, end - at));
    at = end;
  }
}

void Join(const std::vector<std::string_view>& words, std::size_t from, std::size_t to, std::string& out) {
  out.clear();
  for (std::size_t i = from; i < to; ++i) {
    if (!out.empty()) {
      out += ' ';
    }
    out.append(words[i]);
  }
}

}  // namespace

NameParts SplitName(std::string_view name) {
  NameSplitter splitter;
  return splitter.Split(name);
}

std::string NameValue(const NameParts& parts) {
  std::string out;
  WriteNameValue(parts, out);
  return out;
}

const NameParts& NameSplitter::Split(std::string_view name) {
  // The words before the surname, the surname's words, the words after it.
  const std::size_t open = name.find('/');
  const std::size_t close = open == std::string_view::npos ? open : name.find('/', open + 1);
  std::vector<std::string_view>& words = words_;  // kept between names
  words.clear();
  std::size_t surnameFrom = 0;
  std::size_t surnameTo = 0;
  if (close == std::string_view::npos) {
    std::string_view whole = name;
    if (open != std::string_view::npos) {
      whole = name.substr(0, open);
    }
    AppendWords(whole, words);
    // A name without "/" has its surname last, unless it is one word.
    surnameTo = words.size();
    surnameFrom = words.size() > 1 ? words.size() - 1 : surnameTo;
  } else {
    AppendWords(name.substr(0, open), words);
    surnameFrom = words.size();
    AppendWords(name.substr(open + 1, close - open - 1), words);
    surnameTo = words.size();
    AppendWords(name.substr(close + 1), words);
  }

  // Suffixes from the end, never the first word; a surname of suffixes
  // only ("/Jr./") gives way to the word before it, or to none when that is
  // the first word ("Henry VIII").
  std::size_t suffixFrom = words.size();
  while (suffixFrom > std::max<std::size_t>(surnameFrom, 1) && IsSuffix(words[suffixFrom - 1])) {
    --suffixFrom;
  }
  if (suffixFrom <= surnameFrom && surnameFrom < surnameTo) {
    while (suffixFrom > 1 && IsSuffix(words[suffixFrom - 1])) {
      --suffixFrom;
    }
    surnameTo = suffixFrom;
    surnameFrom = suffixFrom >= 2 ? suffixFrom - 1 : surnameTo;
  } else {
    surnameTo = std::min(surnameTo, suffixFrom);
  }
  const bool hasSurname = surnameFrom < surnameTo;
  const std::size_t givenEnd = hasSurname ? surnameFrom : suffixFrom;

  // Titles from the front; a name without surname keeps one word as given
  // name.
  std::size_t titleTo = 0;
  while (titleTo < givenEnd && (hasSurname || titleTo + 1 < givenEnd) && IsTitle(words[titleTo])) {
    ++titleTo;
  }

  // Particles: the words right before the surname, and those that open it.
  std::size_t particleFrom = givenEnd;
  std::size_t surnameStart = surnameFrom;
  if (hasSurname) {
    while (particleFrom > titleTo && IsParticle(words[particleFrom - 1])) {
      --particleFrom;
    }
    while (surnameStart + 1 < surnameTo && IsParticle(words[surnameStart])) {
      ++surnameStart;
    }
  }

  Join(words, 0, titleTo, parts_.prefix);
  Join(words, titleTo, particleFrom, parts_.given);
  Join(words, particleFrom, hasSurname ? surnameStart : particleFrom, parts_.surnamePrefix);
  Join(words, surnameStart, hasSurname ? surnameTo : surnameStart, parts_.surname);
  Join(words, hasSurname ? surnameTo : suffixFrom, words.size(), parts_.suffix);
  return parts_;
}

void WriteNameValue(const NameParts& parts, std::string& out) {
  // The pieces with at most four blanks and two "/".
  out.reserve(parts.prefix.size() + parts.given.size() + parts.surnamePrefix.size() + parts.surname.size() +
              parts.suffix.size() + 6);
  out.assign(parts.prefix);
  const auto blank = [&out] {
    if (!out.empty()) {
      out += ' ';
    }
  };
  if (!parts.given.empty()) {
    blank();
    out.append(parts.given);
  }
  if (!parts.surname.empty()) {
    blank();
    out += '/';
    if (!parts.surnamePrefix.empty()) {
      out.append(parts.surnamePrefix).append(" ");
    }
    out.append(parts.surname).append("/");
  }
  if (!parts.suffix.empty()) {
    blank();
    out.append(parts.suffix);
  }
}

}  // namespace quenby
