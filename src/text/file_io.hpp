// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Reading and writing whole files. Every file is opened, read or written and
// closed within one call. A save never leaves an existing file half-written:
// the bytes go to a temporary file beside the target, which is then renamed
// over it.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace quenby {

// The message for a file that cannot be read or written: the file name in
// double quotes, a colon and the reason.
std::string FileMessage(std::string_view fileName, std::string_view reason);

// A path from a UTF-8 file name, as the window and the command line give it.
std::filesystem::path PathFromUtf8(std::string_view utf8Name);

// The whole content of a file, or nothing with `error` set to a message that
// names the file and the system's reason.
std::optional<std::string> ReadFileBytes(const std::filesystem::path& path, std::string& error);

// Writes `bytes` as the whole new content of `path`. On failure returns false,
// sets `error` (file name and reason) and leaves an existing file as it was.
bool WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes, std::string& error);

// Removes a file if it exists; false with `error` set when it exists and
// cannot be removed.
bool RemoveFileIfExists(const std::filesystem::path& path, std::string& error);

}  // namespace quenby
