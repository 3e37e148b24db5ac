// SPDX-License-Identifier: GPL-3.0-or-later
#include "gedcom/gedcom_names.hpp"

#include <algorithm>
#include <array>
#include <bit>
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

// A name is read eight characters at a time, its blanks and "/" found
// without a branch for each character: where a word ends cannot be
// foretold, and a processor guessing it wrong at every word, or reading one
// character after another, takes longer than all the rest of a split.

// The eight characters of `text` from `at` on as one number, the first in
// its lowest byte; past the end of the text, zero bytes.
std::uint64_t EightCharacters(std::string_view text, std::size_t at) {
  std::uint64_t eight = 0;
  for (std::size_t i = 0; i < 8 && at + i < text.size(); ++i) {
    eight |= std::uint64_t{static_cast<unsigned char>(text[at + i])} << (8 * i);
  }
  return eight;
}

// The bytes of `eight` that are `c`, as the high bit of each such byte
// (the others are 0).
std::uint64_t BytesEqual(std::uint64_t eight, char c) {
  constexpr std::uint64_t kEachByte = 0x0101010101010101;
  constexpr std::uint64_t kLowBits = 0x7F * kEachByte;
  // A byte of `x` is 0 where `eight` has `c`. Adding 0x7F to its low seven
  // bits sets its high bit unless they are all 0; or-ing in the byte itself
  // sets it unless the byte is 0. So the high bit is clear exactly at the
  // bytes that are 0, with no carry from one byte into the next.
  const std::uint64_t x = eight ^ (kEachByte * static_cast<unsigned char>(c));
  return ~(((x & kLowBits) + kLowBits) | x | kLowBits);
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
  // The words before the surname, the surname's words, the words after it,
  // read in one pass: blanks and the first two "/" end a word.
  std::vector<std::string_view>& words = words_;  // kept between names
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
  for (std::size_t block = 0; block < name.size(); block += 8) {
    const std::uint64_t eight = EightCharacters(name, block);
    for (std::uint64_t ends = BytesEqual(eight, ' ') | BytesEqual(eight, '/'); ends != 0; ends &= ends - 1) {
      const std::size_t at = block + static_cast<std::size_t>(std::countr_zero(ends)) / 8;
      if (name[at] == ' ') {
        endWord(at);
      } else if (marks < 2) {
        endWord(at);
        (marks++ == 0 ? surnameFrom : surnameTo) = words.size();
      }
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

  Join(words, 0, titleTo, parts_.prefix);
  Join(words, titleTo, particleFrom, parts_.given);
  Join(words, particleFrom, hasSurname ? surnameStart : particleFrom, parts_.surnamePrefix);
  Join(words, surnameStart, hasSurname ? surnameTo : surnameStart, parts_.surname);
  Join(words, hasSurname ? surnameTo : suffixFrom, words.size(), parts_.suffix);
  return parts_;
}

void WriteNameValue(const NameParts& parts, std::string& out) {
  // The pieces with at most four blanks and two "/"; only pieces are
  // appended with a call, blanks and marks are pushed.
  const std::size_t size = parts.prefix.size() + parts.given.size() + parts.surnamePrefix.size() +
                           parts.surname.size() + parts.suffix.size() + 6;
  if (out.capacity() < size) {
    out.reserve(size);
  }
  out.clear();
  const auto piece = [&out](const std::string& text) {
    if (!text.empty()) {
      if (!out.empty()) {
        out.push_back(' ');
      }
      out.append(text);
    }
  };
  piece(parts.prefix);
  piece(parts.given);
  if (!parts.surname.empty()) {
    if (!out.empty()) {
      out.push_back(' ');
    }
    out.push_back('/');
    if (!parts.surnamePrefix.empty()) {
      out.append(parts.surnamePrefix);
      out.push_back(' ');
    }
    out.append(parts.surname);
    out.push_back('/');
  }
  piece(parts.suffix);
}

}  // namespace quenby
