// SPDX-License-Identifier: GPL-3.0-or-later
// Long values over CONC lines and line breaks over CONT lines.

#include <gtest/gtest.h>

#include <string>

#include "gedcom/gedcom_line_split.hpp"
#include "text/encoding.hpp"
#include "text/text.hpp"

namespace quenby {
namespace {

std::string Written(std::string_view value, GedcomVersion version, int level = 1) {
  std::string out;
  AppendValueLines(out, level, {}, "NOTE", value, version);
  return out;
}

// The value that a reader puts back together.
std::string Joined(const std::string& written) {
  std::string value;
  for (const auto& line : SplitOn(written, kCrLf)) {
    if (line.empty()) {
      continue;
    }
    const auto tagEnd = line.find(' ', 2);
    const std::string_view tag = std::string_view(line).substr(2, tagEnd == std::string::npos ? 4 : tagEnd - 2);
    const std::string piece = tagEnd == std::string::npos || tagEnd + 1 > line.size() ? "" : line.substr(tagEnd + 1);
    if (tag == "CONT") {
      value += '\n';
    }
    value += piece;
  }
  return value;
}

TEST(GedcomLines, ShortValuesTakeOneLineAndEmptyOnesNoBlank) {
  EXPECT_EQ(Written("Farmer", GedcomVersion::k551), "1 NOTE Farmer\r\n");
  EXPECT_EQ(Written("", GedcomVersion::k70, 12), "12 NOTE\r\n");
  std::string out;
  AppendValueLines(out, 0, "NI1", "NOTE", "a\n\nb", GedcomVersion::k70);
  AppendPointerLine(out, 1, "FAMS", "F1");
  AppendPointerLine(out, 12, "SOUR", "S1");
  EXPECT_EQ(out, "0 @NI1@ NOTE a\r\n1 CONT\r\n1 CONT b\r\n1 FAMS @F1@\r\n12 SOUR @S1@\r\n");
}

// "1 NOTE " takes 7 bytes and CR LF 2: a value of 246 fills the line to
// exactly 255 bytes, and so does a CONC piece of 246.
TEST(GedcomLines, ALineOfExactly255BytesWithItsCrLfIsNotCut) {
  const std::string full(246, 'a');
  EXPECT_EQ(Written(full, GedcomVersion::k551), "1 NOTE " + full + "\r\n");
  // A last blank is no reason to cut a value that fits.
  const std::string blankLast = std::string(245, 'a') + " ";
  EXPECT_EQ(Written(blankLast, GedcomVersion::k551), "1 NOTE " + blankLast + "\r\n");
  EXPECT_EQ(Written(full + "b", GedcomVersion::k551), "1 NOTE " + full + "\r\n2 CONC b\r\n");
  EXPECT_EQ(Written(full + full + "b", GedcomVersion::k551),
            "1 NOTE " + full + "\r\n2 CONC " + full + "\r\n2 CONC b\r\n");
}

// A cut between the two "@" of an escaped "@@" would leave each line with a
// lone "@": the cut moves before the pair.
TEST(GedcomLines, NeverCutsBetweenADoubledAt) {
  const std::string value = std::string(245, 'a') + "@@" + std::string(10, 'b');
  EXPECT_EQ(Written(value, GedcomVersion::k551),
            "1 NOTE " + std::string(245, 'a') + "\r\n2 CONC @@" + std::string(10, 'b') + "\r\n");
}

// The last byte that fits is the first of a two-byte character: the cut
// moves before the character.
TEST(GedcomLines, NeverCutsInsideACharacterAtTheLastByte) {
  const std::string value = std::string(245, 'a') + "\xC3\xA9" + "z";
  EXPECT_EQ(Written(value, GedcomVersion::k551), "1 NOTE " + std::string(245, 'a') + "\r\n2 CONC \xC3\xA9z\r\n");
}

struct TextCase {
  std::string raw;
  std::string five;   // as a 5.5.1 value
  std::string seven;  // as a 7.0 value; "=" when the same
};

class GedcomTextTable : public ::testing::TestWithParam<TextCase> {};

TEST_P(GedcomTextTable, IsPrintableWithItsAtEscaped) {
  const TextCase& c = GetParam();
  std::string five;
  AppendGedcomText(five, c.raw, GedcomVersion::k551);
  EXPECT_EQ(five, c.five);
  std::string seven;
  AppendGedcomText(seven, c.raw, GedcomVersion::k70);
  EXPECT_EQ(seven, c.seven == "=" ? c.five : c.seven);
}

INSTANTIATE_TEST_SUITE_P(
    Golden, GedcomTextTable,
    ::testing::Values(TextCase{" !?AZ[`az{~ plain", " !?AZ[`az{~ plain", "="}, TextCase{"@S1@", "@@S1@@", "@@S1@"},
                      TextCase{"a@b@", "a@@b@@", "a@b@"}, TextCase{"x\n@y", "x\n@@y", "x\n@@y"},
                      TextCase{"tab\there", "tab\there", "="},
                      // Control characters, DEL, and the C1 block as Windows-1252 read it.
                      TextCase{"a\x01\x1F\x7F", "a\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD", "="},
                      TextCase{"\xC2\x80\xC2\x92\xC2\x9F", "\xE2\x82\xAC\xE2\x80\x99\xC5\xB8", "="},
                      TextCase{"\xC2\x81", "\xEF\xBF\xBD", "="},
                      // The lowest character of each UTF-8 length stays as it is.
                      TextCase{"\xC2\xA0\xE0\xA0\x80\xF0\x90\x80\x80", "\xC2\xA0\xE0\xA0\x80\xF0\x90\x80\x80", "="},
                      TextCase{"bad \xFF byte", "bad \xEF\xBF\xBD byte", "="}));

// Values of every shape that a cut could spoil: blanks, "@@", and the first
// character of each UTF-8 length (and C1 neighbours) at every offset.
TEST(GedcomLines, CutsLongValuesOnlyWhereNothingIsLostAndKeepsLinesShort) {
  const std::string letters[] = {"a", "\xC2\x80", "\xC2\xA0", "\xE0\xA0\x80", "\xE2\x80\x99", "\xF0\x90\x80\x80"};
  for (const auto& letter : letters) {
    for (std::size_t offset = 0; offset < 5; ++offset) {
      std::string value(offset, 'x');
      while (value.size() < 1300) {
        value += letter + letter + "@@" + letter + " w " + letter;
      }
      value += "\nsecond line " + value;
      const std::string written = Written(value, GedcomVersion::k551);
      EXPECT_EQ(Joined(written), value);
      for (const auto& line : SplitOn(written, kCrLf)) {
        ASSERT_LE(line.size() + kCrLf.size(), kLongestGedcomLine);
        ASSERT_TRUE(IsValidUtf8(line));
        ASSERT_FALSE(EndsWith(line, " ") && line.find("CONC") != std::string::npos);
        ASSERT_FALSE(line.find(" CONC  ") != std::string::npos);
      }
      const std::string seven = Written(value, GedcomVersion::k70);
      EXPECT_EQ(seven.find("CONC"), std::string::npos);
      EXPECT_EQ(Joined(seven), value);
    }
  }
}

// A value with no place where a cut loses nothing (blanks, or a blank before
// each character of two bytes) is still cut, never inside a character.
TEST(GedcomLines, AValueWithNoGoodCutIsStillCutBetweenCharactersAndKept) {
  std::string accents;
  while (accents.size() < 600) {
    accents += " \xC3\xA9";
  }
  for (const std::string& value : {"a" + std::string(600, ' ') + "b", accents}) {
    const std::string written = Written(value, GedcomVersion::k551);
    EXPECT_EQ(Joined(written), value);
    for (const auto& line : SplitOn(written, kCrLf)) {
      EXPECT_LE(line.size() + kCrLf.size(), kLongestGedcomLine);
      EXPECT_TRUE(IsValidUtf8(line)) << line;
    }
  }
}

}  // namespace
}  // namespace quenby
