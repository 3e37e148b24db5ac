// SPDX-License-Identifier: GPL-3.0-or-later
// Files that are not what they seem: reading refuses what is not a regular
// text file, quickly and with a message; saving keeps what the target is.

#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "support/file_test.hpp"
#include "text/file_io.hpp"

namespace quenby {
namespace {

namespace fs = std::filesystem;

class FileIo : public FileTest {
 protected:
  struct stat StatusOf(const fs::path& path) {
    struct stat status {};
    EXPECT_EQ(::stat(path.c_str(), &status), 0) << path;
    return status;
  }
};

// Pipes, devices, folders, binary and missing files are refused by name in
// the converter's tests (tests/data/cli/unreadable.tsv); here the limit's edge.
TEST_F(FileIo, OnlyTextWithinTheLimitIsReadAndARefusalIsNamed) {
  WriteBytes(dir_ / "big.txt", std::string(1001, 'x'));
  std::string error;
  EXPECT_EQ(ReadTextFile(dir_ / "big.txt", 1000, error), std::nullopt);
  EXPECT_NE(error.find(PathOf("big.txt") + "\": is larger than"), std::string::npos) << error;
  EXPECT_EQ(ReadTextFile(dir_ / "big.txt", 1001, error), std::string(1001, 'x'));
}

TEST_F(FileIo, WriteReplacesTheWholeFileAndAFailedWriteOrRemovalIsReportedAndKeepsIt) {
  std::string error;
  ASSERT_TRUE(WriteFileAtomically(dir_ / "target", "a much longer first content", error)) << error;
  ASSERT_TRUE(WriteFileAtomically(dir_ / "target", "precious", error)) << error;
  fs::permissions(dir_ / "target", fs::perms::owner_read);
  EXPECT_FALSE(WriteFileAtomically(dir_ / "target", "lost", error));
  EXPECT_NE(error.find("target"), std::string::npos);
  EXPECT_FALSE(RemoveFileIfExists(dir_ / "target", error));
  // A symbolic link to the read-only file goes itself; the file stays.
  fs::create_symlink("target", dir_ / "link");
  EXPECT_TRUE(RemoveFileIfExists(dir_ / "link", error)) << error;
  EXPECT_FALSE(fs::is_symlink(dir_ / "link"));
  EXPECT_EQ(ReadBytes(dir_ / "target"), "precious");
}

TEST_F(FileIo, ASaveKeepsSymbolicLinksPermissionsAndHardLinks) {
  WriteBytes(dir_ / "real.ged", "old");
  fs::create_symlink("real.ged", dir_ / "link.ged");
  fs::create_symlink("created.ged", dir_ / "dangling.ged");
  WriteBytes(dir_ / "private.ged", "old");
  fs::permissions(dir_ / "private.ged", fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  // Only a privileged process may give a file to another owner and group.
  const bool privileged = ::chown(PathOf("private.ged").c_str(), 4321, 4322) == 0;
  WriteBytes(dir_ / "first.ged", "old content");
  fs::create_hard_link(dir_ / "first.ged", dir_ / "second.ged");
  std::string error;
  for (const std::string name : {"link.ged", "dangling.ged", "private.ged", "first.ged"}) {
    ASSERT_TRUE(WriteFileAtomically(dir_ / name, "new " + name, error)) << error;
  }
  EXPECT_TRUE(fs::is_symlink(dir_ / "link.ged"));
  EXPECT_EQ(ReadBytes(dir_ / "real.ged"), "new link.ged");
  EXPECT_TRUE(fs::is_symlink(dir_ / "dangling.ged"));
  EXPECT_EQ(ReadBytes(dir_ / "created.ged"), "new dangling.ged");
  EXPECT_EQ(StatusOf(dir_ / "private.ged").st_mode & 07777, 0640u);
  if (privileged) {
    EXPECT_EQ(StatusOf(dir_ / "private.ged").st_uid, 4321u);
    EXPECT_EQ(StatusOf(dir_ / "private.ged").st_gid, 4322u);
  }
  EXPECT_EQ(StatusOf(dir_ / "first.ged").st_nlink, 2u);
  EXPECT_EQ(ReadBytes(dir_ / "second.ged"), "new first.ged");
  // Shorter content cuts the hard-linked file to its new size.
  ASSERT_TRUE(WriteFileAtomically(dir_ / "second.ged", "x", error)) << error;
  EXPECT_EQ(ReadBytes(dir_ / "first.ged"), "x");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator{}), 7);  // no temporary file left
}

TEST_F(FileIo, PipesAreNeverReplacedOrWaitedOn) {
  std::string error;
  ASSERT_EQ(::mkfifo(PathOf("pipe").c_str(), 0600), 0);
  EXPECT_FALSE(WriteFileAtomically(dir_ / "pipe", "bytes", error));
  EXPECT_NE(error.find("no program reads"), std::string::npos) << error;
  EXPECT_TRUE(fs::is_fifo(dir_ / "pipe"));
  EXPECT_FALSE(RemoveFileIfExists(dir_ / "pipe", error));
  EXPECT_TRUE(fs::is_fifo(dir_ / "pipe"));
}

bool FullDisk(int, std::string_view) {
  errno = ENOSPC;
  return false;
}

// A save that meets a full disk leaves the old file as it was, whether it is
// replaced or, hard-linked, overwritten in place.
TEST_F(FileIo, AFullDiskLeavesTheOldContentIntact) {
  // A tmpfs of 64 KB when the test may mount one, unmounted however the test
  // ends; otherwise a writer that fails as a full disk does.
  struct SmallDisk {
    fs::path path;
    bool mounted = false;
    ~SmallDisk() {
      if (mounted) {
        ::umount(path.c_str());
      }
    }
  } small{dir_ / "small"};
  if (::geteuid() == 0) {
    fs::create_directory(small.path);
    small.mounted = ::mount("tmpfs", small.path.c_str(), "tmpfs", 0, "size=64k") == 0;
  }
  const bool mounted = small.mounted;
  const fs::path disk = mounted ? small.path : dir_;
  const std::string old(8 * 1024, 'o');
  WriteBytes(disk / "plain.ged", old);
  WriteBytes(disk / "linked.ged", old);
  fs::create_hard_link(disk / "linked.ged", disk / "other-name.ged");
  const std::string tooMuch(mounted ? 256 * 1024 : 16 * 1024, 'n');
  for (const std::string name : {"plain.ged", "linked.ged"}) {
    std::string error;
    EXPECT_FALSE(mounted ? WriteFileAtomically(disk / name, tooMuch, error)
                         : WriteFileAtomically(disk / name, tooMuch, error, FullDisk))
        << name;
    EXPECT_NE(error.find(std::strerror(ENOSPC)), std::string::npos) << error;
    EXPECT_EQ(ReadBytes(disk / name), old) << name;
  }
  if (mounted) {
    // Content that fits on the disk once but not twice: its temporary file is
    // made, the room for it in the hard-linked file is not.
    std::string error;
    EXPECT_FALSE(WriteFileAtomically(disk / "linked.ged", std::string(32 * 1024, 'n'), error));
    EXPECT_NE(error.find(std::strerror(ENOSPC)), std::string::npos) << error;
    EXPECT_EQ(ReadBytes(disk / "linked.ged"), old);
  }
  EXPECT_EQ(ReadBytes(disk / "other-name.ged"), old);
  const bool beside = !mounted && fs::exists(small.path);  // the folder the mount would have used
  EXPECT_EQ(std::distance(fs::directory_iterator(disk), fs::directory_iterator{}), beside ? 4 : 3);
}

// Fails as a full disk does from the second write on.
int writesBeforeFull = 0;
bool FillsAfterOneWrite(int descriptor, std::string_view bytes) {
  return writesBeforeFull++ < 1 ? WriteAll(descriptor, bytes) : FullDisk(descriptor, bytes);
}

// A file made piece by piece (the standard GEDCOM exports) is written whole,
// in order, wherever it goes, a device in place; a write that fails stops the making and keeps
// the old file.
TEST_F(FileIo, AFileMadeInPiecesIsWrittenWholeOrNotAtAll) {
  // Pieces past a megabyte in all, so the disk is asked to start writing
  // before the end.
  const std::vector<std::string> pieces = {std::string(700'000, 'a'), std::string(700'000, 'b'), "end"};
  int made = 0;
  const FileContent content = [&](const PieceWriter& write) {
    for (made = 0; made < static_cast<int>(pieces.size()); ++made) {
      if (!write(pieces[static_cast<std::size_t>(made)])) {
        return false;
      }
    }
    return true;
  };
  const std::string whole = pieces[0] + pieces[1] + pieces[2];
  WriteBytes(dir_ / "first.ged", "old");
  fs::create_hard_link(dir_ / "first.ged", dir_ / "second.ged");
  std::string error;
  for (const fs::path& path : {dir_ / "new.ged", dir_ / "first.ged", fs::path("/dev/null")}) {
    ASSERT_TRUE(WriteFileAtomically(path, content, error)) << error;
  }
  EXPECT_EQ(ReadBytes(dir_ / "new.ged"), whole);
  EXPECT_EQ(ReadBytes(dir_ / "second.ged"), whole);
  EXPECT_TRUE(fs::is_character_file("/dev/null"));

  WriteBytes(dir_ / "kept.ged", "precious");
  writesBeforeFull = 0;
  EXPECT_FALSE(WriteFileAtomically(dir_ / "kept.ged", content, error, FillsAfterOneWrite));
  EXPECT_NE(error.find(std::strerror(ENOSPC)), std::string::npos) << error;
  EXPECT_EQ(made, 1);  // the failed piece ended the making
  EXPECT_EQ(ReadBytes(dir_ / "kept.ged"), "precious");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator{}), 4);  // no temporary file left
}

