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
  // Most entries differ from the word in length, which is compared here so
  // that they cost no call: every word of every name is looked up in a
  // list of dozens.
  return std::any_of(words.begin(), words.end(), [word](std::string_view entry) {
    return entry.size() == word.size() && EqualsIgnoringAsciiCase(word, entry);
  });
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

// Spelling `k` of a word, the pieces between its "/" that are not empty
// ("Mary/Maria" has two); its last when it has fewer, empty when it has
// none. `count` is set to how many it has.
std::string_view Spelling(std::string_view word, std::size_t k, std::size_t& count) {
  std::string_view chosen;
  count = 0;
  for (std::size_t at = 0; at <= word.size();) {
    const std::size_t slash = std::min(word.find('/', at), word.size());
    if (slash > at) {
      if (count <= k) {
        chosen = word.substr(at, slash - at);
      }
      ++count;
    }
    at = slash + 1;
  }
  return chosen;
}

std::string_view Spelling(std::string_view word, std::size_t k) {
  std::size_t count = 0;
  return Spelling(word, k, count);
}

std::size_t SpellingCount(std::string_view word) {
  std::size_t count = 0;
  Spelling(word, 0, count);
  return count;
}

// The opening mark of a nickname that `word` starts with and the closing
// marks it takes: parentheses, or quotes of any kind.
struct QuoteMarks {
  std::string_view open;
  bool parenthesis = false;
};

constexpr std::array<std::string_view, 6> kNicknameOpenings = {"(", "\"", "\u201C", "\u201E", "\u00AB", "\u00BB"};
constexpr std::array<std::string_view, 5> kNicknameClosings = {"\"", "\u201D", "\u201C", "\u00BB", "\u00AB"};

std::optional<QuoteMarks> NicknameOpening(std::string_view word) {
  for (const std::string_view open : kNicknameOpenings) {
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
  for (const std::string_view close : kNicknameClosings) {
    if (EndsWith(word, close)) {
      return close.size();
    }
  }
  return 0;
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

// The "/" that mark the surname: the first pair whose first opens a word or
// whose second ends one; the first then takes the last "/" of the word its
// pair ends in ("/Smith/Smyth/"). Without such a pair, a last "/" that opens
// a word opens a surname that runs to the end.
std::pair<std::size_t, std::size_t> NameSplitter::SurnameMarks(std::string_view text) {
  std::vector<std::size_t>& slashes = slashes_;
  slashes.clear();
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
      marks_ = Marks::kPair;
      return {slashes[k], slashes[close]};
    }
    if (endsWord(slashes[k + 1])) {
      marks_ = Marks::kPair;
      return {slashes[k], slashes[k + 1]};
    }
  }
  if (!slashes.empty() && opensWord(slashes.back())) {
    marks_ = Marks::kOpen;
    return {slashes.back(), text.size()};
  }
  marks_ = Marks::kNone;
  return {text.size(), text.size()};
}

