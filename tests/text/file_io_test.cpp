// SPDX-License-Identifier: GPL-3.0-or-later
// Files that are not what they seem: reading refuses what is not a regular
// text file, quickly and with a message; saving keeps what the target is.

#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <string>
#include <utility>
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

TEST_F(FileIo, OnlyRegularTextFilesWithinTheLimitAreReadAndEveryRefusalIsQuickAndNamed) {
  ASSERT_EQ(::mkfifo(PathOf("pipe").c_str(), 0600), 0);
  WriteBytes(dir_ / "big.txt", std::string(1001, 'x'));
  WriteBytes(dir_ / "program", std::string("\x7F"
                                           "ELF\x02\x01\x01\0\0\0",
                                           10));
  const std::vector<std::pair<fs::path, std::string>> cases = {{dir_ / "pipe", "pipe"},
                                                               {dir_ / "big.txt", "larger than"},
                                                               {dir_ / "program", "not a text file"},
                                                               {dir_ / "missing.txt", "No such file"}};
  for (const auto& [path, reason] : cases) {
    const auto start = std::chrono::steady_clock::now();
    std::string error;
    EXPECT_EQ(ReadTextFile(path, 1000, error), std::nullopt) << path;
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1)) << path;
    EXPECT_NE(error.find(path.string()), std::string::npos) << error;
    EXPECT_NE(error.find(reason), std::string::npos) << error;
  }
  std::string error;
  EXPECT_EQ(ReadTextFile(dir_ / "big.txt", 1001, error), std::string(1001, 'x'));
}

TEST_F(FileIo, WriteReplacesTheWholeFileAndAFailedWriteIsReportedAndKeepsIt) {
  std::string error;
  ASSERT_TRUE(WriteFileAtomically(dir_ / "target", "a much longer first content", error)) << error;
  ASSERT_TRUE(WriteFileAtomically(dir_ / "target", "precious", error)) << error;
  fs::permissions(dir_ / "target", fs::perms::owner_read);
  EXPECT_FALSE(WriteFileAtomically(dir_ / "target", "lost", error));
  EXPECT_NE(error.find("target"), std::string::npos);
  EXPECT_FALSE(RemoveFileIfExists(dir_ / "target", error));
  EXPECT_EQ(ReadBytes(dir_ / "target"), "precious");
}

TEST_F(FileIo, ASaveKeepsSymbolicLinksPermissionsAndHardLinks) {
  WriteBytes(dir_ / "real.ged", "old");
  fs::create_symlink("real.ged", dir_ / "link.ged");
  fs::create_symlink("created.ged", dir_ / "dangling.ged");
  WriteBytes(dir_ / "private.ged", "old");
  fs::permissions(dir_ / "private.ged", fs::perms::owner_read | fs::perms::owner_write);
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
  EXPECT_EQ(StatusOf(dir_ / "private.ged").st_mode & 07777, 0600u);
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

TEST_F(FileIo, DevicesAndPipesAreWrittenInPlaceNeverReplacedOrWaitedOn) {
  std::string error;
  ASSERT_TRUE(WriteFileAtomically("/dev/null", "bytes", error)) << error;
  EXPECT_TRUE(fs::is_character_file("/dev/null"));
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
// in order, wherever it goes; a write that fails stops the making and keeps
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

  WriteBytes(dir_ / "kept.ged", "precious");
  writesBeforeFull = 0;
  EXPECT_FALSE(WriteFileAtomically(dir_ / "kept.ged", content, error, FillsAfterOneWrite));
  EXPECT_NE(error.find(std::strerror(ENOSPC)), std::string::npos) << error;
  EXPECT_EQ(made, 1);  // the failed piece ended the making
  EXPECT_EQ(ReadBytes(dir_ / "kept.ged"), "precious");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator{}), 4);  // no temporary file left
}

}  // namespace
}  // namespace quenby
