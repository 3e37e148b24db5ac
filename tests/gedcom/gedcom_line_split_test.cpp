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
  GedcomText out;
  out.AppendValueLines(level, {}, "NOTE", value, version);
  return std::string(out.View());
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

TEST(GedcomText, ShortValuesTakeOneLineAndEmptyOnesNoBlank) {
  EXPECT_EQ(Written("Farmer", GedcomVersion::k551), "1 NOTE Farmer\r\n");
  EXPECT_EQ(Written("", GedcomVersion::k70, 12), "12 NOTE\r\n");
  GedcomText out;
  out.AppendValueLines(0, "NI1", "NOTE", "a\n\nb", GedcomVersion::k70);
  out.AppendPointer(1, "FAMS", "F1");
  out.AppendPointer(12, "SOUR", "S1");
  EXPECT_EQ(out.View(), "0 @NI1@ NOTE a\r\n1 CONT\r\n1 CONT b\r\n1 FAMS @F1@\r\n12 SOUR @S1@\r\n");
}

// Values of every shape that a cut could spoil: blanks, "@@", and the first
// character of each UTF-8 length (and C1 neighbours) at every offset.
TEST(GedcomText, CutsLongValuesOnlyWhereNothingIsLostAndKeepsLinesShort) {
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
        ASSERT_LE(line.size(), kLongestGedcomLine);
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

TEST(GedcomText, ARunOfBlanksLongerThanALineIsStillCutAndKept) {
  const std::string value = "a" + std::string(600, ' ') + "b";
  const std::string written = Written(value, GedcomVersion::k551);
  EXPECT_EQ(Joined(written), value);
  for (const auto& line : SplitOn(written, kCrLf)) {
    EXPECT_LE(line.size(), kLongestGedcomLine);
  }
}

}  // namespace
}  // namespace quenby
