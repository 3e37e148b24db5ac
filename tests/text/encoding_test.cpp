#include "text/encoding.hpp"

#include <gtest/gtest.h>

namespace quenby {
namespace {

TEST(Encoding, Windows1252BytesBecomeUtf8AndEveryByteSurvivesARoundTrip) {
  EXPECT_EQ(Utf8FromWindows1252("Jos\xE9 Stra\xDF"), "José Straß");
  EXPECT_EQ(Utf8FromWindows1252("\x80\x9F"), "€Ÿ");
  EXPECT_EQ(Utf8FromWindows1252("\x81"), "\xC2\x81");
  std::string all;
  for (int b = 0; b < 256; ++b) {
    all.push_back(static_cast<char>(b));
  }
  EXPECT_EQ(Windows1252FromUtf8(Utf8FromWindows1252(all)), all);
}

TEST(Encoding, CharactersOutsideWindows1252AreRefused) {
  EXPECT_FALSE(Windows1252FromUtf8("Łódź").has_value());
  EXPECT_FALSE(Windows1252FromUtf8("\xFF").has_value());
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
