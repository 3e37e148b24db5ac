// SPDX-License-Identifier: GPL-3.0-or-later
// A real quenby-convert stopped by each stop signal while it saves a long
// list: the output, under every name it has, holds either its old content or
// the whole new one, and no temporary file stays beside it.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "support/file_test.hpp"

namespace quenby {
namespace {

namespace fs = std::filesystem;

constexpr int kStopSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};

// How the output is reached: its own name, a symbolic link to it, or one of
// several hard links to it.
enum class Output { kPlain, kSymbolicLink, kHardLinks };

class StoppedSave : public FileTest, public ::testing::WithParamInterface<Output> {
 protected:
  // The converter, with every stop signal at its default action and none
  // held back, whatever the shell that started the tests left ignored.
  pid_t Start(const std::string& output) {
    const std::string input = PathOf("in.txt");
    const pid_t pid = ::fork();
    if (pid == 0) {
      sigset_t none;
      sigemptyset(&none);
      ::sigprocmask(SIG_SETMASK, &none, nullptr);
      for (const int signal : kStopSignals) {
        ::signal(signal, SIG_DFL);
      }
      const int null = ::open("/dev/null", O_RDWR);
      for (const int descriptor : {0, 1, 2}) {
        ::dup2(null, descriptor);
      }
      ::execl(QUENBY_CONVERT, QUENBY_CONVERT, "--stage", "people", "-o", output.c_str(), input.c_str(), nullptr);
      ::_exit(127);
    }
    return pid;
  }

  std::set<std::string> Names() const {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir_)) {
      names.insert(entry.path().filename().string());
    }
    return names;
  }
};

TEST_P(StoppedSave, LeavesTheOldOrTheWholeNewContentUnderEveryNameAndNoTemporaryFile) {
  // A list long enough that writing and flushing it takes a while; with no
  // rules the people list is the text itself.
  std::string text;
  for (int i = 0; i < 400'000; ++i) {
    text += "Person " + std::to_string(i) + " Smith|_B_" + std::to_string(1800 + i % 200) + "\n";
  }
  WriteBytes(dir_ / "in.txt", text);
  const std::string old = "old content\n";
  // Later signals wait a little longer after the save has begun, so the
  // stops fall at different points of it; each output kind shifts the pairs.
  const int delays[] = {0, 500, 3000, 15000};
  int stopped = 0;
  for (std::size_t round = 0; round < std::size(kStopSignals); ++round) {
    const int signal = kStopSignals[round];
    const std::chrono::microseconds delay(delays[(round + static_cast<std::size_t>(GetParam())) % std::size(delays)]);
    for (const auto& name : Names()) {
      if (name != "in.txt") {
        fs::remove(dir_ / name);
      }
    }
    WriteBytes(dir_ / "out.txt", old);
    std::vector<fs::path> names = {dir_ / "out.txt"};
    std::string output = PathOf("out.txt");
    if (GetParam() == Output::kSymbolicLink) {
      fs::create_symlink("out.txt", dir_ / "link.txt");
      output = PathOf("link.txt");
    } else if (GetParam() == Output::kHardLinks) {
      fs::create_hard_link(dir_ / "out.txt", dir_ / "second.txt");
      names.push_back(dir_ / "second.txt");
    }
    const auto made = Names();

    const pid_t pid = Start(output);
    ASSERT_GT(pid, 0);
    int status = 0;
    pid_t ended = 0;
    std::error_code ec;
    // Until the save has begun: a file in the folder that the test did not
    // make, or the output grown from its old size.
    while ((ended = ::waitpid(pid, &status, WNOHANG)) == 0 && Names() == made &&
           fs::file_size(dir_ / "out.txt", ec) == old.size()) {
      std::this_thread::sleep_for(std::chrono::microseconds(100));
    }
    if (ended == 0) {
      std::this_thread::sleep_for(delay);
      ::kill(pid, signal);
      ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    }

    const std::string context = "signal " + std::to_string(signal) + " after " + std::to_string(delay.count()) + " µs";
    if (WIFSIGNALED(status)) {
      EXPECT_EQ(WTERMSIG(status), signal) << context;
      ++stopped;
    } else {
      EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << context;
    }
    EXPECT_EQ(Names(), made) << context;  // no temporary file
    for (const auto& name : names) {
      const std::string content = ReadBytes(name);
      EXPECT_TRUE(content == old || content == text)
          << context << ": " << name << " holds " << content.size() << " bytes, neither the old nor the new content";
    }
  }
  // At least one signal came in the middle of a save.
  EXPECT_GT(stopped, 0);
}

INSTANTIATE_TEST_SUITE_P(Outputs, StoppedSave,
                         ::testing::Values(Output::kPlain, Output::kSymbolicLink, Output::kHardLinks));

}  // namespace
}  // namespace quenby