// What a program's handler for a stop signal does: removes the temporary
// files of the saves in progress, then ends the program by the signal.
void StopOnSignal(int signal) {
  RemoveTemporaryFilesNow();
  ::signal(signal, SIG_DFL);
  ::raise(signal);
}

// Runs `body` in a child process that handles SIGTERM as a program does and
// gives its wait status; the child ends with 0 if `body` returns.
int StatusOfChild(const std::function<void()>& body) {
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::signal(SIGTERM, StopOnSignal);
    body();
    ::_exit(0);
  }
  int status = 0;
  ::waitpid(pid, &status, 0);
  return status;
}

// A stop while the new content is being made leaves the old file, under every
// name, and no temporary file.
TEST_F(FileIo, AStopWhileTheContentIsMadeLeavesTheOldFileAndNoTemporaryFile) {
  WriteBytes(dir_ / "plain.ged", "old plain");
  WriteBytes(dir_ / "linked.ged", "old linked");
  fs::create_hard_link(dir_ / "linked.ged", dir_ / "other-name.ged");
  const FileContent stoppedAfterOnePiece = [](const PieceWriter& write) {
    write(std::string(100'000, 'n'));
    ::raise(SIGTERM);
    return write("rest");
  };
  for (const std::string name : {"plain.ged", "linked.ged"}) {
    const int status = StatusOfChild([&] {
      std::string error;
      WriteFileAtomically(dir_ / name, stoppedAfterOnePiece, error);
    });
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM) << name;
  }
  EXPECT_EQ(ReadBytes(dir_ / "plain.ged"), "old plain");
  EXPECT_EQ(ReadBytes(dir_ / "linked.ged"), "old linked");
  EXPECT_EQ(ReadBytes(dir_ / "other-name.ged"), "old linked");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator{}), 3);  // no temporary file left
}

