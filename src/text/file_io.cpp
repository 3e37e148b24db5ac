// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/file_io.hpp"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <fstream>
#include <system_error>

namespace quenby {
namespace {

namespace fs = std::filesystem;

std::string Describe(const fs::path& path, const std::string& reason) {
  return FileMessage(path.string(), reason);
}

std::string SystemReason() {
  return std::strerror(errno);
}

// A file without any write permission is read-only to its owner. Replacing or
// removing it would bypass that, so both are refused like a failed open.
bool IsReadOnly(const fs::file_status& status) {
  constexpr auto kWriteBits = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
  return fs::exists(status) && (status.permissions() & kWriteBits) == fs::perms::none;
}

// A name beside the target that no other save of this process uses.
fs::path TemporaryBeside(const fs::path& target) {
  static std::atomic<unsigned> counter{0};
  const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
  auto name =
      "." + target.filename().string() + ".tmp-" + std::to_string(stamp) + "-" + std::to_string(counter.fetch_add(1));
  return target.parent_path() / name;
}

}  // namespace

std::string FileMessage(std::string_view fileName, std::string_view reason) {
  std::string message = "\"";
  message.append(fileName).append("\": ").append(reason);
  return message;
}

fs::path PathFromUtf8(std::string_view utf8Name) {
  return fs::path(std::u8string(utf8Name.begin(), utf8Name.end()));
}

std::optional<std::string> ReadFileBytes(const fs::path& path, std::string& error) {
  std::error_code ec;
  if (fs::is_directory(path, ec)) {
    error = Describe(path, "is a folder, not a file");
    return std::nullopt;
  }
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    error = Describe(path, SystemReason());
    return std::nullopt;
  }
  std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  if (in.bad()) {
    error = Describe(path, SystemReason());
    return std::nullopt;
  }
  return bytes;
}

bool WriteFileAtomically(const fs::path& path, std::string_view bytes, std::string& error) {
  std::error_code ec;
  const auto status = fs::status(path, ec);
  if (fs::is_directory(status)) {
    error = Describe(path, "is a folder, not a file");
    return false;
  }
  if (IsReadOnly(status)) {
    error = Describe(path, "the file is read-only");
    return false;
  }
  const auto temporary = TemporaryBeside(path);
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    if (!out) {
      error = Describe(path, SystemReason());
      return false;
    }
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
      error = Describe(path, SystemReason());
      fs::remove(temporary, ec);
      return false;
    }
  }
  fs::rename(temporary, path, ec);
  if (ec) {
    error = Describe(path, ec.message());
    std::error_code ignored;
    fs::remove(temporary, ignored);
    return false;
  }
  return true;
}

bool RemoveFileIfExists(const fs::path& path, std::string& error) {
  std::error_code ec;
  const auto status = fs::status(path, ec);
  if (!fs::exists(status)) {
    return true;
  }
  if (fs::is_directory(status)) {
    error = Describe(path, "is a folder, not a file");
    return false;
  }
  if (IsReadOnly(status)) {
    error = Describe(path, "the file is read-only");
    return false;
  }
  if (!fs::remove(path, ec) && ec) {
    error = Describe(path, ec.message());
    return false;
  }
  return true;
}

}  // namespace quenby
