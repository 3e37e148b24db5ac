// SPDX-License-Identifier: GPL-3.0-or-later
#include "gedcom/gedcom_names.hpp"

#include <algorithm>
#include <array>
#include <cstddef>
#include <vector>

#include "text/calendar.hpp"

namespace quenby {
namespace {

std::string_view WithoutFinalDot(std::string_view word) {
  return word.size() > 1 && word.back() == '.' ? word.substr(0, word.size() - 1) : word;
}

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

template <std::size_t N>
bool IsOneOf(std::string_view word, const std::array<std::string_view, N>& words) {
  return std::any_of(words.begin(), words.end(),
                     [word](std::string_view entry) { return EqualsIgnoringAsciiCase(word, entry); });
}

bool IsParticle(std::string_view word) {
  return IsOneOf(word, kParticles);
}

bool IsTitle(std::string_view word) {
  return IsOneOf(WithoutFinalDot(word), kTitles);
}

bool IsSuffix(std::string_view word) {
  const std::string_view bare = WithoutFinalDot(word);
  return IsOneOf(bare, kSuffixes) || std::find(kNumerals.begin(), kNumerals.end(), bare) != kNumerals.end();
}

// The words from `from` to `to` with one blank between each.
std::string Join(const std::vector<std::string_view>& words, std::size_t from, std::size_t to) {
  std::string out;
  for (std::size_t i = from; i < to; ++i) {
    if (i > from) {
      out += ' ';
    }
    out += words[i];
  }
  return out;
}

}  // namespace

const NameParts& NameSplitter::Split(std::string_view name) {
  // The words before the surname, the surname's words, the words after it,
  // read in one pass: blanks and the first two "/" end a word.
  std::vector<std::string_view>& words = words_;  // its room kept from one name to the next
  words.clear();
  std::size_t marks = 0;  // the "/" read so far, up to two
  std::size_t surnameFrom = 0;
  std::size_t surnameTo = 0;
  std::size_t start = 0;  // where the word being read starts
  const auto endWord = [&](std::size_t at) {
    if (start < at) {
      words.push_back(name.substr(start, at - start));
    }
    start = at + 1;
  };
  for (std::size_t at = 0; at < name.size(); ++at) {
    if (name[at] == ' ') {
      endWord(at);
    } else if (name[at] == '/' && marks < 2) {
      endWord(at);
      (marks++ == 0 ? surnameFrom : surnameTo) = words.size();
    }
  }
  endWord(name.size());
  if (marks == 1 && surnameFrom < words.size()) {
    // A "/" never closed opens a surname that runs to the end ("Jo /Ann"),
    // so that no word of the name is lost.
    surnameTo = words.size();
  } else if (marks < 2) {
    // Without "/" the surname is the last word, unless the name is one
    // word.
    surnameTo = words.size();
    surnameFrom = words.size() > 1 ? words.size() - 1 : surnameTo;
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

  parts_ = {Join(words, 0, titleTo), Join(words, titleTo, particleFrom),
            Join(words, particleFrom, hasSurname ? surnameStart : particleFrom),
            Join(words, surnameStart, hasSurname ? surnameTo : surnameStart),
            Join(words, hasSurname ? surnameTo : suffixFrom, words.size())};
  return parts_;
}

std::string NameValue(const NameParts& parts) {
  std::string out;
  const auto piece = [&out](const std::string& text) {
    if (!text.empty()) {
      if (!out.empty()) {
        out += ' ';
      }
      out += text;
    }
  };
  piece(parts.prefix);
  piece(parts.given);
  if (!parts.surname.empty()) {
    piece("/" + (parts.surnamePrefix.empty() ? "" : parts.surnamePrefix + " ") + parts.surname + "/");
  }
  piece(parts.suffix);
  return out;
}

}  // namespace quenby
