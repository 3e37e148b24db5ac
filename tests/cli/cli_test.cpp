// SPDX-License-Identifier: GPL-3.0-or-later
// Runs the built quenby-convert as a user's script would and checks its
// output, messages and exit status.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "rules/rule_item.hpp"
#include "rules/rules_file.hpp"
#include "support/file_test.hpp"
#include "support/golden_table.hpp"
#include "text/text.hpp"

namespace quenby {
namespace {

struct Result {
  int status = -1;
  std::string out;
  std::string err;
};

const std::string kExamples = std::string(QUENBY_SOURCE_DIR) + "/examples/";

class Convert : public FileTest {
 protected:
  std::string Write(const std::string& name, const std::string& bytes) {
    WriteBytes(dir_ / name, bytes);
    return PathOf(name);
  }

  // Runs the converter with `args` (already quoted for the shell), standard
  // input from `stdinFile` or /dev/null, and no terminal to ask on.
  Result Run(const std::string& args, const std::string& stdinFile = "/dev/null") {
    return RunWithInput(args, "< " + stdinFile);
  }
  // The same with standard input given as a shell redirection ("<&-" closes
  // it).
  Result RunWithInput(const std::string& args, const std::string& redirection) {
    const std::string command = "SOURCE_DATE_EPOCH=1796515200 setsid " + std::string(QUENBY_CONVERT) + " " + args +
                                " " + redirection + " > " + PathOf("stdout") + " 2> " + PathOf("stderr");
    const int raw = std::system(command.c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ReadBytes(PathOf("stdout")), ReadBytes(PathOf("stderr"))};
  }
  // Runs the converter on a pseudo-terminal made by script(1) that is typed
  // `answers`; gives its exit status and what the terminal showed.
  Result RunAtTerminal(const std::string& args, const std::string& answers) {
    const std::string command = "SOURCE_DATE_EPOCH=1796515200 script -qec \"" + std::string(QUENBY_CONVERT) + " " +
                                args + "\" /dev/null < " + Write("answers.txt", answers) + " > " + PathOf("terminal");
    const int raw = std::system(command.c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ReadBytes(PathOf("terminal")), ""};
  }
  // A golden row's field with {dir}, {in}, {rules} and {data} filled in.
  std::string Fill(const std::string& field, const std::string& input, const std::string& rules = "") const {
    return ReplaceAll(
        ReplaceAll(ReplaceAll(ReplaceAll(field, "{dir}", dir_.string()), "{in}", input), "{rules}", rules), "{data}",
        QUENBY_TEST_DATA_DIR);
  }
  // A saved rules file of `items`, by its path.
  std::string Rules(const std::string& name, const std::vector<std::string>& items) {
    std::string error;
    EXPECT_TRUE(SaveRulesFile(PathOf(name), items, error)) << error;
    return PathOf(name);
  }
};

TEST_F(Convert, HelpAnswersWithoutInputAndWrongUsageExitsWithTwoAndSaysWhy) {
  const auto help = Run("--help");
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("Usage: quenby-convert"), std::string::npos);
  for (const std::string args : {"", "--stage", "--stage family x.txt", "--sex X x.txt", "--bogus x.txt", "a.txt b.txt",
                                 "--format 5.5 x.txt", "--format", "--dates ymd x.txt", "--dates MDY x.txt",
                                 "-o '' x.txt", "--output '' x.txt", "-r '' x.txt", "--rules '' x.txt"}) {
    const auto result = Run(args);
    EXPECT_EQ(result.status, 2) << args;
    EXPECT_NE(result.err.find("quenby-convert: "), std::string::npos) << args;
    EXPECT_TRUE(result.out.empty()) << args;
  }
}

TEST_F(Convert, PeopleAndDetailsStagesApplyASavedRulesFileToLfOrCrLfInput) {
  const std::string rules = Rules("swap.rules", {EncodeRuleItem(1, " b. ", "|_B_"), EncodeRuleItem(8, "ignore", "")});
  for (const std::string text :
       {"John b. 1900\nignore me\n  Ann b. 1902  \n", "John b. 1900\r\nignore me\r\nAnn b. 1902"}) {
    const auto result = Run("--stage people -r " + rules + " " + Write("in.txt", text));
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "John|_B_1900\nAnn|_B_1902\n");
  }
  const auto details = Run("--stage details " + Write("in.txt", "John Smith|_S_M|_R_a\n&Mary\n"));
  EXPECT_EQ(details.out, "John /Smith/\tM\t\t\t\t\t\t\t{a}\t\nMary\t\t\t\t\t\t\t\t\t\n");
}

