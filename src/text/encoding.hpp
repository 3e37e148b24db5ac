// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Text inside the program is UTF-8. The files that users exchange (rules
// files, GEDCOM files, listings) are 8-bit Windows-1252 wherever they can be;
// these helpers convert between the two and decide how a file's bytes are
// read.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace quenby {

bool IsValidUtf8(std::string_view bytes);

// Appends the UTF-8 bytes of one code point.
void AppendUtf8(std::string& out, char32_t cp);

// Decodes one UTF-8 sequence starting at byte `i` into `cp`; returns its
// length, or 0 when the bytes there are not a valid, shortest-form sequence.
std::size_t DecodeUtf8At(std::string_view s, std::size_t i, char32_t& cp);

// Every byte becomes its Windows-1252 character. The five bytes that
// Windows-1252 leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) become the
// control characters of the same number, so every byte survives a round trip.
std::string Utf8FromWindows1252(std::string_view bytes);

// The Windows-1252 bytes of valid UTF-8 text, or nothing when a character
// has no Windows-1252 byte.
std::optional<std::string> Windows1252FromUtf8(std::string_view utf8);

// A text file's bytes as program text, or nothing when the bytes are not a
// text file. A UTF-8 byte order mark is dropped; bytes that start with a
// UTF-16 byte order mark (little or big endian) are UTF-16; otherwise valid
// UTF-8 is taken as UTF-8 and anything else as Windows-1252. Text holding a
// NUL character, and UTF-16 that does not decode (an odd byte count or a
// lone surrogate), are not text files.
std::optional<std::string> DecodeTextFile(std::string_view bytes);

// The reason DecodeTextFile refused the bytes, for the message that names
// the file.
inline constexpr std::string_view kNotATextFile = "not a text file";

// The bytes to write for a file that users exchange: Windows-1252 when every
// character fits and the bytes read back as the same text, otherwise the UTF-8
// text unchanged, so nothing is lost or garbled.
struct EncodedText {
  std::string bytes;
  bool isUtf8 = false;
};
EncodedText EncodeTextFile(std::string_view utf8);

// Appends `bytes` as valid UTF-8 without control characters other than TAB,
// for files whose readers refuse them. A C1 control character (U+0080 to
// U+009F), the trace of a Windows-1252 byte read as Latin-1, becomes that
// byte's Windows-1252 character (U+0092 becomes the curly apostrophe U+2019);
// every other control character and every byte that is not UTF-8 becomes
// U+FFFD.
void AppendPrintable(std::string& out, std::string_view bytes);

}  // namespace quenby
