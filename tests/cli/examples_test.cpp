// SPDX-License-Identifier: GPL-3.0-or-later
// Each example layout converts with its rules alone, no question asked, to
// the expected file byte for byte, and that file links the right persons.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "support/file_test.hpp"
#include "support/ged_reader.hpp"
#include "support/golden_table.hpp"

namespace quenby {
namespace {

class ExampleLayout : public FileTest, public ::testing::WithParamInterface<GoldenRow> {};

TEST_P(ExampleLayout, ConvertsToTheExpectedFileWithTheRightPersonsAndLinks) {
  const GoldenRow& example = GetParam();
  const std::string base = std::string(QUENBY_SOURCE_DIR) + "/examples/" + example[0];
  // No terminal and no --sex: a person whose sex the text does not state
  // would be written as F, which the persons checked below would show.
  const std::string command = "setsid " + std::string(QUENBY_CONVERT) + " -r " + base + ".rules -o " +
                              PathOf("out.ged") + " " + base + ".txt < /dev/null 2> " + PathOf("stderr");
  const int status = std::system(command.c_str());
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << ReadBytes(PathOf("stderr"));
  EXPECT_EQ(ReadBytes(PathOf("stderr")), "");
  const std::string written = ReadBytes(PathOf("out.ged"));
  EXPECT_EQ(written, ReadBytes(base + ".ged"));

  const ReadGedcom read = ReadGedcomText(written);
  std::vector<std::string> persons;
  for (std::size_t i = 1; i <= read.persons.size(); ++i) {
    persons.push_back(read.Describe("@I" + std::to_string(i) + "@"));
  }
  EXPECT_EQ(persons, GoldenLines(example[1]));
  EXPECT_EQ(read.DescribeFamilies(), GoldenLines(example[2]));
}

INSTANTIATE_TEST_SUITE_P(Examples, ExampleLayout, ::testing::ValuesIn(ReadGoldenTable("examples/layouts.tsv", 3)),
                         [](const auto& info) { return info.param[0]; });

}  // namespace
}  // namespace quenby