// The inode of the file being overwritten in place, for the writer below.
ino_t overwrittenFile = 0;
// Writes as usual, but asks for the program to stop once the first piece has
// gone over the file being overwritten in place.
bool StopsDuringTheInPlaceCopy(int descriptor, std::string_view bytes) {
  struct stat status {};
  const bool result = WriteAll(descriptor, bytes);
  if (::fstat(descriptor, &status) == 0 && status.st_ino == overwrittenFile) {
    ::raise(SIGTERM);
  }
  return result;
}

// Fails as a disk fault does once the first piece has gone over the file
// being overwritten in place.
bool FailsDuringTheInPlaceCopy(int descriptor, std::string_view bytes) {
  struct stat status {};
  if (::fstat(descriptor, &status) == 0 && status.st_ino == overwrittenFile && status.st_size > 0 &&
      ::lseek(descriptor, 0, SEEK_CUR) > 0) {
    errno = EIO;
    return false;
  }
  return WriteAll(descriptor, bytes);
}

// A disk that fails in the middle of the copy over a file with several hard
// links leaves the file damaged, but the whole new content stays in the
// temporary file the message names. A stop there instead waits until the copy
// is done: every name shows the whole new content, and no temporary file stays.
TEST_F(FileIo, AFaultOrAStopDuringTheInPlaceCopyKeepsTheWholeNewContent) {
  WriteBytes(dir_ / "first.ged", "old content");
  fs::create_hard_link(dir_ / "first.ged", dir_ / "second.ged");
  overwrittenFile = StatusOf(dir_ / "first.ged").st_ino;
  // Several pieces of the copy, so a stop after the first would show.
  std::string bytes;
  for (char c = 'a'; c < 'e'; ++c) {
    bytes += std::string(1 << 20, c);
  }
  std::string error;
  EXPECT_FALSE(WriteFileAtomically(dir_ / "first.ged", bytes, error, FailsDuringTheInPlaceCopy));
  EXPECT_NE(error.find(std::strerror(EIO)), std::string::npos) << error;
  std::vector<fs::path> kept;
  for (const auto& entry : fs::directory_iterator(dir_)) {
    if (entry.path().filename() != "first.ged" && entry.path().filename() != "second.ged") {
      kept.push_back(entry.path());
    }
  }
  ASSERT_EQ(kept.size(), 1u);
  EXPECT_NE(error.find(kept[0].string()), std::string::npos) << error;
  EXPECT_TRUE(ReadBytes(kept[0]) == bytes);
  fs::remove(kept[0]);

  const int status =
      StatusOfChild([&] { WriteFileAtomically(dir_ / "first.ged", bytes, error, StopsDuringTheInPlaceCopy); });
  EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM);
  EXPECT_TRUE(ReadBytes(dir_ / "first.ged") == bytes);
  EXPECT_TRUE(ReadBytes(dir_ / "second.ged") == bytes);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator{}), 2);  // no temporary file left
}

}  // namespace
}  // namespace quenby
