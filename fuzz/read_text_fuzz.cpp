// SPDX-License-Identifier: GPL-3.0-or-later
// Reading a text file: the bytes are written to a file and to a pipe and read
// back as the programs read them, then decoded. Checks that reading gives the
// bytes (or refuses past the limit), that decoding gives valid UTF-8 without
// NUL, that UTF-8 text passes unchanged, that a UTF-16 file of the same text
// decodes to it, and that saving the text as the programs save it reads back
// as the same text.

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

#include "text/encoding.hpp"
#include "text/file_io.hpp"

namespace {

using namespace quenby;

void Require(bool condition) {
  if (!condition) {
    std::abort();
  }
}

const std::filesystem::path& FilePath() {
  static const std::filesystem::path path =
      std::filesystem::temp_directory_path() / ("quenby-read-text-fuzz-" + std::to_string(::getpid()));
  return path;
}

// The bytes through a pipe, as standard input gives them, read with `limit`.
std::optional<std::string> ThroughPipe(std::string_view bytes, std::uintmax_t limit) {
  int ends[2];
  Require(::pipe(ends) == 0);
  Require(WriteAll(ends[1], bytes));
  ::close(ends[1]);
  std::string error;
  auto read = ReadDescriptorBytes(ends[0], "pipe", limit, error);
  ::close(ends[0]);
  Require(read.has_value() != !error.empty());
  return read;
}

std::string Utf16Le(std::string_view utf8) {
  std::string out = "\xFF\xFE";
  for (std::size_t i = 0; i < utf8.size();) {
    const auto b = static_cast<unsigned char>(utf8[i]);
    const std::size_t length = b < 0x80 ? 1 : b < 0xE0 ? 2 : b < 0xF0 ? 3 : 4;
    char32_t cp = length == 1 ? b : b & (0xFF >> (length + 1));
    for (std::size_t k = 1; k < length; ++k) {
      cp = (cp << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
    }
    i += length;
    const auto unit = [&](char32_t u) {
      out.push_back(static_cast<char>(u & 0xFF));
      out.push_back(static_cast<char>(u >> 8));
    };
    if (cp >= 0x10000) {
      unit(0xD800 + ((cp - 0x10000) >> 10));
      unit(0xDC00 + ((cp - 0x10000) & 0x3FF));
    } else {
      unit(cp);
    }
  }
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  std::string error;
  Require(WriteFileAtomically(FilePath(), bytes, error));
  const auto read = ReadFileBytes(FilePath(), size, error);
  Require(read && *read == bytes);
  if (size > 0) {
    Require(!ReadFileBytes(FilePath(), size - 1, error) && error.find("larger than") != std::string::npos);
    Require(!ThroughPipe(bytes, size - 1));
  }
  Require(ThroughPipe(bytes, size) == std::optional<std::string>(bytes));

  const auto text = ReadTextFile(FilePath(), size, error);
  Require(text == DecodeTextFile(bytes));
  if (!text) {
    Require(error.find(kNotATextFile) != std::string::npos);
    return 0;
  }
  Require(IsValidUtf8(*text) && text->find('\0') == std::string::npos);
  if (IsValidUtf8(bytes) && !bytes.starts_with("\xEF\xBB\xBF") && !bytes.starts_with("\xFF\xFE") &&
      !bytes.starts_with("\xFE\xFF")) {
    Require(*text == bytes);
  }
  Require(DecodeTextFile(Utf16Le(*text)) == text);
  // A text that starts with a byte order mark character loses it when read
  // back, as any reader of such a file does.
  if (!text->starts_with("\xEF\xBB\xBF")) {
    Require(DecodeTextFile(EncodeTextFile(*text).bytes) == text);
  }
  return 0;
}
