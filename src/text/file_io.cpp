// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/file_io.hpp"

#include <fcntl.h>
#include <limits.h>
#include <pthread.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <system_error>
#include <utility>

#include "text/encoding.hpp"

namespace quenby {
namespace {

namespace fs = std::filesystem;

std::string Describe(const fs::path& path, const std::string& reason) {
  return FileMessage(path.string(), reason);
}

std::string SystemReason() {
  return std::strerror(errno);
}

// Closes a descriptor when the call that opened it returns.
class Descriptor {
 public:
  explicit Descriptor(int descriptor) : descriptor_(descriptor) {}
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  ~Descriptor() {
    if (descriptor_ >= 0) {
      ::close(descriptor_);
    }
  }
  int get() const { return descriptor_; }
  // Closes now, for the callers that must know whether the close succeeded
  // (a full disk may show only then).
  bool Close() {
    const int descriptor = descriptor_;
    descriptor_ = -1;
    return ::close(descriptor) == 0;
  }

 private:
  int descriptor_;
};

// Why a file that is not a regular file is not read or replaced.
std::string NotAFileReason(mode_t mode) {
  if (S_ISDIR(mode)) {
    return "is a folder, not a file";
  }
  if (S_ISFIFO(mode)) {
    return "is a pipe, not a file";
  }
  if (S_ISCHR(mode) || S_ISBLK(mode)) {
    return "is a device, not a file";
  }
  return "is not a regular file";
}

std::string TooLargeReason(std::uintmax_t limit) {
  return "is larger than " + std::to_string(limit / kMebibyte) + " MB, the most read from such a file";
}

// A file without any write permission is read-only to its owner. Replacing or
// removing it would bypass that, so both are refused like a failed open.
bool IsReadOnly(mode_t mode) {
  return (mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

// A name beside the target that no other save of this process uses.
fs::path TemporaryBeside(const fs::path& target) {
  static std::atomic<unsigned> counter{0};
  const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
  auto name =
      "." + target.filename().string() + ".tmp-" + std::to_string(stamp) + "-" + std::to_string(counter.fetch_add(1));
  return target.parent_path() / name;
}

// The names of the temporary files of the saves in progress, where a signal
// handler can read them: fixed buffers and lock-free flags, nothing that
// allocates or locks. A name is held from before its file is made until after
// the file is renamed or removed, so no moment has an unnamed temporary file.
enum SlotState : int { kFree, kFilling, kHeld };
struct TemporarySlot {
  std::atomic<int> state{kFree};
  char name[PATH_MAX];
};
static_assert(std::atomic<int>::is_always_lock_free);
constexpr int kTemporarySlots = 64;
TemporarySlot temporarySlots[kTemporarySlots];

// A temporary file beside a save's target, created empty and private to the
// user unless `mode` says more, open for reading and writing. It is removed
// when it goes out of scope unless it was renamed over the target.
class TemporaryFile {
 public:
  TemporaryFile() = default;
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;
  ~TemporaryFile() { Remove(); }

  // Makes the file beside `target`; the reason when it could not.
  std::optional<std::string> Create(const fs::path& target, mode_t mode) {
    std::error_code ec;
    // Absolute, so the name still holds wherever the handler runs from.
    path_ = fs::absolute(TemporaryBeside(target), ec);
    if (ec) {
      return ec.message();
    }
    if (path_.native().size() >= PATH_MAX) {
      return std::strerror(ENAMETOOLONG);
    }
    for (auto& slot : temporarySlots) {
      int expected = kFree;
      if (slot.state.compare_exchange_strong(expected, kFilling)) {
        std::memcpy(slot.name, path_.c_str(), path_.native().size() + 1);
        slot.state.store(kHeld);
        slot_ = &slot;
        break;
      }
    }
    if (!slot_) {
      return "too many files are being saved at once";
    }
    descriptor_ = ::open(path_.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    if (descriptor_ < 0) {
      // The name may be another program's file: it is forgotten, not removed.
      const int failure = errno;
      Release();
      return std::strerror(failure);
    }
    return std::nullopt;
  }

  int get() const { return descriptor_; }

  // Closes the file; false with errno set when the close failed (a full disk
  // may show only then).
  bool Close() {
    const int descriptor = std::exchange(descriptor_, -1);
    return ::close(descriptor) == 0;
  }

  // Renames the file over `target`, which it then is; false with errno set.
  bool RenameTo(const fs::path& target) {
    if (::rename(path_.c_str(), target.c_str()) != 0) {
      return false;
    }
    Release();
    return true;
  }

  // Keeps the file where it is, no longer temporary; gives its name.
  const fs::path& Keep() {
    Release();
    return path_;
  }

  // Closes and removes the file, keeping errno as it was.
  void Remove() {
    const int kept = errno;
    if (descriptor_ >= 0) {
      ::close(std::exchange(descriptor_, -1));
    }
    if (slot_) {
      ::unlink(path_.c_str());
      Release();
    }
    errno = kept;
  }

 private:
  void Release() {
    if (slot_) {
      slot_->state.store(kFree);
      slot_ = nullptr;
    }
  }

  fs::path path_;
  int descriptor_ = -1;
  TemporarySlot* slot_ = nullptr;
};

// Holds the stop signals back in this thread while it lives; one that comes
// meanwhile is delivered when it ends.
class StopSignalsHeld {
 public:
  StopSignalsHeld() {
    sigset_t held;
    sigemptyset(&held);
    for (const int signal : kStopSignals) {
      sigaddset(&held, signal);
    }
    ::pthread_sigmask(SIG_BLOCK, &held, &previous_);
  }
  StopSignalsHeld(const StopSignalsHeld&) = delete;
  StopSignalsHeld& operator=(const StopSignalsHeld&) = delete;
  ~StopSignalsHeld() { ::pthread_sigmask(SIG_SETMASK, &previous_, nullptr); }

 private:
  sigset_t previous_;
};

// The name a chain of symbolic links ends at, for a link whose file does not
// exist yet: the save creates that file and the link stays a link.
fs::path EndOfLinks(fs::path path) {
  constexpr int kMostLinks = 40;
  std::error_code ec;
  for (int hop = 0; hop < kMostLinks && fs::is_symlink(fs::symlink_status(path, ec)); ++hop) {
    const fs::path target = fs::read_symlink(path, ec);
    if (ec) {
      break;
    }
    path = target.is_absolute() ? target : path.parent_path() / target;
  }
  return path;
}

// Writes every piece of `content` to an open file; false with errno set as
// the failed write left it. Where the system allows it, the disk starts
// taking each megabyte written while the rest is still being made, so that
// the final flush of a long file has little left to wait for.
bool WriteContent(int descriptor, const FileContent& content, WriteAllFunction writeAll) {
  constexpr off_t kWritebackStep = 1 << 20;
  off_t written = 0;
  off_t handedToDisk = 0;
  int failure = 0;
  const bool allWritten = content([&](std::string_view piece) {
    if (!writeAll(descriptor, piece)) {
      failure = errno;
      return false;
    }
    written += static_cast<off_t>(piece.size());
#ifdef __linux__
    if (written - handedToDisk >= kWritebackStep) {
      // Only a request: a device or pipe refuses it and is written as before.
      ::sync_file_range(descriptor, handedToDisk, written - handedToDisk, SYNC_FILE_RANGE_WRITE);
      handedToDisk = written;
    }
#endif
    return true;
  });
  if (failure != 0) {
    errno = failure;
  }
  return allWritten && failure == 0;
}

// A device or a pipe takes the bytes where it is. A pipe that no program
// reads from is refused at once rather than waited on.
bool WriteInPlace(const fs::path& path, const FileContent& content, std::string& error, WriteAllFunction writeAll) {
  Descriptor file(::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
  if (file.get() < 0) {
    error = Describe(path, errno == ENXIO ? "is a pipe that no program reads from" : SystemReason());
    return false;
  }
  const int flags = ::fcntl(file.get(), F_GETFL);
  if (flags < 0 || ::fcntl(file.get(), F_SETFL, flags & ~O_NONBLOCK) != 0 ||
      !WriteContent(file.get(), content, writeAll) || !file.Close()) {
    error = Describe(path, SystemReason());
    return false;
  }
  return true;
}

// The usual save: the bytes go to a temporary file beside the target, which
// takes the existing file's permission bits, owner and group and then
// replaces it in one rename. `existing` is null for a new file, which gets the
// permissions the user's file-creation mask allows.
bool ReplaceFile(const fs::path& target, const struct stat* existing, const FileContent& content, std::string& error,
                 WriteAllFunction writeAll) {
  TemporaryFile temporary;
  // Private until it has the final permissions, so a mode 600 file is never
  // readable to others, not even for a moment.
  if (const auto reason = temporary.Create(target, existing ? 0600 : 0666)) {
    error = Describe(target, *reason);
    return false;
  }
  bool written = true;
  if (existing) {
    // Only a privileged process may give a file away; a user's own save keeps
    // the user's owner and group either way. The permission bits are set after
    // the owner, which clears the set-user-ID bit.
    [[maybe_unused]] const bool ownerKept = ::fchown(temporary.get(), existing->st_uid, existing->st_gid) == 0;
    written = ::fchmod(temporary.get(), existing->st_mode & 07777) == 0;
  }
  written = written && WriteContent(temporary.get(), content, writeAll) && ::fsync(temporary.get()) == 0;
  written = temporary.Close() && written;
  if (!written || !temporary.RenameTo(target)) {
    error = Describe(target, SystemReason());
    return false;
  }
  return true;
}

// Copies the first `size` bytes of `from` over the start of `to`; false with
// errno set.
bool CopyContent(int from, int to, off_t size, std::string& buffer, WriteAllFunction writeAll) {
  for (off_t done = 0; done < size;) {
    const auto wanted = static_cast<std::size_t>(std::min<off_t>(size - done, static_cast<off_t>(buffer.size())));
    const ssize_t count = ::pread(from, buffer.data(), wanted, done);
    if (count < 0 && errno == EINTR) {
      continue;
    }
    if (count <= 0) {
      if (count == 0) {
        errno = EIO;  // the temporary file is shorter than what was written to it
      }
      return false;
    }
    if (!writeAll(to, std::string_view(buffer.data(), static_cast<std::size_t>(count)))) {
      return false;
    }
    done += count;
  }
  return true;
}

// A file with several names is overwritten in place, so every name keeps
// showing it. The new content is first made whole in a temporary file beside
// it and flushed, and the new size is reserved in the file: a failed write, a
// full disk or a stop while the content is made leaves every byte of the old
// content. Then the content is copied over the old one, with the stop signals
// held back so that none of them ends the program in the middle, and the
// temporary file goes once the file is on the disk. Only SIGKILL, a power cut
// or a fault of the disk during that copy can leave a mix; the whole new
// content then stays in the temporary file.
bool OverwriteInPlace(const fs::path& target, const struct stat& existing, const FileContent& content,
                      std::string& error, WriteAllFunction writeAll) {
  TemporaryFile temporary;
  if (const auto reason = temporary.Create(target, 0600)) {
    error = Describe(target, *reason);
    return false;
  }
  struct stat made {};
  if (!WriteContent(temporary.get(), content, writeAll) || ::fsync(temporary.get()) != 0 ||
      ::fstat(temporary.get(), &made) != 0) {
    error = Describe(target, SystemReason());
    return false;
  }
  Descriptor file(::open(target.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC));
  if (file.get() < 0) {
    error = Describe(target, SystemReason());
    return false;
  }
  if (made.st_size > 0) {
    if (const int failure = ::posix_fallocate(file.get(), 0, made.st_size); failure != 0) {
      [[maybe_unused]] const bool sizeKept = ::ftruncate(file.get(), existing.st_size) == 0;
      error = Describe(target, std::strerror(failure));
      return false;
    }
  }
  // Made before the signals are held, so the copy only copies.
  std::string buffer(std::min<off_t>(made.st_size, off_t{1} << 20), '\0');
  bool copied = false;
  {
    const StopSignalsHeld held;
    copied = CopyContent(temporary.get(), file.get(), made.st_size, buffer, writeAll) &&
             ::ftruncate(file.get(), made.st_size) == 0;
  }
  // The temporary file stays until the file is on the disk, for a power cut;
  // when the disk failed during the copy it stays for good, as the one whole
  // copy of the new content, and the message says where it is.
  if (!(copied && ::fsync(file.get()) == 0 && file.Close())) {
    error = Describe(target, SystemReason() + "; the file may be damaged, and its new content is whole in \"" +
                                 temporary.Keep().string() + "\"");
    return false;
  }
  return true;
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

std::optional<std::string> ReadFileBytes(const fs::path& path, std::uintmax_t limit, std::string& error) {
  // Opening without blocking: a pipe is opened at once, and then refused.
  Descriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
  struct stat status {};
  if (file.get() < 0 || ::fstat(file.get(), &status) != 0) {
    error = Describe(path, SystemReason());
    return std::nullopt;
  }
  if (!S_ISREG(status.st_mode)) {
    error = Describe(path, NotAFileReason(status.st_mode));
    return std::nullopt;
  }
  if (static_cast<std::uintmax_t>(status.st_size) > limit) {
    error = Describe(path, TooLargeReason(limit));
    return std::nullopt;
  }
  return ReadDescriptorBytes(file.get(), path.string(), limit, error);
}

std::optional<std::string> ReadDescriptorBytes(int descriptor, std::string_view name, std::uintmax_t limit,
                                               std::string& error) {
  constexpr std::size_t kChunk = 1 << 16;
  std::string bytes;
  struct stat status {};
  if (::fstat(descriptor, &status) == 0 && S_ISREG(status.st_mode)) {
    // Room for the last read, which finds the end, so a large file is never
    // copied to a buffer twice its size.
    bytes.reserve(static_cast<std::size_t>(std::min<std::uintmax_t>(status.st_size, limit)) + kChunk);
  }
  for (;;) {
    const std::size_t used = bytes.size();
    bytes.resize(used + kChunk);
    const ssize_t count = ::read(descriptor, bytes.data() + used, kChunk);
    if (count < 0 && errno == EINTR) {
      bytes.resize(used);
      continue;
    }
    if (count < 0) {
      error = FileMessage(name, SystemReason());
      return std::nullopt;
    }
    bytes.resize(used + static_cast<std::size_t>(count));
    if (bytes.size() > limit) {
      error = FileMessage(name, TooLargeReason(limit));
      return std::nullopt;
    }
    if (count == 0) {
      return bytes;
    }
  }
}

std::optional<std::string> DecodeNamedTextFile(std::string_view bytes, std::string_view fileName, std::string& error) {
  auto text = DecodeTextFile(bytes);
  if (!text) {
    error = FileMessage(fileName, kNotATextFile);
  }
  return text;
}

std::optional<std::string> ReadTextFile(const fs::path& path, std::uintmax_t limit, std::string& error) {
  const auto bytes = ReadFileBytes(path, limit, error);
  if (!bytes) {
    return std::nullopt;
  }
  return DecodeNamedTextFile(*bytes, path.string(), error);
}

bool WriteAll(int descriptor, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t count = ::write(descriptor, bytes.data(), bytes.size());
    if (count < 0 && errno == EINTR) {
      continue;
    }
    if (count <= 0) {
      if (count == 0) {
        errno = ENOSPC;
      }
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(count));
  }
  return true;
}

bool WriteFileAtomically(const fs::path& path, std::string_view bytes, std::string& error, WriteAllFunction writeAll) {
  return WriteFileAtomically(
      path, [bytes](const PieceWriter& write) { return write(bytes); }, error, writeAll);
}

bool WriteFileAtomically(const fs::path& path, const FileContent& content, std::string& error,
                         WriteAllFunction writeAll) {
  struct stat status {};
  if (::stat(path.c_str(), &status) != 0) {
    if (errno != ENOENT) {
      error = Describe(path, SystemReason());
      return false;
    }
    return ReplaceFile(EndOfLinks(path), nullptr, content, error, writeAll);
  }
  if (S_ISDIR(status.st_mode)) {
    error = Describe(path, NotAFileReason(status.st_mode));
    return false;
  }
  if (!S_ISREG(status.st_mode)) {
    return WriteInPlace(path, content, error, writeAll);
  }
  if (IsReadOnly(status.st_mode)) {
    error = Describe(path, "the file is read-only");
    return false;
  }
  // The file a symbolic link points to is the one replaced; the link stays.
  std::error_code ec;
  fs::path target = fs::canonical(path, ec);
  if (ec) {
    target = path;
  }
  if (status.st_nlink > 1) {
    return OverwriteInPlace(target, status, content, error, writeAll);
  }
  return ReplaceFile(target, &status, content, error, writeAll);
}

void RemoveTemporaryFilesNow() noexcept {
  for (auto& slot : temporarySlots) {
    if (slot.state.load() == kHeld) {
      ::unlink(slot.name);
    }
  }
}

bool RemoveFileIfExists(const fs::path& path, std::string& error) {
  struct stat status {};
  if (::lstat(path.c_str(), &status) != 0) {
    if (errno == ENOENT) {
      return true;
    }
    error = Describe(path, SystemReason());
    return false;
  }
  // A symbolic link goes itself; a folder, device or pipe is never removed.
  if (!S_ISREG(status.st_mode) && !S_ISLNK(status.st_mode)) {
    error = Describe(path, NotAFileReason(status.st_mode));
    return false;
  }
  if (S_ISREG(status.st_mode) && IsReadOnly(status.st_mode)) {
    error = Describe(path, "the file is read-only");
    return false;
  }
  if (::unlink(path.c_str()) != 0) {
    error = Describe(path, SystemReason());
    return false;
  }
  return true;
}

}  // namespace quenby
