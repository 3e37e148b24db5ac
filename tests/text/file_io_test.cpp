#include "text/file_io.hpp"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/file_test.hpp"

namespace quenby {
namespace {

namespace fs = std::filesystem;

class FileIo : public FileTest {};

TEST_F(FileIo, WriteReplacesTheWholeFileAndLeavesNoTemporaryFile) {
  std::string error;
  ASSERT_TRUE(WriteFileAtomically(dir_ / "target", "a much longer first content", error)) << error;
  ASSERT_TRUE(WriteFileAtomically(dir_ / "target", "short", error)) << error;
  EXPECT_EQ(ReadFileBytes(dir_ / "target", error), std::optional<std::string>("short"));
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator{}), 1);
}

TEST_F(FileIo, FailedWriteIsReportedAndKeepsTheOldFile) {
  std::string error;
  ASSERT_TRUE(WriteFileAtomically(dir_ / "target", "precious", error));
  fs::permissions(dir_ / "target", fs::perms::owner_read);
  EXPECT_FALSE(WriteFileAtomically(dir_ / "target", "lost", error));
  EXPECT_NE(error.find("target"), std::string::npos);
  EXPECT_FALSE(RemoveFileIfExists(dir_ / "target", error));
  EXPECT_EQ(ReadFileBytes(dir_ / "target", error), std::optional<std::string>("precious"));

  error.clear();
  EXPECT_FALSE(WriteFileAtomically(dir_ / "missing-folder" / "x", "data", error));
  EXPECT_NE(error.find("missing-folder"), std::string::npos);
  EXPECT_FALSE(WriteFileAtomically(dir_, "data", error));
}

TEST_F(FileIo, ReadingAMissingFileOrAFolderIsAnError) {
  std::string error;
  EXPECT_FALSE(ReadFileBytes(dir_ / "nothing-here", error).has_value());
  EXPECT_NE(error.find("nothing-here"), std::string::npos);
  EXPECT_FALSE(ReadFileBytes(dir_, error).has_value());
}

}  // namespace
}  // namespace quenby