// A hand-edited rules file runs with every rule it holds; what the reading
// did and the rule that cannot run are each one line on standard error.
TEST_F(Convert, ARulesFileWithGapsAndBadItemsRunsWhatItHoldsAndSaysWhatItDid) {
  const auto rules = Write("edited.rules",
                           "[Rules]\r\ncount=3\r\n1=\"1\t|\t b. \t|\t|_B_\"\r\n3=99\t|\tx\t|\ty\r\n4=\r\n"
                           "5=\"1\t|\tAnn\t|\tAnna\"\r\n");
  const auto result = Run("--stage people -r " + rules + " " + Write("in.txt", "Ann b. 1900\n"));
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out, "Anna|_B_1900\n");
  const std::string file = "quenby-convert: rules file \"" + rules + "\": ";
  EXPECT_EQ(result.err, file + "key 2 is missing; the rules after it were loaded\n" + file +
                            "rule 2 (key 3) does nothing when the rules run: its code \"99\" is no rule code; it is "
                            "kept in the list as it was read\n" +
                            file + "key 4 is empty: it holds no rule and was skipped\n" + file +
                            "key \"count\" is no rule number; it was left out\n"
                            "quenby-convert: Rule 2 (code 99, search text \"x\") did nothing: its code \"99\" is no "
                            "rule code\n");
}

// Answers typed at a terminal (a pseudo-terminal made by script(1)): a slip
// is asked again, case does not matter, and Enter alone or the end of the
// input is the default, which the standard file writes as unknown.
TEST_F(Convert, AnswersTypedAtATerminalAreStatedOnlyWhenMOrFIsTyped) {
  const auto input = Write("in.txt", "Ann Lee\nBob Ray\nCy Dunn\nDee Fox\n");
  const auto typed = RunAtTerminal("--format 5.5.1 -o " + PathOf("out.ged") + " " + input, "mael\nMALE\n female \n\n");
  ASSERT_EQ(typed.status, 0) << typed.out;
  const std::string ged = ReadBytes(PathOf("out.ged"));
  std::vector<std::string> sexes;
  for (std::size_t at = ged.find("1 SEX "); at != std::string::npos; at = ged.find("1 SEX ", at + 1)) {
    sexes.push_back(ged.substr(at + 6, 1));
  }
  EXPECT_EQ(sexes, (std::vector<std::string>{"M", "F", "U", "U"}));
  EXPECT_NE(typed.out.find("Please type M or F."), std::string::npos);
}

TEST_F(Convert, StandardFormatsGiveTheExampleFilesAndTakeTheDateOrder) {
  const std::string from = "-r " + kExamples + "hartley.rules ";
  for (const std::string format : {"5.5.1", "7.0"}) {
    const std::string name = "hartley-" + format + ".ged";
    // Without --sex and without a terminal, Ann Whiteley's sex is a default
    // that her husband's settles: the same file as when "F" was chosen.
    const auto result = Run("--format " + format + " -o " + PathOf(name) + " " + from + kExamples + "hartley.txt");
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(ReadBytes(PathOf(name)), ReadBytes(kExamples + name));
  }
  const auto mdy = Run("--format 7.0 --dates mdy " + from + kExamples + "hartley.txt");
  EXPECT_NE(mdy.out.find("2 DATE 5 MAR 1845\r\n"), std::string::npos);
  const auto classic = Run("--format classic --dates mdy --sex F " + from + kExamples + "hartley.txt");
  EXPECT_EQ(classic.out, ReadBytes(kExamples + "hartley.ged"));
}

// --sex answers for everyone: a default, which leaves the couple and its
// child whole in every format, with husband and wife by the order of the
// lines whichever answer was given, the text read from a file or from
// standard input ("-").
TEST_F(Convert, SexGivenForEveryoneIsADefaultThatKeepsEveryCoupleWithItsChildren) {
  const std::string input = Write("couple.txt", "Tom Smith\n&Ann Jones\n+Kid Smith\n");
  for (const std::string format : {"5.5.1", "7.0"}) {
    const auto female = Run("--sex F --format " + format + " " + input);
    ASSERT_EQ(female.status, 0) << female.err;
    EXPECT_NE(female.out.find("0 @F1@ FAM\r\n1 WIFE @I2@\r\n1 HUSB @I1@\r\n1 MARR Y\r\n1 CHIL @I3@\r\n"),
              std::string::npos)
        << format << "\n"
        << female.out;
    EXPECT_EQ(Run("--sex M --format " + format + " -", input).out, female.out) << format;
  }
  const auto classic = Run("--sex M -", input);
  EXPECT_EQ(classic.status, 0) << classic.err;
  EXPECT_NE(classic.out.find("0 @I1@ INDI\r\n1 NAME Tom /Smith/\r\n1 SEX M\r\n"), std::string::npos);
  // Without --sex and without a terminal the answer is F.
  EXPECT_NE(Run(input).out.find("1 NAME Tom /Smith/\r\n1 SEX F\r\n"), std::string::npos);
}

