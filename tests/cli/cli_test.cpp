// SPDX-License-Identifier: GPL-3.0-or-later
// Runs the built quenby-convert as a user's script would and checks its
// output, messages and exit status.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "rules/rule_item.hpp"
#include "rules/rules_file.hpp"
#include "support/file_test.hpp"

namespace quenby {
namespace {

struct Result {
  int status = -1;
  std::string out;
  std::string err;
};

class Convert : public FileTest {
 protected:
  std::string Write(const std::string& name, const std::string& bytes) {
    WriteBytes(dir_ / name, bytes);
    return PathOf(name);
  }

  // Runs the converter with `args` (already quoted for the shell), standard
  // input from `stdinFile` or /dev/null, and no terminal to ask on.
  Result Run(const std::string& args, const std::string& stdinFile = "/dev/null") {
    const std::string command = "SOURCE_DATE_EPOCH=1796515200 setsid " + std::string(QUENBY_CONVERT) + " " + args +
                                " < " + stdinFile + " > " + PathOf("stdout") + " 2> " + PathOf("stderr");
    const int raw = std::system(command.c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ReadBytes(PathOf("stdout")), ReadBytes(PathOf("stderr"))};
  }
};

TEST_F(Convert, HelpAnswersWithoutInputAndWrongUsageExitsWithTwoAndSaysWhy) {
  const auto help = Run("--help");
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("Usage: quenby-convert"), std::string::npos);
  for (const std::string args :
       {"", "--stage", "--stage family x.txt", "--sex X x.txt", "--bogus x.txt", "a.txt b.txt"}) {
    const auto result = Run(args);
    EXPECT_EQ(result.status, 2) << args;
    EXPECT_NE(result.err.find("quenby-convert: "), std::string::npos) << args;
    EXPECT_TRUE(result.out.empty()) << args;
  }
}

TEST_F(Convert, UnreadableFilesExitWithOneAndNameTheFile) {
  const std::string input = Write("in.txt", "John\r\n");
  for (const auto& [args, file] : std::vector<std::pair<std::string, std::string>>{
           {PathOf("no-such-input.txt"), "no-such-input.txt"},
           {"-r " + PathOf("no-such.rules") + " " + input, "no-such.rules"},
           {"-o " + PathOf("missing-folder/out.ged") + " " + input, "missing-folder"}}) {
    const auto result = Run(args);
    EXPECT_EQ(result.status, 1) << args;
    EXPECT_NE(result.err.find(file), std::string::npos) << result.err;
  }
}

TEST_F(Convert, PeopleAndDetailsStagesApplyASavedRulesFileToLfOrCrLfInput) {
  std::string error;
  const std::string rules = PathOf("swap.rules");
  ASSERT_TRUE(SaveRulesFile(rules, {EncodeRuleItem(1, " b. ", "|_B_"), EncodeRuleItem(8, "ignore", "")}, error));
  for (const std::string text :
       {"John b. 1900\nignore me\n  Ann b. 1902  \n", "John b. 1900\r\nignore me\r\nAnn b. 1902"}) {
    const auto result = Run("--stage people -r " + rules + " " + Write("in.txt", text));
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "John|_B_1900\nAnn|_B_1902\n");
  }
  const auto input = Write("in.txt", "John William Smith|_S_M|_B_1900, London|_R_a|_R_b\n&Mary\n");
  const auto details = Run("--stage details " + input);
  EXPECT_EQ(details.status, 0) << details.err;
  EXPECT_EQ(details.out,
            "John William /Smith/\tM\t1900\tLondon\t\t\t\t\t{a}, {b}\t\n"
            "Mary\t\t\t\t\t\t\t\t\t\n");
}

TEST_F(Convert, ARuleWithAnInvalidPatternDoesNothingAndIsNamedOnStandardError) {
  std::string error;
  const std::string rules = PathOf("bad.rules");
  ASSERT_TRUE(SaveRulesFile(rules, {EncodeRuleItem(51, "(b", "x"), EncodeRuleItem(51, " b\\. ", "|_B_")}, error));
  const auto result = Run("--stage people -r " + rules + " " + Write("in.txt", "John b. 1900\n"));
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.out, "John|_B_1900\n");
  EXPECT_EQ(result.err.rfind("quenby-convert: Rule 1 (code 51, search text \"(b\") did nothing: ", 0), 0u)
      << result.err;
  EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1);
}

TEST_F(Convert, GedStageReadsStandardInputAndAnswersTheSexQuestion) {
  const auto input = Write("in.txt", "John Smith\n");
  const auto asked = Run("--sex M -", input);
  EXPECT_EQ(asked.status, 0) << asked.err;
  EXPECT_NE(asked.out.find("0 @I1@ INDI\r\n1 NAME John /Smith/\r\n1 SEX M\r\n\r\n"), std::string::npos);
  // Without --sex and without a terminal the answer is F.
  const auto unasked = Run(input);
  EXPECT_EQ(unasked.status, 0) << unasked.err;
  EXPECT_NE(unasked.out.find("1 SEX F\r\n"), std::string::npos);
}

TEST_F(Convert, ExampleDescendantListGivesTheExpectedFileByteForByte) {
  const std::string examples = std::string(QUENBY_SOURCE_DIR) + "/examples/";
  const auto result =
      Run("-r " + examples + "hartley.rules --sex F -o " + PathOf("hartley.ged") + " " + examples + "hartley.txt");
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(ReadBytes(PathOf("hartley.ged")), ReadBytes(examples + "hartley.ged"));
}

TEST_F(Convert, StandardFormatsGiveTheExampleFilesAndTakeTheDateOrder) {
  const std::string examples = std::string(QUENBY_SOURCE_DIR) + "/examples/";
  const std::string from = "-r " + examples + "hartley.rules ";
  for (const std::string format : {"5.5.1", "7.0"}) {
    const std::string name = "hartley-" + format + ".ged";
    // Without --sex and without a terminal, Ann Whiteley's sex is a default
    // that her husband's settles: the same file as when "F" was chosen.
    const auto result = Run("--format " + format + " -o " + PathOf(name) + " " + from + examples + "hartley.txt");
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(ReadBytes(PathOf(name)), ReadBytes(examples + name));
  }
  const auto mdy = Run("--format 7.0 --dates mdy " + from + examples + "hartley.txt");
  EXPECT_NE(mdy.out.find("2 DATE 5 MAR 1845\r\n"), std::string::npos);
  EXPECT_NE(mdy.out.find("1 NAME William /Hartley/\r\n2 GIVN William\r\n"), std::string::npos);
  const auto classic = Run("--format classic --dates mdy --sex F " + from + examples + "hartley.txt");
  EXPECT_EQ(classic.out, ReadBytes(examples + "hartley.ged"));
  for (const std::string args : {"--format 5.5 x.txt", "--format", "--dates ymd x.txt", "--dates MDY x.txt"}) {
    const auto wrong = Run(args);
    EXPECT_EQ(wrong.status, 2) << args;
    EXPECT_NE(wrong.err.find("quenby-convert: "), std::string::npos) << args;
  }
}

}  // namespace
}  // namespace quenby
