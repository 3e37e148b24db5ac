// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "text/encoding.hpp"
#include "text/text.hpp"

namespace quenby {
namespace {

TEST(Text, TrimTakesSpacesOnlyAndAnEmptySearchTextOccursAtBothEndsOfANonEmptyText) {
  EXPECT_EQ(Trim(" \t a \r\n "), "\t a \r\n");
  EXPECT_EQ(Trim("    "), "");
  EXPECT_EQ(FindFirst("John B. Smith", "b."), kNoOccurrence);
  EXPECT_EQ(FindLast("aaa", "aa"), 1U);
  EXPECT_EQ(FindFirst("abc", ""), 0U);
  EXPECT_EQ(FindLast("abc", ""), 3U);
  EXPECT_EQ(FindLast("", ""), kNoOccurrence);
}

TEST(Text, ReplaceAndSplitScanLeftToRightWithoutOverlapOrRescanning) {
  EXPECT_EQ(ReplaceAll("aaaa", "aa", "a"), "aa");
  EXPECT_EQ(ReplaceAll("ab", "a", "aa"), "aab");
  EXPECT_EQ(ReplaceAll("abc", "", "x"), "abc");
  EXPECT_EQ(SplitOn("", "\r\n"), std::vector<std::string>{""});
  EXPECT_EQ(SplitOn("a\r\n\r\nb\r\n", "\r\n"), (std::vector<std::string>{"a", "", "b", ""}));
}

TEST(Text, LineBreaksConvertAndLoneCrOrLfBecomeCrLf) {
  EXPECT_EQ(LfToCrLf("a\nb\n"), "a\r\nb\r\n");
  EXPECT_EQ(CrLfToLf("a\r\nb\r\n"), "a\nb\n");
  EXPECT_EQ(NormaliseLineBreaks("a\nb\r\nc\rd\r\r\n"), "a\r\nb\r\nc\r\nd\r\n\r\n");
}

// The lowest character of each UTF-8 length, and U+0080, counts as one.
TEST(Text, CharacterPositionsCountCodePointsNotBytes) {
  const std::string text = "a\xC2\x80\xE0\xA0\x80\xF0\x90\x80\x80+";
  EXPECT_EQ(CharacterCount(text), 5u);
  EXPECT_EQ(OffsetOfCharacter(text, 0), 0u);
  EXPECT_EQ(OffsetOfCharacter(text, 2), 3u);
  EXPECT_EQ(OffsetOfCharacter(text, 4), 10u);
  EXPECT_EQ(OffsetOfCharacter(text, 5), text.size());
  // Bytes that continue no character do not count; the count stays bounded.
  EXPECT_EQ(CharacterCount("\x80\x80\x61"), 1u);
  EXPECT_EQ(OffsetOfCharacter("\x80\x80\x61", 1), 3u);
}

TEST(Encoding, EveryWindows1252ByteSurvivesARoundTripAndOtherCharactersAreRefused) {
  EXPECT_EQ(Utf8FromWindows1252("\x80\x9F\xE9"), "€Ÿé");
  EXPECT_EQ(Utf8FromWindows1252("\x81"), "\xC2\x81");
  std::string all;
  for (int b = 0; b < 256; ++b) {
    all.push_back(static_cast<char>(b));
  }
  EXPECT_EQ(Windows1252FromUtf8(Utf8FromWindows1252(all)), all);
  EXPECT_FALSE(Windows1252FromUtf8("Łódź").has_value());
}

TEST(Encoding, FileBytesAreUtf8WhenValidElseWindows1252) {
  EXPECT_EQ(DecodeTextFile("caf\xC3\xA9"), "café");
  EXPECT_EQ(DecodeTextFile("caf\xE9"), "café");
  EXPECT_EQ(DecodeTextFile("\xEF\xBB\xBF" + std::string("abc")), "abc");
  EXPECT_FALSE(IsValidUtf8("\xC0\x80"));         // overlong
  EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));     // surrogate
  EXPECT_FALSE(IsValidUtf8("\xE2\x82"));         // cut short
  EXPECT_TRUE(IsValidUtf8("\xF0\x9F\x98\x80"));  // outside the BMP
}

// UTF-16 with its byte order mark reads as the same text in either byte
// order, at the lowest code point of each UTF-8 length, across U+0080 to
// U+009F and outside the BMP; a NUL anywhere means the bytes are no text.
TEST(Encoding, Utf16WithAByteOrderMarkIsDecodedAndNulBytesAreNoText) {
  const std::string text = "A\x7F\xC2\x80\xC2\x9F\xDF\xBF\xE0\xA0\x80\xEF\xBF\xBF\xF0\x90\x80\x80\xF0\x9F\x98\x80\r\n";
  const std::string le(
      "\xFF\xFE"
      "A\0\x7F\0\x80\0\x9F\0\xFF\x07\x00\x08\xFF\xFF\x00\xD8\x00\xDC\x3D\xD8\x00\xDE\r\0\n\0",
      28);
  std::string be = "\xFE\xFF";
  for (std::size_t i = 2; i < le.size(); i += 2) {
    be += le.substr(i + 1, 1) + le.substr(i, 1);
  }
  EXPECT_EQ(DecodeTextFile(le), text);
  EXPECT_EQ(DecodeTextFile(be), text);
  using namespace std::string_literals;
  for (const std::string& bytes :
       {"a\0b"s, "\xFF\xFE"s + "a", "\xFF\xFE\x00\xD8"s, "\xFF\xFE\x00\xDC"s + "a\0"s, "\xFF\xFE\0\0"s, "\xE9\0"s}) {
    EXPECT_EQ(DecodeTextFile(bytes), std::nullopt) << testing::PrintToString(bytes);
  }
  // Text whose Windows-1252 bytes would start like a UTF-16 mark is saved as
  // UTF-8, so it reads back as it was.
  EXPECT_EQ(DecodeTextFile(EncodeTextFile("ÿþ x").bytes), "ÿþ x");
}

TEST(Encoding, WritingPrefersWindows1252AndFallsBackToUtf8) {
  EXPECT_EQ(EncodeTextFile("Müller").bytes, "M\xFCller");
  EXPECT_FALSE(EncodeTextFile("Müller").isUtf8);
  EXPECT_TRUE(EncodeTextFile("Wałęsa").isUtf8);
  // "Ã©" in Windows-1252 is the UTF-8 form of "é" and would read back as "é".
  const auto lookalike = EncodeTextFile("Ã©");
  EXPECT_TRUE(lookalike.isUtf8);
  EXPECT_EQ(DecodeTextFile(lookalike.bytes), "Ã©");
}

}  // namespace
}  // namespace quenby
