// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Reading and writing whole files. Every file is opened, read or written and
// closed within one call.
//
// Reading takes only regular files (a folder, a device or a pipe is refused
// before a byte is read, so neither /dev/zero nor a pipe nobody writes to can
// fill the memory or hang the program) up to a size limit per kind of file.
//
// Writing never leaves an existing file half-written and keeps what the file
// is: a save through a symbolic link writes the file the link points to, a
// device or pipe is written in place, a replaced file keeps its permission
// bits, owner and group, and a file with several hard links is overwritten in
// place, so that all its names keep showing the same file, only once its new
// content is whole in a temporary file and its new size is reserved on the
// disk.

#include <array>
#include <csignal>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace quenby {

// The most the program reads from one file of each kind: far above any real
// list, and low enough that a wrong file is refused before it fills the
// memory.
inline constexpr std::uintmax_t kMebibyte = 1024 * 1024;
inline constexpr std::uintmax_t kTextFileLimit = 256 * kMebibyte;  // input texts
inline constexpr std::uintmax_t kRulesFileLimit = 64 * kMebibyte;  // rules and other profile files

// The message for a file that cannot be read or written: the file name in
// double quotes, a colon and the reason.
std::string FileMessage(std::string_view fileName, std::string_view reason);

// A path from a UTF-8 file name, as the window and the command line give it.
std::filesystem::path PathFromUtf8(std::string_view utf8Name);

// The whole content of a regular file of at most `limit` bytes, or nothing
// with `error` set to a message that names the file and the reason.
std::optional<std::string> ReadFileBytes(const std::filesystem::path& path, std::uintmax_t limit, std::string& error);

// The whole content of an open file of any kind (the converter's standard
// input, which may be a pipe), at most `limit` bytes; `name` names it in the
// message.
std::optional<std::string> ReadDescriptorBytes(int descriptor, std::string_view name, std::uintmax_t limit,
                                               std::string& error);

// ReadFileBytes, then DecodeTextFile: bytes that are not a text file give
// nothing and a message saying so.
std::optional<std::string> ReadTextFile(const std::filesystem::path& path, std::uintmax_t limit, std::string& error);

// DecodeTextFile, with `error` naming the file when the bytes are not a text
// file.
std::optional<std::string> DecodeNamedTextFile(std::string_view bytes, std::string_view fileName, std::string& error);

// Writes all of `bytes` to an open file; false with errno set when it could
// not. Tests replace it with one that fails as a full disk does.
using WriteAllFunction = bool (*)(int descriptor, std::string_view bytes);
bool WriteAll(int descriptor, std::string_view bytes);

// Writes `bytes` as the whole new content of `path`. On failure returns false,
// sets `error` (file name and reason) and leaves an existing file as it was.
bool WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes, std::string& error,
                         WriteAllFunction writeAll = WriteAll);

// A file made piece by piece: `content` hands each piece to the writer it is
// given, in order, and stops with false as soon as the writer returns false
// (the piece could not be written). A long file is then written as it is
// made, without being held whole in memory.
using PieceWriter = std::function<bool(std::string_view piece)>;
using FileContent = std::function<bool(const PieceWriter& write)>;

// WriteFileAtomically for a file made piece by piece, with the same promises.
bool WriteFileAtomically(const std::filesystem::path& path, const FileContent& content, std::string& error,
                         WriteAllFunction writeAll = WriteAll);

// The signals that stop a program from outside. A program that handles them
// calls RemoveTemporaryFilesNow before it ends, so that a save in progress
// leaves the old file and no temporary file; the in-place copy over a file
// with several hard links holds them back until the file is whole.
inline constexpr std::array<int, 4> kStopSignals = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};

// Removes the temporary files of the saves in progress. Safe to call from a
// signal handler: it only reads names kept in fixed buffers and unlinks them.
void RemoveTemporaryFilesNow() noexcept;

// Removes a file if it exists; false with `error` set when it exists and
// cannot be removed, or is not a regular file (a device is never removed).
bool RemoveFileIfExists(const std::filesystem::path& path, std::string& error);

}  // namespace quenby
