// SPDX-License-Identifier: GPL-3.0-or-later
// Long values over CONC lines and line breaks over CONT lines.

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "gedcom/gedcom_line_split.hpp"
#include "support/golden_table.hpp"
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

// Writes `value` as a 5.5.1 value and checks that its lines are short and
// whole characters and that they join to the value again; gives the lines.
std::string ExpectCutWhole(const std::string& value) {
  const std::string written = Written(value, GedcomVersion::k551);
  EXPECT_EQ(Joined(written), value);
  for (const auto& line : SplitOn(written, kCrLf)) {
    EXPECT_LE(line.size() + kCrLf.size(), kLongestGedcomLine);
    EXPECT_TRUE(IsValidUtf8(line)) << line;
  }
  return written;
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
// exactly 255 bytes, also before a line break, and so does a CONC piece of
// 246; a last blank is no
// reason to cut a value that fits. A cut that would fall between the two "@"
// of an escaped "@@", or inside a character, moves before them.
TEST(GedcomLines, ALineOfExactly255BytesIsNotCutAndNoCutSplitsAnAtPairOrACharacter) {
  const std::string full(246, 'a');
  const std::string most(245, 'a');
  const std::vector<std::pair<std::string, std::string>> cases = {
      {full, "1 NOTE " + full + "\r\n"},
      {most + " ", "1 NOTE " + most + " \r\n"},
      {full + "b", "1 NOTE " + full + "\r\n2 CONC b\r\n"},
      {full + full + "b", "1 NOTE " + full + "\r\n2 CONC " + full + "\r\n2 CONC b\r\n"},
      {full + full, "1 NOTE " + full + "\r\n2 CONC " + full + "\r\n"},
      {full + "\nb", "1 NOTE " + full + "\r\n2 CONT b\r\n"},
      {most + "@@bbbbbbbbbb", "1 NOTE " + most + "\r\n2 CONC @@bbbbbbbbbb\r\n"},
      {most + "\xC3\xA9z", "1 NOTE " + most + "\r\n2 CONC \xC3\xA9z\r\n"}};
  for (const auto& [value, lines] : cases) {
    EXPECT_EQ(Written(value, GedcomVersion::k551), lines) << value.substr(240);
  }
}

class GedcomTextTable : public ::testing::TestWithParam<GoldenRow> {};

TEST_P(GedcomTextTable, IsPrintableWithItsAtEscaped) {
  const GoldenRow& c = GetParam();
  std::string five;
  AppendGedcomText(five, c[0], GedcomVersion::k551);
  EXPECT_EQ(five, c[1]) << c.where;
  std::string seven;
  AppendGedcomText(seven, c[0], GedcomVersion::k70);
  EXPECT_EQ(seven, c[2] == "=" ? c[1] : c[2]) << c.where;
}

INSTANTIATE_TEST_SUITE_P(Golden, GedcomTextTable, ::testing::ValuesIn(ReadGoldenTable("export/gedcom_text.tsv", 3)));

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
      const std::string written = ExpectCutWhole(value);
      for (const auto& line : SplitOn(written, kCrLf)) {
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
    ExpectCutWhole(value);
  }
}

}  // namespace
}  // namespace quenby
