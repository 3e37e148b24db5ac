// SPDX-License-Identifier: GPL-3.0-or-later
#include "gedcom/gedcom_names.hpp"

#include <algorithm>
#include <array>
#include <cstddef>
#include <optional>
#include <utility>
#include <vector>

#include "text/calendar.hpp"
#include "text/text.hpp"

namespace quenby {
namespace {

std::string_view WithoutFinalDot(std::string_view word) {
  return word.size() > 1 && word.back() == '.' ? word.substr(0, word.size() - 1) : word;
}

// Compared without regard to case; a title or suffix may also end with ".".
constexpr std::array<std::string_view, 56> kParticles = {
    "van",     "von", "der", "den", "de",  "del",   "della",   "degli",   "di",         "da",     "du",      "des",
    "la",      "le",  "lo",  "ten", "ter", "te",    "zu",      "zum",     "zur",        "vom",    "af",      "av",
    "dos",     "das", "do",  "d'",  "l'",  "van't", "d\u2019", "l\u2019", "van\u2019t", "'t",     "\u2019t", "'s",
    "\u2019s", "in",  "op",  "und", "auf", "aus",   "am",      "im",      "vander",     "vanden", "uit",     "aan",
    "bij",     "het", "tot", "toe", "dei", "dal",   "dalla",   "los"};
constexpr std::array<std::string_view, 27> kTitles = {
    "Dr",  "Rev", "Revd", "Sir",     "Dame", "Lady",    "Lord", "Mr", "Mrs", "Miss",  "Ms",  "Mme", "Mlle", "Prof",
    "Hon", "Fr",  "Capt", "Captain", "Col",  "Colonel", "Gen",  "Lt", "Maj", "Major", "Sgt", "Cpl", "Rt"};
constexpr std::array<std::string_view, 11> kSuffixes = {"Jr",  "Jnr", "Junior", "Sr",  "Snr", "Senior",
                                                        "Esq", "2nd", "3rd",    "4th", "Bt"};
// Roman numerals are suffixes in upper case only; "V" and "X" alone are
// more often initials.
constexpr std::array<std::string_view, 7> kNumerals = {"II", "III", "IV", "VI", "VII", "VIII", "IX"};
// The words that introduce the birth surname, in English, French, German,
// Dutch, Italian and the Scandinavian languages; "f." only in lower case,
// as "F." is more often an initial.
constexpr std::array<std::string_view, 13> kBirthWords = {"n\u00E9e",  "nee",       "n\u00E9",  "geb",  "geborene",
                                                          "geborne",   "geboren",   "born",     "nata", "nato",
                                                          "f\u00F8dt", "f\u00F8dd", "f\u00F6dd"};
// The words that introduce another surname the person was known by.
constexpr std::array<std::string_view, 7> kAkaWords = {"alias", "aka", "a.k.a", "genannt", "dit", "dite", "vulgo"};

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

// The kind of name that `word` introduces: birth, aka, or none when it
// introduces none.
NameType IntroducedBy(std::string_view word) {
  if (word == "f.") {
    return NameType::kBirth;
  }
  if (IsOneOf(WithoutFinalDot(word), kBirthWords)) {
    return NameType::kBirth;
  }
  return IsOneOf(WithoutFinalDot(word), kAkaWords) ? NameType::kAka : NameType::kNone;
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

// The size of the blank that starts at `at`, 0 when none does: tabs, line
// breaks and the Unicode spaces (no-break, en, em, thin, ideographic, ...).
// U+0085 is no blank here: read as Windows-1252 it is an ellipsis.
std::size_t BlankSize(std::string_view text, std::size_t at) {
  const auto byte = [&](std::size_t k) { return at + k < text.size() ? static_cast<unsigned char>(text[at + k]) : 0; };
  const unsigned char first = byte(0);
  if (first == ' ' || (first >= '\t' && first <= '\r')) {
    return 1;
  }
  if (first == 0xC2 && byte(1) == 0xA0) {
    return 2;
  }
  const bool wide = (first == 0xE1 && byte(1) == 0x9A && byte(2) == 0x80) ||
                    (first == 0xE2 && byte(1) == 0x80 && (byte(2) <= 0x8A || byte(2) == 0xAF) && byte(2) >= 0x80) ||
                    (first == 0xE2 && byte(1) == 0x81 && byte(2) == 0x9F) ||
                    (first == 0xE3 && byte(1) == 0x80 && byte(2) == 0x80);
  return wide ? 3 : 0;
}

// A word of the name with its other spellings ("Mary/Maria" has two).
struct Word {
  std::vector<std::string> spellings;
  bool marked = false;  // between the "/" that mark the surname
};

// How the surname is marked: by a pair of "/", by a "/" never closed
// ("Jo /Ann"), or not at all.
enum class Marks { kNone, kPair, kOpen };

struct ReadName {
  std::vector<Word> words;
  Marks marks = Marks::kNone;
  std::size_t markAt = 0;  // the words before the surname's first "/"
  std::string nickname;
};

// The "/" that mark the surname: the first pair whose first opens a word or
// whose second ends one; the first then takes the last "/" of the word its
// pair ends in ("/Smith/Smyth/"). Without such a pair, a last "/" that opens
// a word opens a surname that runs to the end.
std::pair<std::size_t, std::size_t> SurnameMarks(std::string_view text, Marks& marks) {
  std::vector<std::size_t> slashes;
  for (std::size_t at = text.find('/'); at != std::string_view::npos; at = text.find('/', at + 1)) {
    slashes.push_back(at);
  }
  const auto opensWord = [&](std::size_t at) { return at == 0 || text[at - 1] == ' '; };
  const auto endsWord = [&](std::size_t at) { return at + 1 == text.size() || text[at + 1] == ' '; };
  for (std::size_t k = 0; k + 1 < slashes.size(); ++k) {
    if (opensWord(slashes[k])) {
      std::size_t close = k + 1;
      while (close + 1 < slashes.size() && text.find(' ', slashes[close]) > slashes[close + 1]) {
        ++close;
      }
      marks = Marks::kPair;
      return {slashes[k], slashes[close]};
    }
    if (endsWord(slashes[k + 1])) {
      marks = Marks::kPair;
      return {slashes[k], slashes[k + 1]};
    }
  }
  if (!slashes.empty() && opensWord(slashes.back())) {
    marks = Marks::kOpen;
    return {slashes.back(), text.size()};
  }
  marks = Marks::kNone;
  return {text.size(), text.size()};
}

// The opening mark of a nickname that `word` starts with and the closing
// marks it takes: parentheses, or quotes of any kind.
struct QuoteMarks {
  std::string_view open;
  bool parenthesis = false;
};

std::optional<QuoteMarks> NicknameOpening(std::string_view word) {
  for (const std::string_view open : {"(", "\"", "\u201C", "\u201E", "\u00AB", "\u00BB"}) {
    if (StartsWith(word, open)) {
      return QuoteMarks{open, open == "("};
    }
  }
  return std::nullopt;
}

std::size_t NicknameClosingSize(std::string_view word, bool parenthesis) {
  if (parenthesis) {
    return EndsWith(word, ")") ? 1 : 0;
  }
  for (const std::string_view close : {"\"", "\u201D", "\u201C", "\u00BB", "\u00AB"}) {
    if (EndsWith(word, close)) {
      return close.size();
    }
  }
  return 0;
}

// Reads the words of `name`: blanks of every kind end a word, commas end
// none, and a word with "/" inside holds several spellings.
ReadName ReadWords(std::string_view name) {
  std::string text;
  text.reserve(name.size());
  for (std::size_t at = 0; at < name.size();) {
    if (const std::size_t blank = BlankSize(name, at); blank > 0) {
      text += ' ';
      at += blank;
    } else {
      text += name[at++];
    }
  }
  ReadName read;
  // Plain variables rather than a structured binding, which the lambda below
  // could not capture under every compiler the project builds with.
  const auto marks = SurnameMarks(text, read.marks);
  const std::size_t open = marks.first;
  const std::size_t close = marks.second;
  std::vector<std::pair<std::string, bool>> raw;  // (word, marked)
  std::size_t start = 0;
  bool markedBefore = false;
  const auto endWord = [&](std::size_t at) {
    std::string_view word = std::string_view(text).substr(start, at - start);
    while (!word.empty() && word.back() == ',') {
      word.remove_suffix(1);
    }
    if (!word.empty()) {
      raw.emplace_back(word, start > open && start < close);
      markedBefore = markedBefore || raw.back().second;
    }
    start = at + 1;
  };
  for (std::size_t at = 0; at <= text.size(); ++at) {
    if (at == text.size() || text[at] == ' ' || at == open || at == close) {
      endWord(at);
      if (at == open) {
        read.markAt = raw.size();
      }
    }
  }

  // Nicknames, which may span words ("(Big Tom)"); a parenthesis that opens
  // with a birth word ("(née Jones)") holds a birth surname instead.
  std::vector<std::pair<std::string, bool>> words;
  for (std::size_t i = 0; i < raw.size();) {
    const auto opening = NicknameOpening(raw[i].first);
    std::size_t j = i;
    std::size_t closing = 0;
    if (opening) {
      for (; j < raw.size(); ++j) {
        const std::string_view word = raw[j].first;
        closing = NicknameClosingSize(j == i ? word.substr(opening->open.size()) : word, opening->parenthesis);
        if (closing > 0) {
          break;
        }
      }
    }
    if (!opening || closing == 0) {
      words.push_back(std::move(raw[i++]));
      continue;
    }
    raw[i].first.erase(0, opening->open.size());
    raw[j].first.resize(raw[j].first.size() - closing);
    if (IntroducedBy(raw[i].first) == NameType::kNone) {
      for (std::size_t k = i; k <= j; ++k) {
        if (!raw[k].first.empty()) {
          read.nickname += (read.nickname.empty() ? "" : " ") + raw[k].first;
        }
      }
    } else {
      for (std::size_t k = i; k <= j; ++k) {
        words.emplace_back(std::move(raw[k].first), false);
      }
    }
    i = j + 1;
  }

  bool marked = false;
  for (auto& [written, inSurname] : words) {
    Word word;
    word.marked = inSurname;
    marked = marked || inSurname;
    for (const auto& spelling : SplitOn(written, "/")) {
      if (!spelling.empty()) {
        word.spellings.push_back(spelling);
      }
    }
    if (!word.spellings.empty()) {
      read.words.push_back(std::move(word));
    }
  }
  // A surname that was a nickname only leaves the name without marks.
  if (!marked && (read.marks == Marks::kOpen || markedBefore)) {
    read.marks = Marks::kNone;
  }
  return read;
}

// The pieces of a name of `words`, the surname from `surnameFrom` to
// `surnameTo` when `marked`, else the last word; `givenEnd` is set to where
// the particles or the surname begin.
NameParts PiecesOf(const std::vector<std::string_view>& words, bool marked, std::size_t surnameFrom,
                   std::size_t surnameTo, std::size_t& givenEnd) {
  if (!marked) {
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
  const std::size_t beforeSurname = hasSurname ? surnameFrom : suffixFrom;

  // Titles from the front; a name without surname keeps one word as given
  // name.
  std::size_t titleTo = 0;
  while (titleTo < beforeSurname && (hasSurname || titleTo + 1 < beforeSurname) && IsTitle(words[titleTo])) {
    ++titleTo;
  }

  // Particles: the words right before the surname, and those that open it.
  std::size_t particleFrom = beforeSurname;
  std::size_t surnameStart = surnameFrom;
  if (hasSurname) {
    while (particleFrom > titleTo && IsParticle(words[particleFrom - 1])) {
      --particleFrom;
    }
    while (surnameStart + 1 < surnameTo && IsParticle(words[surnameStart])) {
      ++surnameStart;
    }
  }
  givenEnd = particleFrom;
  NameParts parts;
  parts.prefix = Join(words, 0, titleTo);
  parts.given = Join(words, titleTo, particleFrom);
  parts.surnamePrefix = Join(words, particleFrom, hasSurname ? surnameStart : particleFrom);
  parts.surname = Join(words, surnameStart, hasSurname ? surnameTo : surnameStart);
  parts.suffix = Join(words, hasSurname ? surnameTo : suffixFrom, words.size());
  return parts;
}

}  // namespace

const std::vector<NameParts>& NameSplitter::Split(std::string_view name) {
  names_.clear();
  const ReadName read = ReadWords(name);
  const std::vector<Word>& words = read.words;

  // The first word after the first that introduces another surname and is
  // followed by a name, not by a date ("geb. 1850").
  std::size_t introducer = words.size();
  NameType introduced = NameType::kNone;
  for (std::size_t i = 1; i + 1 < words.size() && introduced == NameType::kNone; ++i) {
    const char next = words[i + 1].spellings.front().front();
    if (words[i].spellings.size() == 1 && (next < '0' || next > '9')) {
      introduced = IntroducedBy(words[i].spellings.front());
      introducer = i;
    }
  }
  if (introduced == NameType::kNone) {
    introducer = words.size();
  }

  std::size_t spellings = 1;
  for (const Word& word : words) {
    spellings = std::max(spellings, word.spellings.size());
  }
  std::vector<std::string_view> these;
  for (std::size_t spelling = 0; spelling < spellings; ++spelling) {
    const auto spelt = [&](std::size_t i) {
      const auto& all = words[i].spellings;
      return std::string_view(all[std::min(spelling, all.size() - 1)]);
    };
    // The name up to the word that introduces another surname.
    these.clear();
    std::size_t markedFrom = introducer;
    std::size_t markedTo = 0;
    for (std::size_t i = 0; i < introducer; ++i) {
      these.push_back(spelt(i));
      if (words[i].marked) {
        markedFrom = std::min(markedFrom, i);
        markedTo = i + 1;
      }
    }
    bool marked = markedFrom < markedTo;
    if (!marked && read.marks == Marks::kPair && introducer == words.size() && read.markAt <= words.size()) {
      // "Dr. //": marks with nothing between them, no surname.
      marked = true;
      markedFrom = markedTo = read.markAt;
    }
    std::size_t givenEnd = 0;
    NameParts first = PiecesOf(these, marked, markedFrom, markedTo, givenEnd);
    if (spelling > 0) {
      first.type = NameType::kAka;
      names_.push_back(std::move(first));
      continue;
    }
    first.nickname = read.nickname;
    if (introducer == words.size()) {
      names_.push_back(std::move(first));
      continue;
    }
    // The other name: the given names of the first with the surname that
    // follows the word that introduces it.
    these.resize(givenEnd);
    for (std::size_t i = introducer + 1; i < words.size(); ++i) {
      these.push_back(spelt(i));
    }
    std::size_t unused = 0;
    NameParts other = PiecesOf(these, true, givenEnd, these.size(), unused);
    other.type = introduced;
    if (first.surname.empty()) {
      // No surname before "née": the birth surname is the only one.
      other.nickname = std::move(first.nickname);
      names_.push_back(std::move(other));
      continue;
    }
    first.type = introduced == NameType::kBirth ? NameType::kMarried : NameType::kNone;
    names_.push_back(std::move(first));
    names_.push_back(std::move(other));
  }
  return names_;
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