// Input that is missing or not what it seems is refused at once with exit 1
// and a message naming it: nothing hangs on a pipe (the test's time limit
// guards that), nothing fills the memory.
TEST_F(Convert, InputThatIsNotARegularTextFileExitsWithOneAndAMessage) {
  const std::string input = Write("in.txt", "a\r\n");
  ASSERT_EQ(::mkfifo(PathOf("pipe").c_str(), 0600), 0);
  const std::string growth = Rules("growth.rules", {3, EncodeRuleItem(1, "a", std::string(1000, 'a'))});
  for (const GoldenRow& c : ReadGoldenTable("cli/unreadable.tsv", 3)) {
    const std::string args = Fill(c[0], input);
    const std::string redirection = c[1].empty() ? "< /dev/null" : Fill(c[1], input);
    const auto result = RunWithInput("--stage people " + args, redirection);
    EXPECT_EQ(result.status, 1) << c.where;
    EXPECT_NE(result.err.find(c[2]), std::string::npos) << c.where << ": " << result.err;
    EXPECT_EQ(result.out, "") << args;
  }
}

// An output that is the input text or the rules file, under its own name or
// through a link, is refused before anything is read or written, so the run
// never replaces what it reads.
TEST_F(Convert, AnOutputThatIsAnInputIsRefusedAndTheInputKept) {
  const std::string text = "John b. 1900\n";
  const std::string input = Write("in.txt", text);
  const std::string rules = Rules("swap.rules", {EncodeRuleItem(1, " b. ", "|_B_")});
  const std::string rulesBytes = ReadBytes(rules);
  std::filesystem::create_symlink("in.txt", dir_ / "symbolic.txt");
  std::filesystem::create_hard_link(dir_ / "in.txt", dir_ / "hard.txt");
  std::filesystem::create_symlink("swap.rules", dir_ / "rules-link.txt");
  for (const GoldenRow& c : ReadGoldenTable("cli/output_is_input.tsv", 3)) {
    const std::string args = Fill(c[0], input, rules);
    const auto result = RunWithInput("--sex F " + args, Fill(c[1], input, rules));
    EXPECT_EQ(result.status, 1) << args;
    EXPECT_NE(result.err.find(c[2]), std::string::npos) << args << ": " << result.err;
    EXPECT_EQ(result.out, "") << args;
    EXPECT_EQ(ReadBytes(input), text) << args;
    EXPECT_EQ(ReadBytes(rules), rulesBytes) << args;
    EXPECT_TRUE(std::filesystem::is_symlink(dir_ / "symbolic.txt")) << args;
  }
  // Another file beside them is written as usual.
  EXPECT_EQ(Run("-r " + rules + " --stage people -o " + PathOf("out.txt") + " " + input).status, 0);
  EXPECT_EQ(ReadBytes(PathOf("out.txt")), "John|_B_1900\n");
}

// A UTF-16 text (either byte order, with its byte order mark) converts
// exactly like its UTF-8 twin.
TEST_F(Convert, Utf16TextConvertsLikeItsUtf8Twin) {
  // The same two lines, the second holding U+0080, in each encoding.
  const std::string twin = std::string(QUENBY_TEST_DATA_DIR) + "/cli/twin-";
  const auto expected = Run("--sex M " + twin + "utf8.txt");
  ASSERT_EQ(expected.status, 0) << expected.err;
  EXPECT_NE(expected.out.find("1 CHAR UTF-8"), std::string::npos);  // U+0080 has no Windows-1252 byte
  EXPECT_EQ(Run("--sex M " + twin + "utf16le.txt").out, expected.out);
  EXPECT_EQ(Run("--sex M " + twin + "utf16be.txt").out, expected.out);
}

// A lone "-" line and a spouse left without partner: two problems.
constexpr std::string_view kTwoProblems = "John|_S_M\n-Peter\n&Mary\n+Tom\n";
constexpr std::string_view kTwoProblemsListed =
    "people line 2: a \"-\" line without its \"-&\" line below it\n"
    "people line 3: a spouse line with no partner\n";

