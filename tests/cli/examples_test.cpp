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

namespace quenby {
namespace {

struct Example {
  std::string name;
  std::vector<std::string> persons;   // "Name (sex)" in file order
  std::vector<std::string> families;  // "husband + wife: child, child"
};

std::ostream& operator<<(std::ostream& out, const Example& example) {
  return out << example.name;
}

const Example kExamples[] = {
    {"chain",
     {"Robert Cole (M)", "Ann Webb (F)", "Henry Cole (M)", "Jane Hill (F)", "Edward Cole (M)", "Mary Price (F)",
      "Lucy Cole (F)", "Tom Gale (M)"},
     {"Robert Cole (M) + Ann Webb (F): Henry Cole (M)", "Henry Cole (M) + Jane Hill (F): Edward Cole (M)",
      "Edward Cole (M) + Mary Price (F): Lucy Cole (F)", "Tom Gale (M) + Lucy Cole (F):"}},
    {"breadth",
     {"William Ashby (M)", "Hannah Lowe (F)", "John Ashby (M)", "George Ashby (M)", "Isaac Ashby (M)",
      "Sarah Ashby (F)", "Thomas Ashby (M)", "Joseph Ashby (M)", "Mary Ashby (F)"},
     {"William Ashby (M) + Hannah Lowe (F): John Ashby (M), Thomas Ashby (M), Mary Ashby (F)",
      "John Ashby (M): George Ashby (M), Sarah Ashby (F)", "George Ashby (M): Isaac Ashby (M)",
      "Thomas Ashby (M): Joseph Ashby (M)"}},
    {"ascending",
     {"David Lloyd (M)", "Jane Rees (F)", "Margaret Lloyd (F)", "Thomas Pryce (M)", "Edward Pryce (M)",
      "Ellen Ward (F)", "John Pryce (M)"},
     {"David Lloyd (M) + Jane Rees (F): Margaret Lloyd (F)", "Thomas Pryce (M) + Margaret Lloyd (F): Edward Pryce (M)",
      "Edward Pryce (M) + Ellen Ward (F): John Pryce (M)"}},
    {"continuation",
     {"John Booth (M)", "Ann Walsh (F)", "Mary Booth (F)", "Walter Booth (M)", "Edith Sykes (F)", "Harold Booth (M)"},
     {"John Booth (M) + Ann Walsh (F): Mary Booth (F), Walter Booth (M)",
      "Walter Booth (M) + Edith Sykes (F): Harold Booth (M)"}},
    {"marriages",
     {"Richard Lamb (M)", "Jane Hart (F)", "Alice Lamb (F)", "Peter Lamb (M)", "Rose Dunn (F)", "Fred Lamb (M)",
      "Martha Cole (F)", "George Lamb (M)", "Ellen Lamb (F)"},
     {"Richard Lamb (M) + Jane Hart (F): Alice Lamb (F), Peter Lamb (M)",
      "Peter Lamb (M) + Rose Dunn (F): Fred Lamb (M)",
      "Richard Lamb (M) + Martha Cole (F): George Lamb (M), Ellen Lamb (F)"}},
    {"register",
     {"Robert Gurney (M)", "Sarah Lovell (F)", "John Gurney (M)", "Ann Pryor (F)", "John Gurney (M)",
      "Catherine Boyd (F)", "Sarah Gurney (F)", "Hannah Gurney (F)", "Prudence Hill (F)", "Thomas Gurney (M)",
      "Henry Gurney (M)", "Mary Gurney (F)"},
     {"Robert Gurney (M) + Sarah Lovell (F): John Gurney (M), Henry Gurney (M), Mary Gurney (F)",
      "John Gurney (M) + Ann Pryor (F): John Gurney (M), Hannah Gurney (F)",
      "John Gurney (M) + Catherine Boyd (F): Sarah Gurney (F)",
      "John Gurney (M) + Prudence Hill (F): Thomas Gurney (M)"}},
    // Read from the classic file, in Windows-1252 and with every "/" taken
    // out of the names.
    {"schmidt",
     {"Johann Heinrich \x84Hans\x93 Schmidt (M)", "Anna Maria Schmidt geb. M\xFCller (F)", "Wilhelm Schmidt (M)",
      "Geertruida van der Berg (F)", "Jan Willem Schmidt (M)", "MariaMarie Schmidt (F)", "Pieter in 't Veld (M)",
      "Johanna in 't Veld (F)"},
     {"Johann Heinrich \x84Hans\x93 Schmidt (M) + Anna Maria Schmidt geb. M\xFCller (F): "
      "Wilhelm Schmidt (M), MariaMarie Schmidt (F)",
      "Wilhelm Schmidt (M) + Geertruida van der Berg (F): Jan Willem Schmidt (M)",
      "Pieter in 't Veld (M) + MariaMarie Schmidt (F): Johanna in 't Veld (F)"}},
};

class ExampleLayout : public FileTest, public ::testing::WithParamInterface<Example> {};

TEST_P(ExampleLayout, ConvertsToTheExpectedFileWithTheRightPersonsAndLinks) {
  const Example& example = GetParam();
  const std::string base = std::string(QUENBY_SOURCE_DIR) + "/examples/" + example.name;
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
  EXPECT_EQ(persons, example.persons);
  EXPECT_EQ(read.DescribeFamilies(), example.families);
}

INSTANTIATE_TEST_SUITE_P(Examples, ExampleLayout, ::testing::ValuesIn(kExamples),
                         [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace quenby
