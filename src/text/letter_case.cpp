// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/letter_case.hpp"

#include <array>
#include <cstddef>
#include <cstdint>

#include "text/encoding.hpp"

namespace quenby {
namespace {

constexpr char32_t kSharpS = 0x00DF;

// Capitals and their small letters. A run maps every capital from `first`
// to `last` to the letter `delta` further on; a paired run holds capital and
// small letter side by side (capital at an even distance from `first`).
struct CaseRun {
  char32_t first;
  char32_t last;
  std::int32_t delta;
  bool paired;
};

constexpr std::array<CaseRun, 33> kRuns = {{
    {0x0041, 0x005A, 0x20, false},   // A-Z
    {0x00C0, 0x00D6, 0x20, false},   // À-Ö
    {0x00D8, 0x00DE, 0x20, false},   // Ø-Þ
    {0x0100, 0x012F, 1, true},       // Ā-į
    {0x0132, 0x0137, 1, true},       // Ĳ-ķ
    {0x0139, 0x0148, 1, true},       // Ĺ-ň
    {0x014A, 0x0177, 1, true},       // Ŋ-ŷ
    {0x0178, 0x0178, -0x79, false},  // Ÿ
    {0x0179, 0x017E, 1, true},       // Ź-ž
    {0x01CD, 0x01DC, 1, true},       // Ǎ-ǜ
    {0x01DE, 0x01EF, 1, true},       // Ǟ-ǯ
    {0x01F4, 0x01F5, 1, true},       // Ǵ-ǵ
    {0x01F8, 0x021F, 1, true},       // Ǹ-ȟ, Romanian Ș and Ț among them
    {0x0222, 0x0233, 1, true},       // Ȣ-ȳ
    {0x0386, 0x0386, 38, false},     // Ά
    {0x0388, 0x038A, 37, false},     // Έ-Ί
    {0x038C, 0x038C, 64, false},     // Ό
    {0x038E, 0x038F, 63, false},     // Ύ-Ώ
    {0x0391, 0x03A1, 0x20, false},   // Α-Ρ
    {0x03A3, 0x03AB, 0x20, false},   // Σ-Ϋ
    {0x0400, 0x040F, 0x50, false},   // Ѐ-Џ
    {0x0410, 0x042F, 0x20, false},   // А-Я
    {0x0460, 0x0481, 1, true},       // Ѡ-ҁ
    {0x048A, 0x04BF, 1, true},       // Ҋ-ҿ
    {0x04C0, 0x04C0, 0x0F, false},   // Ӏ
    {0x04C1, 0x04CE, 1, true},       // Ӂ-ӎ
    {0x04D0, 0x052F, 1, true},       // Ӑ-ԯ
    {0x0531, 0x0556, 0x30, false},   // Ա-Ֆ
    {0x1E00, 0x1E95, 1, true},       // Ḁ-ẕ
    {0x1EA0, 0x1EFF, 1, true},       // Ạ-ỿ
    {0xFF21, 0xFF3A, 0x20, false},   // fullwidth Ａ-Ｚ
    // Capitals without a small letter of their own in the runs above.
    {0x0130, 0x0130, 0x0069 - 0x0130, false},  // İ: i
    {0x1E9E, 0x1E9E, 0x00DF - 0x1E9E, false},  // ẞ: ß
}};

// The two capitals above map to small letters that have capitals of their
// own ("i" is "I"), so they are left out when mapping to capitals.
constexpr std::size_t kTwoWayRuns = kRuns.size() - 2;

// Small letters whose capital is not in the runs: they share it with another
// small letter ("ſ" and "s") or have a capital of another block ("µ").
struct SmallOnly {
  char32_t small;
  char32_t capital;
};
constexpr std::array<SmallOnly, 4> kSmallOnly = {
    {{0x00B5, 0x039C}, {0x0131, 0x0049}, {0x017F, 0x0053}, {0x03C2, 0x03A3}}};

char32_t SmallOf(char32_t c) {
  if (c < 0x80) {
    return c >= 'A' && c <= 'Z' ? c + 0x20 : c;
  }
  for (const CaseRun& run : kRuns) {
    if (c >= run.first && c <= run.last && (!run.paired || (c - run.first) % 2 == 0)) {
      return static_cast<char32_t>(static_cast<std::int32_t>(c) + run.delta);
    }
  }
  return c;
}

char32_t CapitalOf(char32_t c) {
  if (c < 0x80) {
    return c >= 'a' && c <= 'z' ? c - 0x20 : c;
  }
  for (std::size_t i = 0; i < kTwoWayRuns; ++i) {
    const CaseRun& run = kRuns[i];
    if (run.paired) {
      if (c > run.first && c <= run.last && (c - run.first) % 2 == 1) {
        return c - 1;
      }
    } else {
      const auto capital = static_cast<char32_t>(static_cast<std::int32_t>(c) - run.delta);
      if (capital >= run.first && capital <= run.last) {
        return capital;
      }
    }
  }
  for (const SmallOnly& letter : kSmallOnly) {
    if (letter.small == c) {
      return letter.capital;
    }
  }
  return c;
}

// Characters that end a word: C1 controls, the punctuation and symbols of
// Latin-1 (but not its letters ª, µ and º), × and ÷, and the general and CJK
// punctuation. Any other character beyond ASCII is a letter, a digit or an
// accent that belongs to the letter before it.
bool IsWordCharacter(char32_t c) {
  if (c < 0x80) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
  }
  if (c <= 0xBF) {
    return c == 0xAA || c == 0xB5 || c == 0xBA;
  }
  return c != 0xD7 && c != 0xF7 && !(c >= 0x2000 && c <= 0x206F) && !(c >= 0x3000 && c <= 0x303F);
}

enum class Target { kCapital, kSmall, kTitle, kFolded };

// Appends `c` as the target asks; `wordStart` tells the title case whether
// `c` begins a word.
void AppendAs(std::string& out, char32_t c, Target target, bool wordStart) {
  switch (target) {
    case Target::kCapital:
      if (c == kSharpS) {
        out.append("SS");
        return;
      }
      AppendUtf8(out, CapitalOf(c));
      return;
    case Target::kSmall:
      AppendUtf8(out, SmallOf(c));
      return;
    case Target::kTitle:
      if (!wordStart) {
        AppendUtf8(out, SmallOf(c));
      } else if (c == kSharpS) {
        out.append("Ss");
      } else {
        AppendUtf8(out, CapitalOf(c));
      }
      return;
    case Target::kFolded:
      // Through the small letter to the capital and back, so that letters
      // sharing a capital ("ſ", "s"; "ı", "i") and "ß", "ẞ" and "ss" fold alike.
      c = SmallOf(c);
      if (c == kSharpS) {
        out.append("ss");
        return;
      }
      AppendUtf8(out, SmallOf(CapitalOf(c)));
      return;
  }
}

std::string Converted(std::string_view text, Target target) {
  std::string out;
  out.reserve(text.size());
  bool inWord = false;
  for (std::size_t i = 0; i < text.size();) {
    char32_t c = 0;
    const std::size_t length = DecodeUtf8At(text, i, c);
    if (length == 0) {
      // A byte that is no UTF-8 stays as it is and ends a word.
      out.push_back(text[i]);
      inWord = false;
      ++i;
      continue;
    }
    const bool word = IsWordCharacter(c);
    AppendAs(out, c, target, word && !inWord);
    inWord = word;
    i += length;
  }
  return out;
}

}  // namespace

std::string ToUpperCase(std::string_view text) {
  return Converted(text, Target::kCapital);
}

std::string ToLowerCase(std::string_view text) {
  return Converted(text, Target::kSmall);
}

std::string ToTitleCase(std::string_view text) {
  return Converted(text, Target::kTitle);
}

std::string FoldCase(std::string_view text) {
  return Converted(text, Target::kFolded);
}

}  // namespace quenby
