// SPDX-License-Identifier: GPL-3.0-or-later
// quenby-convert: the rule engine and the record builders on the command
// line, for scripts and for lists too large to paste. It produces the same
// people list, test variables and GEDCOM bytes as the window does.

#include <sys/stat.h>

#include <cctype>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <new>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/arguments.hpp"
#include "engine/engine.hpp"
#include "gedcom/gedcom_file.hpp"
#include "gedcom/problems.hpp"
#include "gedcom/records.hpp"
#include "gedcom/standard_export.hpp"
#include "people/person_line.hpp"
#include "rules/rule_item.hpp"
#include "rules/rules_file.hpp"
#include "text/file_io.hpp"
#include "text/text.hpp"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace quenby {
namespace {

constexpr int kExitOk = 0;
constexpr int kExitFileError = 1;
constexpr int kExitUsage = 2;
constexpr int kExitProblems = 3;

struct FileError {
  std::string message;
};

// Whether `output` names the file of `name`, `-` being standard input: the
// same file also through a symbolic or hard link.
bool IsSameFile(const std::string& name, const std::filesystem::path& output) {
  std::error_code ec;
  if (name != "-") {
    return std::filesystem::equivalent(PathFromUtf8(name), output, ec);
  }
  struct stat input {};
  struct stat written {};
  return ::fstat(0, &input) == 0 && S_ISREG(input.st_mode) && ::stat(output.c_str(), &written) == 0 &&
         input.st_dev == written.st_dev && input.st_ino == written.st_ino;
}

// An output that is the input text or the rules file would replace what the
// run reads; it is refused before anything is read or written.
void RefuseOutputOverInput(const Options& options) {
  if (options.output.empty()) {
    return;
  }
  const auto output = PathFromUtf8(options.output);
  if (IsSameFile(options.input, output)) {
    throw FileError{"cannot write " + FileMessage(options.output, "is the input text; choose another output file")};
  }
  if (!options.rulesFile.empty() && IsSameFile(options.rulesFile, output)) {
    throw FileError{"cannot write " + FileMessage(options.output, "is the rules file; choose another output file")};
  }
}

std::string ReadInputText(const std::string& name) {
  std::string error;
  std::optional<std::string> text;
  if (name == "-") {
    constexpr std::string_view kStandardInput = "standard input";
    // Standard input may be a pipe; whatever it is, it is read up to the
    // limit and no further.
    if (const auto bytes = ReadDescriptorBytes(0, kStandardInput, kTextFileLimit, error)) {
      text = DecodeNamedTextFile(*bytes, kStandardInput, error);
    }
  } else {
    text = ReadTextFile(PathFromUtf8(name), kTextFileLimit, error);
  }
  if (!text) {
    throw FileError{"cannot read input " + error};
  }
  // Pasting into the input box gives CR LF line breaks whatever the source.
  return NormaliseLineBreaks(*text);
}

std::vector<std::string> ReadRuleItems(const std::string& name) {
  if (name.empty()) {
    return {};
  }
  auto loaded = LoadRulesFile(name);
  switch (loaded.status) {
    case LoadStatus::kLoaded:
      // What was read differently from keys 1 to n of sound rules is said,
      // and the conversion goes on with every rule the file holds.
      for (const auto& note : loaded.notes) {
        std::cerr << "quenby-convert: rules file " << FileMessage(name, note) << "\n";
      }
      return std::move(loaded.items);
    case LoadStatus::kMissing:
      throw FileError{"cannot read rules \"" + name + "\": no such file"};
    case LoadStatus::kUnreadable:
      break;
  }
  throw FileError{"cannot read rules " + loaded.error};
}

// The sex question on the terminal. M or Male gives "M", F or Female "F", in
// any case, and both are stated answers. Enter alone, the end of the input or
// no terminal to ask on give the default "F", as closing the question without
// choosing "Male" does in the window. A typing slip is asked again rather
// than taken silently for the default.
SexAnswer AskOnTerminal(const std::string& name) {
#ifdef _WIN32
  constexpr const char* kTerminal = "CON";
#else
  constexpr const char* kTerminal = "/dev/tty";
#endif
  // One stream each way: a single stream that turns from writing to reading
  // without a seek may read what it wrote.
  std::ifstream keyboard(kTerminal);
  std::ofstream terminal(kTerminal);
  if (!keyboard || !terminal) {
    return {"F", false};
  }
  terminal << "Sex not defined - Please select Male or Female\n";
  for (;;) {
    terminal << name << ": M (Male) or F (Female); Enter alone for F? " << std::flush;
    std::string line;
    if (!std::getline(keyboard, line)) {
      return {"F", false};
    }
    std::string answer;
    for (const char c : line) {
      if (c != ' ' && c != '\t' && c != '\r') {
        answer += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
      }
    }
    if (answer.empty()) {
      return {"F", false};
    }
    if (answer == "m" || answer == "male") {
      return {"M"};
    }
    if (answer == "f" || answer == "female") {
      return {"F"};
    }
    terminal << "Please type M or F.\n";
  }
}

// What each rule did, one line a rule, named by its place in the list and
// its code.
void Explain(const std::vector<std::string>& rules, const std::vector<RuleEffect>& effects) {
  for (std::size_t k = 0; k < effects.size(); ++k) {
    const RuleEffect& effect = effects[k];
    std::cerr << "rule " << k + 1 << " (code " << DecodeRuleItem(rules[k]).code << "): ";
    if (effect.DidNothing()) {
      std::cerr << "did nothing\n";
      continue;
    }
    std::cerr << effect.changed << " changed, " << effect.made << " made, " << effect.removed << " removed";
    if (effect.moved > 0) {
      std::cerr << ", " << effect.moved << " moved";
    }
    std::cerr << "\n";
  }
}

// The input line numbers of a line as --trace writes them: "3,4".
std::string SourcesText(SourceLines sources) {
  std::string text;
  for (const std::uint32_t line : sources) {
    text += (text.empty() ? "" : ",") + std::to_string(line);
  }
  return text;
}

// `sources` is empty unless the people lines are traced.
std::string StageText(const Options& options, const LineList& people, const SourceTable& sources) {
  std::string out;
  switch (options.stage) {
    case Stage::kPeople:
      for (std::size_t i = 0; i < people.size(); ++i) {
        if (options.trace) {
          out += SourcesText(sources[i]);
          out += '\t';
        }
        out += people[i];
        out += '\n';
      }
      return out;
    case Stage::kDetails:
      for (const auto& line : people) {
        const auto details = ParsePersonLine(line);
        for (std::size_t k = 0; k < details.size(); ++k) {
          out += details[k];
          out += k + 1 < details.size() ? '\t' : '\n';
        }
      }
      return out;
    case Stage::kGed:
      break;
  }
  // --sex answers for everyone at once: a default, which the standard
  // exports infer from a partner or write as unknown.
  const SexQuestion ask = options.sex.empty() ? SexQuestion(AskOnTerminal) : SexQuestion([&](const std::string&) {
    return SexAnswer{options.sex, false, true};
  });
  const auto records = ProcessAll(people, ask);
  if (!options.standard) {
    return GedcomFileBytes(records.indi, records.fam);
  }
  StandardExportOptions standard{*options.standard, options.dates, GedcomDateToday(), {}, records.defaultSexIds};
  const std::size_t folderEnd = options.output.find_last_of("/\\");
  standard.fileName = options.output.substr(folderEnd == std::string::npos ? 0 : folderEnd + 1);
  auto exported = ExportStandardGedcom(records.indi, records.fam, standard);
  if (!exported.error.empty()) {
    throw FileError{exported.error};
  }
  return std::move(exported.bytes);
}

void WriteOutput(const std::string& name, const std::string& bytes) {
  if (name.empty()) {
    std::cout.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    std::cout.flush();
    if (!std::cout) {
      throw FileError{"cannot write to standard output"};
    }
    return;
  }
  std::string error;
  if (!WriteFileAtomically(PathFromUtf8(name), bytes, error)) {
    throw FileError{"cannot write " + error};
  }
}

int Run(const std::vector<std::string>& args) {
  try {
    const auto options = ParseArguments(args, std::cout);
    if (!options) {
      return kExitOk;
    }
    RefuseOutputOverInput(*options);
    const auto rules = ReadRuleItems(options->rulesFile);
    const auto input = ReadInputText(options->input);
    RunReport report;
    // Only a run asked to explain itself follows its lines.
    TracedRun run;
    if (options->explain || options->trace) {
      run = RunRulesTraced(input, rules, report);
    } else {
      run.lines = RunRules(input, rules, report);
    }
    const LineList& people = run.lines;
    for (const auto& warning : report.warnings) {
      std::cerr << "quenby-convert: " << warning << "\n";
    }
    if (!report.stopped.empty()) {
      throw FileError{report.stopped};
    }
    if (options->explain) {
      Explain(rules, run.effects);
    }
    // Checked before any sex question is asked: a stated sex is what the
    // line says, never an answer.
    if (options->check) {
      const auto problems = ProblemsOf(people);
      for (const auto& problem : problems) {
        std::cerr << ProblemText(problem) << "\n";
      }
      if (options->strict && !problems.empty()) {
        return kExitProblems;
      }
    }
    WriteOutput(options->output, StageText(*options, people, run.sources));
    return kExitOk;
  } catch (const UsageError& e) {
    std::cerr << "quenby-convert: " << e.message << "\n"
              << "Try 'quenby-convert --help' for more information.\n";
    return kExitUsage;
  } catch (const FileError& e) {
    std::cerr << "quenby-convert: " << e.message << "\n";
    return kExitFileError;
  } catch (const std::bad_alloc&) {
    std::cerr << "quenby-convert: not enough memory for this text and these rules\n";
    return kExitFileError;
  }
}

#ifndef _WIN32
// A stop signal first removes the temporary file of a save in progress, so
// that the output keeps its old content and nothing is left beside it; then
// it ends the converter as it would have without this handler, and the exit
// status shows the signal.
void StopOnSignal(int signal) {
  RemoveTemporaryFilesNow();
  ::signal(signal, SIG_DFL);
  ::raise(signal);  // delivered as this handler returns
}

void RemoveTemporaryFilesOnStop() {
  struct sigaction action {};
  action.sa_handler = StopOnSignal;
  sigemptyset(&action.sa_mask);
  for (const int signal : kStopSignals) {
    sigaddset(&action.sa_mask, signal);
  }
  for (const int signal : kStopSignals) {
    struct sigaction previous {};
    // A signal the caller ignores (SIGHUP under nohup) stays ignored.
    if (::sigaction(signal, nullptr, &previous) == 0 && previous.sa_handler != SIG_IGN) {
      ::sigaction(signal, &action, nullptr);
    }
  }
}
#endif

}  // namespace
}  // namespace quenby

int main(int argc, char** argv) {
#ifndef _WIN32
  quenby::RemoveTemporaryFilesOnStop();
#endif
#ifdef _WIN32
  // The GEDCOM bytes and the input text pass through unchanged: no CR LF
  // translation on the standard streams.
  _setmode(_fileno(stdin), _O_BINARY);
  _setmode(_fileno(stdout), _O_BINARY);
#endif
  std::ios::sync_with_stdio(false);
  return quenby::Run(std::vector<std::string>(argv + 1, argv + argc));
}