// Reads the words of `name`: blanks of every kind end a word, commas end
// none, and a word with "/" inside holds several spellings.
void NameSplitter::ReadWords(std::string_view name) {
  text_.resize(name.size());
  std::size_t size = 0;
  for (std::size_t at = 0; at < name.size();) {
    if (const std::size_t blank = BlankSize(name, at); blank > 0) {
      text_[size++] = ' ';
      at += blank;
    } else {
      text_[size++] = name[at++];
    }
  }
  text_.resize(size);
  const std::string_view text = text_;
  // Plain variables rather than a structured binding, which the lambda below
  // could not capture under every compiler the project builds with.
  const auto marks = SurnameMarks(text);
  const std::size_t open = marks.first;
  const std::size_t close = marks.second;
  raw_.clear();
  markAt_ = 0;
  std::size_t start = 0;
  bool markedBefore = false;
  const auto endWord = [&](std::size_t at) {
    std::string_view word = text.substr(start, at - start);
    while (!word.empty() && word.back() == ',') {
      word.remove_suffix(1);
    }
    if (!word.empty()) {
      raw_.push_back({word, start > open && start < close});
      markedBefore = markedBefore || raw_.back().marked;
    }
    start = at + 1;
  };
  for (std::size_t at = 0; at <= text.size(); ++at) {
    if (at == text.size() || text[at] == ' ' || at == open || at == close) {
      endWord(at);
      if (at == open) {
        markAt_ = raw_.size();
      }
    }
  }

  // Nicknames, which may span words ("(Big Tom)"); a parenthesis that opens
  // with a birth word ("(née Jones)") holds a birth surname instead.
  words_.clear();
  nickname_.clear();
  for (std::size_t i = 0; i < raw_.size();) {
    const auto opening = NicknameOpening(raw_[i].written);
    std::size_t j = i;
    std::size_t closing = 0;
    if (opening) {
      for (; j < raw_.size(); ++j) {
        const std::string_view word = raw_[j].written;
        closing = NicknameClosingSize(j == i ? word.substr(opening->open.size()) : word, opening->parenthesis);
        if (closing > 0) {
          break;
        }
      }
    }
    if (!opening || closing == 0) {
      words_.push_back(raw_[i++]);
      continue;
    }
    raw_[i].written.remove_prefix(opening->open.size());
    raw_[j].written.remove_suffix(closing);
    if (IntroducedBy(raw_[i].written) == NameType::kNone) {
      for (std::size_t k = i; k <= j; ++k) {
        if (!raw_[k].written.empty()) {
          if (!nickname_.empty()) {
            nickname_ += ' ';
          }
          nickname_ += raw_[k].written;
        }
      }
    } else {
      for (std::size_t k = i; k <= j; ++k) {
        words_.push_back({raw_[k].written, false});
      }
    }
    i = j + 1;
  }

  // A word that is "/" only says nothing; a surname that was a nickname
  // only leaves the name without marks.
  const bool marked = std::any_of(words_.begin(), words_.end(), [](const Word& word) { return word.marked; });
  std::erase_if(words_, [](const Word& word) { return SpellingCount(word.written) == 0; });
  if (!marked && (marks_ == Marks::kOpen || markedBefore)) {
    marks_ = Marks::kNone;
  }
}

const std::vector<NameParts>& NameSplitter::Split(std::string_view name) {
  names_.clear();
  ReadWords(name);
  const std::vector<Word>& words = words_;

  // The first word after the first that introduces another surname and is
  // followed by a name, not by a date ("geb. 1850").
  std::size_t introducer = words.size();
  NameType introduced = NameType::kNone;
  for (std::size_t i = 1; i + 1 < words.size() && introduced == NameType::kNone; ++i) {
    const char next = Spelling(words[i + 1].written, 0).front();
    if (SpellingCount(words[i].written) == 1 && (next < '0' || next > '9')) {
      introduced = IntroducedBy(Spelling(words[i].written, 0));
      introducer = i;
    }
  }
  if (introduced == NameType::kNone) {
    introducer = words.size();
  }

  std::size_t spellings = 1;
  for (const Word& word : words) {
    spellings = std::max(spellings, SpellingCount(word.written));
  }
  std::vector<std::string_view>& these = these_;
  for (std::size_t spelling = 0; spelling < spellings; ++spelling) {
    const auto spelt = [&](std::size_t i) { return Spelling(words[i].written, spelling); };
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
    if (!marked && marks_ == Marks::kPair && introducer == words.size() && markAt_ <= words.size()) {
      // "Dr. //": marks with nothing between them, no surname.
      marked = true;
      markedFrom = markedTo = markAt_;
    }
    std::size_t givenEnd = 0;
    NameParts first = PiecesOf(these, marked, markedFrom, markedTo, givenEnd);
    if (spelling > 0) {
      first.type = NameType::kAka;
      names_.push_back(std::move(first));
      continue;
    }
    first.nickname = nickname_;
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