// --check lists them on standard error with every stage and keeps the
// output; --strict writes nothing at all when there is a problem: no output, no file made, an existing file left as
// it was, and no sex question asked first.
TEST_F(Convert, CheckListsTheProblemsWithEveryStageAndStrictWritesNothingAndExitsWithThree) {
  const std::string input = Write("in.txt", std::string(kTwoProblems));
  const std::string existing = Write("existing.ged", "old");
  for (const std::string stage : {"people", "details", "ged"}) {
    const auto checked = Run("--check --sex F --stage " + stage + " " + input);
    EXPECT_EQ(checked.status, 0) << stage;
    EXPECT_EQ(checked.err, kTwoProblemsListed) << stage;
    EXPECT_EQ(checked.out, Run("--sex F --stage " + stage + " " + input).out) << stage;
    EXPECT_FALSE(checked.out.empty()) << stage;
    const auto strict = Run("--strict --stage " + stage + " " + input);
    EXPECT_EQ(strict.status, 3) << stage;
    EXPECT_EQ(strict.out, "") << stage;
    EXPECT_EQ(strict.err, kTwoProblemsListed) << stage;
    EXPECT_EQ(Run("--strict --stage " + stage + " -o " + existing + " " + input).status, 3);
    EXPECT_EQ(ReadBytes(existing), "old");
  }
  EXPECT_EQ(Run("--check --strict -o " + PathOf("new.ged") + " " + input).status, 3);
  EXPECT_FALSE(std::filesystem::exists(dir_ / "new.ged"));
  // Answers at hand, so that a question asked would be answered, not wait.
  const auto typed = RunAtTerminal("--strict " + input, "F\nF\nF\n");
  EXPECT_EQ(typed.status, 3) << typed.out;
  EXPECT_EQ(typed.out.find("Sex not defined"), std::string::npos);

  // --strict checks as --check does, so a sound list says nothing.
  const std::string sound = Write("sound.txt", "John|_S_M\n&Mary|_S_F\n+Tom|_S_M\n");
  const auto written = Run("--strict -o " + existing + " " + sound);
  EXPECT_EQ(written.status, 0) << written.err;
  EXPECT_EQ(written.err, "");
  EXPECT_EQ(ReadBytes(existing), Run(sound).out);
}

// --explain says what each rule of an example did without changing a byte of
// the output; a rule that matched nothing says so plainly.
TEST_F(Convert, ExplainNamesEveryRuleAndLeavesTheOutputAsItWas) {
  const std::string args = "-r " + kExamples + "register.rules --sex F " + kExamples + "register.txt";
  const auto plain = Run(args);
  const auto explained = Run("--explain " + args);
  EXPECT_EQ(explained.status, 0) << explained.err;
  EXPECT_EQ(explained.out, plain.out);
  const auto lines = SplitOn(explained.err.substr(0, explained.err.size() - 1), "\n");
  ASSERT_EQ(lines.size(), 16u) << explained.err;
  EXPECT_EQ(lines[0], "rule 1 (code 6): 0 changed, 0 made, 1 removed");
  EXPECT_EQ(lines[13], "rule 14 (code 11): 2 changed, 2 made, 0 removed");

  const std::string rules = Rules("idle.rules", {EncodeRuleItem(8, "Index", ""), EncodeRuleItem(34, "", "")});
  const auto idle = Run("--explain --stage people -r " + rules + " " + Write("in.txt", "John\nAnn\n"));
  EXPECT_EQ(idle.err, "rule 1 (code 8): did nothing\nrule 2 (code 34): 0 changed, 0 made, 0 removed, 2 moved\n");
}

// --trace leads each people-list line with the input lines it came from:
// the empty lines count, a joined line names both of its lines.
TEST_F(Convert, TraceLeadsEachPeopleLineWithItsInputLines) {
  const std::string rules = Rules("join.rules", {EncodeRuleItem(15, "   ", " "), EncodeRuleItem(11, " m. ", "&")});
  const std::string input = Write("in.txt", "Heading\n\nJohn b. 1850\r   m. Ann\r\n\nTom @X1@\n");
  const auto traced = Run("--trace --stage people -r " + rules + " " + input);
  EXPECT_EQ(traced.status, 0) << traced.err;
  EXPECT_EQ(traced.out, "1\tHeading\n3,4\tJohn b. 1850\n3,4\t&Ann\n6\tTom @X1@\n");
  EXPECT_EQ(Run("--stage people -r " + rules + " " + input).out, "Heading\nJohn b. 1850\n&Ann\nTom @X1@\n");

  const auto example = Run("--trace --stage people -r " + kExamples + "hartley.rules " + kExamples + "hartley.txt");
  EXPECT_EQ(example.out.rfind("3\tWilliam Hartley|_B_12 Mar 1820", 0), 0u) << example.out;

  for (const std::string stage : {"", "--stage ged ", "--stage details "}) {
    const auto wrong = Run("--trace " + stage + input);
    EXPECT_EQ(wrong.status, 2) << stage;
    EXPECT_NE(wrong.err.find("--trace works with --stage people only"), std::string::npos) << wrong.err;
  }
}

}  // namespace
}  // namespace quenby
