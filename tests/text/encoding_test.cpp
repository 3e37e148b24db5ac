#include "text/encoding.hpp"

#include <gtest/gtest.h>

namespace quenby {
namespace {

TEST(Encoding, Windows1252BytesBecomeUtf8) {
  EXPECT_EQ(Utf8FromWindows1252("Jos\xE9 Stra\xDF"
                                "e"),
            "José Straße");
  EXPECT_EQ(Utf8FromWindows1252("\x80\x9F"), "€Ÿ");
  EXPECT_EQ(Utf8FromWindows1252("\x81"), "\xC2\x81");
}

TEST(Encoding, EveryByteSurvivesARoundTrip) {
  std::string all;
  for (int b = 0; b < 256; ++b) {
    all.push_back(static_cast<char>(b));
  }
  const auto back = Windows1252FromUtf8(Utf8FromWindows1252(all));
  ASSERT_TRUE(back.has_value());
  EXPECT_EQ(*back, all);
}

TEST(Encoding, CharactersOutsideWindows1252AreRefused) {
  EXPECT_FALSE(Windows1252FromUtf8("Łódź").has_value());
  EXPECT_FALSE(Windows1252FromUtf8("\xFF").has_value());
  EXPECT_EQ(Windows1252FromUtf8("€"), std::optional<std::string>("\x80"));
}

TEST(Encoding, FileBytesAreUtf8WhenValidElseWindows1252) {
  EXPECT_EQ(DecodeTextFile("caf\xC3\xA9"), "café");
  EXPECT_EQ(DecodeTextFile("caf\xE9"), "café");
  EXPECT_EQ(DecodeTextFile("\xEF\xBB\xBF"
                           "abc"),
            "abc");
  EXPECT_FALSE(IsValidUtf8("\xC0\x80"));         // overlong
  EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));     // surrogate
  EXPECT_FALSE(IsValidUtf8("\xE2\x82"));         // cut short
  EXPECT_TRUE(IsValidUtf8("\xF0\x9F\x98\x80"));  // outside the BMP
}

TEST(Encoding, WritingPrefersWindows1252AndFallsBackToUtf8) {
  const auto ansi = EncodeTextFile("Müller");
  EXPECT_FALSE(ansi.isUtf8);
  EXPECT_EQ(ansi.bytes, "M\xFCller");
  const auto wide = EncodeTextFile("Wałęsa");
  EXPECT_TRUE(wide.isUtf8);
  EXPECT_EQ(wide.bytes, "Wałęsa");
  // "Ã©" in Windows-1252 is the UTF-8 form of "é" and would read back as "é".
  const auto lookalike = EncodeTextFile("Ã©");
  EXPECT_TRUE(lookalike.isUtf8);
  EXPECT_EQ(DecodeTextFile(lookalike.bytes), "Ã©");
}

}  // namespace
}  // namespace quenby
