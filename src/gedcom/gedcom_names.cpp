// SPDX-License-Identifier: GPL-3.0-or-later
#include "gedcom/gedcom_names.hpp"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "text/calendar.hpp"

namespace quenby {
namespace {

std::string_view WithoutFinalDot(std::string_view word) {
  return word.size() > 1 && word.back() == '.' ? word.substr(0, word.size() - 1) : word;
}

// A table of words with a quick test before the comparisons: a name has a
// few words, each looked up in up to three tables, and most of them differ
// from every entry in length or in first letter.
template <std::size_t N>
class WordTable {
 public:
  consteval explicit WordTable(const std::array<std::string_view, N>& words) : words_(words) {
    for (const std::string_view word : words) {
      firstLetters_[word.size()] |= LetterBit(word.front());
    }
  }

  // Whether `word` is an entry, compared without regard to ASCII case.
  bool Contains(std::string_view word) const {
    return MayContain(word) && std::any_of(words_.begin(), words_.end(), [word](std::string_view entry) {
             return entry.size() == word.size() && EqualsIgnoringAsciiCase(word, entry);
           });
  }

  // Whether `word` is an entry, compared exactly.
  bool ContainsExactly(std::string_view word) const {
    return MayContain(word) && std::find(words_.begin(), words_.end(), word) != words_.end();
  }

 private:
  // Entries have at most seven characters ("Captain", "Colonel").
  static constexpr std::size_t kLongest = 7;

  // A bit for the first character, the same for both cases of a letter;
  // other characters may share a bit, which only lets a word through to the
  // comparisons.
  static constexpr std::uint32_t LetterBit(char c) {
    const char lower = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    return std::uint32_t{1} << (static_cast<unsigned char>(lower) % 32);
  }

  // False when no entry has the length and first letter of `word`.
  bool MayContain(std::string_view word) const {
    return !word.empty() && word.size() <= kLongest && (firstLetters_[word.size()] & LetterBit(word.front())) != 0;
  }

  std::array<std::string_view, N> words_;
  // By length, the bits of the first letters of the entries of that length.
  std::array<std::uint32_t, kLongest + 1> firstLetters_{};
};

// Compared without regard to case; a title or suffix may also end with ".".
constexpr WordTable kParticles(std::array<std::string_view, 30>{
    "van", "von", "der", "den", "de",  "del", "della", "degli", "di", "da",  "du",  "des", "la", "le", "lo",
    "ten", "ter", "te",  "zu",  "zum", "zur", "vom",   "af",    "av", "dos", "das", "do",  "d'", "l'", "van't"});
constexpr WordTable kTitles(std::array<std::string_view, 27>{
    "Dr",  "Rev", "Revd", "Sir",     "Dame", "Lady",    "Lord", "Mr", "Mrs", "Miss",  "Ms",  "Mme", "Mlle", "Prof",
    "Hon", "Fr",  "Capt", "Captain", "Col",  "Colonel", "Gen",  "Lt", "Maj", "Major", "Sgt", "Cpl", "Rt"});
constexpr WordTable kSuffixes(std::array<std::string_view, 11>{"Jr", "Jnr", "Junior", "Sr", "Snr", "Senior", "Esq",
                                                               "2nd", "3rd", "4th", "Bt"});
// Roman numerals are suffixes in upper case only; "V" and "X" alone are
// more often initials.
constexpr WordTable kNumerals(std::array<std::string_view, 7>{"II", "III", "IV", "VI", "VII", "VIII", "IX"});

bool IsParticle(std::string_view word) {
  return kParticles.Contains(word);
}

bool IsTitle(std::string_view word) {
  return kTitles.Contains(WithoutFinalDot(word));
}

bool IsSuffix(std::string_view word) {
  return kSuffixes.Contains(WithoutFinalDot(word)) || kNumerals.ContainsExactly(WithoutFinalDot(word));
}

// Appends the words of `text` to `words`.
void AppendWords(std::string_view text, std::vector<std::string_view>& words) {
  std::size_t at = 0;
  while (at < text.size()) {
    if (text[at] == ' ') {
      ++at;
      continue;
    }
    const std::size_t start = at;
    while (at < text.size() && text[at] != ' ') {
      ++at;
    }
    words.push_back(text.substr(start, at - start));
  }
}

// The words from `from` to `to` with one blank between each. The words are
// pieces of one name: where it has them one blank apart, as it mostly does,
// they are copied as one piece of it.
void Join(const std::vector<std::string_view>& words, std::size_t from, std::size_t to, std::string& out) {
  if (from >= to) {
    out.clear();
    return;
  }
  bool oneBlankApart = true;
  for (std::size_t i = from + 1; i < to && oneBlankApart; ++i) {
    const char* previousEnd = words[i - 1].data() + words[i - 1].size();
    oneBlankApart = words[i].data() == previousEnd + 1 && *previousEnd == ' ';
  }
  if (oneBlankApart) {
    const char* end = words[to - 1].data() + words[to - 1].size();
    out.assign(words[from].data(), static_cast<std::size_t>(end - words[from].data()));
    return;
  }
  out.assign(words[from]);
  for (std::size_t i = from + 1; i < to; ++i) {
    out += ' ';
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
