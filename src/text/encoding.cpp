// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/encoding.hpp"

#include <algorithm>
#include <array>
#include <cstdint>

namespace quenby {
namespace {

// Code points of the Windows-1252 bytes 0x80 to 0x9F; the undefined bytes
// map to the control character of the same number.
constexpr std::array<char32_t, 32> kHighControlBlock = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                                        0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                                        0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                                        0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr std::string_view kUtf16BeMark = "\xFE\xFF";

// UTF-16 code units as UTF-8, or nothing for an odd byte count or a
// surrogate without its partner.
std::optional<std::string> Utf8FromUtf16(std::string_view bytes, bool littleEndian) {
  if (bytes.size() % 2 != 0) {
    return std::nullopt;
  }
  const auto unitAt = [&](std::size_t i) {
    const auto first = static_cast<unsigned char>(bytes[i]);
    const auto second = static_cast<unsigned char>(bytes[i + 1]);
    return static_cast<char32_t>(littleEndian ? first | (second << 8) : (first << 8) | second);
  };
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 2);
  for (std::size_t i = 0; i < bytes.size(); i += 2) {
    char32_t cp = unitAt(i);
    if (cp >= 0xDC00 && cp <= 0xDFFF) {
      return std::nullopt;
    }
    if (cp >= 0xD800 && cp <= 0xDBFF) {
      const char32_t low = i + 3 < bytes.size() ? unitAt(i + 2) : 0;
      if (low < 0xDC00 || low > 0xDFFF) {
        return std::nullopt;
      }
      cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
      i += 2;
    }
    AppendUtf8(out, cp);
  }
  return out;
}

// Whether bytes with at least one byte above 0x7F are valid UTF-8, that is,
// whether DecodeTextFile would not read them as Windows-1252.
bool IsValidUtf8Beyond7Bit(std::string_view bytes);

}  // namespace

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out.push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else if (cp < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

std::size_t DecodeUtf8At(std::string_view s, std::size_t i, char32_t& cp) {
  const auto b0 = static_cast<unsigned char>(s[i]);
  if (b0 < 0x80) {
    cp = b0;
    return 1;
  }
  std::size_t length = 0;
  char32_t minimum = 0;
  if ((b0 & 0xE0) == 0xC0) {
    length = 2;
    cp = b0 & 0x1F;
    minimum = 0x80;
  } else if ((b0 & 0xF0) == 0xE0) {
    length = 3;
    cp = b0 & 0x0F;
    minimum = 0x800;
  } else if ((b0 & 0xF8) == 0xF0) {
    length = 4;
    cp = b0 & 0x07;
    minimum = 0x10000;
  } else {
    return 0;
  }
  if (i + length > s.size()) {
    return 0;
  }
  for (std::size_t k = 1; k < length; ++k) {
    const auto b = static_cast<unsigned char>(s[i + k]);
    if ((b & 0xC0) != 0x80) {
      return 0;
    }
    cp = (cp << 6) | (b & 0x3F);
  }
  if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
    return 0;
  }
  return length;
}

bool IsValidUtf8(std::string_view bytes) {
  char32_t cp = 0;
  for (std::size_t i = 0; i < bytes.size();) {
    const auto length = DecodeUtf8At(bytes, i, cp);
    if (length == 0) {
      return false;
    }
    i += length;
  }
  return true;
}

std::string Utf8FromWindows1252(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 8);
  for (const char c : bytes) {
    const auto b = static_cast<unsigned char>(c);
    if (b >= 0x80 && b < 0xA0) {
      AppendUtf8(out, kHighControlBlock[b - 0x80]);
    } else {
      AppendUtf8(out, b);
    }
  }
  return out;
}

std::optional<std::string> Windows1252FromUtf8(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  char32_t cp = 0;
  for (std::size_t i = 0; i < utf8.size();) {
    const auto length = DecodeUtf8At(utf8, i, cp);
    if (length == 0) {
      return std::nullopt;
    }
    i += length;
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) {
      out.push_back(static_cast<char>(cp));
      continue;
    }
    bool found = false;
    for (std::size_t k = 0; k < kHighControlBlock.size(); ++k) {
      if (kHighControlBlock[k] == cp) {
        out.push_back(static_cast<char>(0x80 + k));
        found = true;
        break;
      }
    }
    if (!found) {
      return std::nullopt;
    }
  }
  return out;
}

namespace {

bool IsValidUtf8Beyond7Bit(std::string_view bytes) {
  const bool beyond =
      std::any_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
  return beyond && IsValidUtf8(bytes);
}

}  // namespace

std::optional<std::string> DecodeTextFile(std::string_view bytes) {
  std::optional<std::string> text;
  if (bytes.starts_with(kUtf16LeMark) || bytes.starts_with(kUtf16BeMark)) {
    const bool littleEndian = bytes.starts_with(kUtf16LeMark);
    text = Utf8FromUtf16(bytes.substr(kUtf16LeMark.size()), littleEndian);
  } else if (IsValidUtf8(bytes)) {
    if (bytes.starts_with(kByteOrderMark)) {
      bytes.remove_prefix(kByteOrderMark.size());
    }
    text = std::string(bytes);
  } else {
    text = Utf8FromWindows1252(bytes);
  }
  // No text file holds a NUL: bytes with one are a program, an image or text
  // in an encoding read the wrong way, and would put NULs into the records.
  if (text && text->find('\0') != std::string::npos) {
    return std::nullopt;
  }
  return text;
}

EncodedText EncodeTextFile(std::string_view utf8) {
  // Windows-1252 bytes of some letter pairs happen to form valid UTF-8 ("Ã©"
  // gives the bytes of "é"), and a reader takes valid UTF-8 as UTF-8; such
  // text is written as UTF-8 so that it reads back as it was.
  // Bytes that start like a UTF-16 byte order mark ("ÿþ" or "þÿ") would read
  // back as UTF-16, so such text is written as UTF-8 as well.
  if (auto ansi = Windows1252FromUtf8(utf8);
      ansi && !IsValidUtf8Beyond7Bit(*ansi) && !ansi->starts_with(kUtf16LeMark) && !ansi->starts_with(kUtf16BeMark)) {
    return {std::move(*ansi), false};
  }
  return {std::string(utf8), true};
}

void AppendPrintable(std::string& out, std::string_view bytes) {
  constexpr char32_t kReplacement = 0xFFFD;
  char32_t cp = 0;
  for (std::size_t i = 0; i < bytes.size();) {
    const auto b = static_cast<unsigned char>(bytes[i]);
    if (b >= 0x20 && b < 0x7F) {
      out.push_back(static_cast<char>(b));
      ++i;
      continue;
    }
    const auto length = DecodeUtf8At(bytes, i, cp);
    i += length == 0 ? 1 : length;
    if (length == 0) {
      cp = kReplacement;
    } else if (cp >= 0x80 && cp < 0xA0) {
      cp = kHighControlBlock[cp - 0x80];
    }
    const bool control = (cp < 0x20 && cp != '\t') || (cp >= 0x7F && cp < 0xA0);
    AppendUtf8(out, control ? kReplacement : cp);
  }
}

}  // namespace quenby
