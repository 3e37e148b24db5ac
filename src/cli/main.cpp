// SPDX-License-Identifier: GPL-3.0-or-later
// quenby-convert: the rule engine and the record builders on the command
// line, for scripts and for lists too large to paste. It produces the same
// people list, test variables and GEDCOM bytes as the window does.

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/engine.hpp"
#include "gedcom/gedcom_file.hpp"
#include "gedcom/records.hpp"
#include "gedcom/standard_export.hpp"
#include "people/person_line.hpp"
#include "quenby/version.hpp"
#include "rules/rules_file.hpp"
#include "text/encoding.hpp"
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

constexpr std::string_view kUsage =
    "Usage: quenby-convert [-r RULES.rules] [--stage people|details|ged] [--sex M|F]\n"
    "                      [--format classic|5.5.1|7.0] [--dates dmy|mdy] [-o OUT] INPUT|-\n"
    "\n"
    "Runs the rules of RULES.rules over the text of INPUT (\"-\" reads standard input)\n"
    "and writes one of three stages:\n"
    "  people    the people list, one person line per line\n"
    "  details   per person line, its ten test variables separated by TAB\n"
    "  ged       the GEDCOM file, as \"Save generated file\" writes it after\n"
    "            \"Process all\" (the default)\n"
    "\n"
    "Options:\n"
    "  -r, --rules FILE   the rules file (without it the text's lines are the people list)\n"
    "  --stage STAGE      people, details or ged\n"
    "  --sex M|F          the answer for every person without a sex; without it the\n"
    "                     question is asked on the terminal, and F is taken when there\n"
    "                     is none\n"
    "  --format FORMAT    the GEDCOM file of the ged stage: classic (the default,\n"
    "                     as \"Save generated file\" writes it), 5.5.1 (standard\n"
    "                     GEDCOM 5.5.1) or 7.0 (GEDCOM 7.0)\n"
    "  --dates ORDER      how 5.5.1 and 7.0 read numeric dates such as 3/5/1845:\n"
    "                     dmy (day first, the default) or mdy (month first)\n"
    "  -o, --output FILE  write to FILE instead of standard output\n"
    "  -h, --help         show this text\n"
    "  --version          show the version\n"
    "\n"
    "Exit status: 0 done, 1 a file could not be read or written, 2 wrong usage.\n";

enum class Stage { kPeople, kDetails, kGed };

struct Options {
  std::string rulesFile;
  std::string input;
  std::string output;
  Stage stage = Stage::kGed;
  std::string sex;  // "M", "F" or empty (ask)
  // The standard GEDCOM file of --format; empty for the classic file.
  std::optional<GedcomVersion> standard;
  DateOrder dates = DateOrder::kDayFirst;
};

struct UsageError {
  std::string message;
};

std::optional<Stage> StageNamed(std::string_view name) {
  if (name == "people") return Stage::kPeople;
  if (name == "details") return Stage::kDetails;
  if (name == "ged") return Stage::kGed;
  return std::nullopt;
}

// Parses the arguments; returns nothing after --help or --version, which
// are answered here.
std::optional<Options> ParseArguments(const std::vector<std::string>& args) {
  Options options;
  bool haveInput = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const auto value = [&]() -> const std::string& {
      if (i + 1 >= args.size()) {
        throw UsageError{"option " + arg + " needs a value"};
      }
      return args[++i];
    };
    if (arg == "-h" || arg == "--help") {
      std::cout << kUsage;
      return std::nullopt;
    }
    if (arg == "--version") {
      std::cout << "quenby-convert " << kVersionText << "\n";
      return std::nullopt;
    }
    if (arg == "-r" || arg == "--rules") {
      options.rulesFile = value();
    } else if (arg == "-o" || arg == "--output") {
      options.output = value();
    } else if (arg == "--stage") {
      const auto stage = StageNamed(value());
      if (!stage) {
        throw UsageError{"unknown stage \"" + args[i] + "\" (people, details or ged)"};
      }
      options.stage = *stage;
    } else if (arg == "--sex") {
      options.sex = value();
      if (options.sex != "M" && options.sex != "F") {
        throw UsageError{"--sex takes M or F, not \"" + options.sex + "\""};
      }
    } else if (arg == "--format") {
      const std::string& format = value();
      if (format != "classic" && format != "5.5.1" && format != "7.0") {
        throw UsageError{"--format takes classic, 5.5.1 or 7.0, not \"" + format + "\""};
      }
      options.standard = format == "classic" ? std::nullopt
                         : format == "5.5.1" ? std::optional(GedcomVersion::k551)
                                             : std::optional(GedcomVersion::k70);
    } else if (arg == "--dates") {
      const std::string& order = value();
      if (order != "dmy" && order != "mdy") {
        throw UsageError{"--dates takes dmy or mdy, not \"" + order + "\""};
      }
      options.dates = order == "dmy" ? DateOrder::kDayFirst : DateOrder::kMonthFirst;
    } else if (arg.size() > 1 && arg[0] == '-') {
      throw UsageError{"unknown option " + arg};
    } else if (haveInput) {
      throw UsageError{"more than one input: \"" + options.input + "\" and \"" + arg + "\""};
    } else {
      options.input = arg;
      haveInput = true;
    }
  }
  if (!haveInput) {
    throw UsageError{"no input file given (use - for standard input)"};
  }
  return options;
}

struct FileError {
  std::string message;
};

std::string ReadInputText(const std::string& name) {
  std::string bytes;
  if (name == "-") {
    bytes.assign(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
  } else {
    std::string error;
    auto read = ReadFileBytes(PathFromUtf8(name), error);
    if (!read) {
      throw FileError{"cannot read input " + error};
    }
    bytes = std::move(*read);
  }
  // Pasting into the input box gives CR LF line breaks whatever the source.
  return NormaliseLineBreaks(DecodeTextFile(bytes));
}

std::vector<std::string> ReadRuleItems(const std::string& name) {
  if (name.empty()) {
    return {};
  }
  auto loaded = LoadRulesFile(name);
  switch (loaded.status) {
    case LoadStatus::kLoaded:
      return std::move(loaded.items);
    case LoadStatus::kMissing:
      throw FileError{"cannot read rules \"" + name + "\": no such file"};
    case LoadStatus::kUnreadable:
      break;
  }
  throw FileError{"cannot read rules " + loaded.error};
}

// The sex question on the terminal; F when there is no terminal to ask, as
// closing the question without choosing "Male" gives in the window. Only M
// or F typed at the terminal is a stated answer.
SexAnswer AskOnTerminal(const std::string& name) {
#ifdef _WIN32
  constexpr const char* kTerminal = "CON";
#else
  constexpr const char* kTerminal = "/dev/tty";
#endif
  std::fstream terminal(kTerminal, std::ios::in | std::ios::out);
  if (!terminal) {
    return {"F", false};
  }
  terminal << "Sex not defined - Please select Male or Female\n" << name << ": M (Male) or F (Female)? " << std::flush;
  std::string answer;
  std::getline(terminal, answer);
  const auto trimmed = Trim(answer);
  if (trimmed == "M" || trimmed == "m" || trimmed == "Male" || trimmed == "male") {
    return {"M"};
  }
  return {"F", trimmed == "F" || trimmed == "f" || trimmed == "Female" || trimmed == "female"};
}

std::string StageText(const Options& options, const LineList& people) {
  std::string out;
  switch (options.stage) {
    case Stage::kPeople:
      for (const auto& line : people) {
        out += line;
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
  const SexQuestion ask = options.sex.empty() ? SexQuestion(AskOnTerminal)
                                              : SexQuestion([&](const std::string&) { return SexAnswer{options.sex}; });
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
    const auto options = ParseArguments(args);
    if (!options) {
      return kExitOk;
    }
    const auto rules = ReadRuleItems(options->rulesFile);
    const auto input = ReadInputText(options->input);
    RunReport report;
    const LineList people = RunRules(input, rules, report);
    for (const auto& warning : report.warnings) {
      std::cerr << "quenby-convert: " << warning << "\n";
    }
    WriteOutput(options->output, StageText(*options, people));
    return kExitOk;
  } catch (const UsageError& e) {
    std::cerr << "quenby-convert: " << e.message << "\n"
              << "Try 'quenby-convert --help' for more information.\n";
    return kExitUsage;
  } catch (const FileError& e) {
    std::cerr << "quenby-convert: " << e.message << "\n";
    return kExitFileError;
  }
}

}  // namespace
}  // namespace quenby

int main(int argc, char** argv) {
#ifdef _WIN32
  // The GEDCOM bytes and the input text pass through unchanged: no CR LF
  // translation on the standard streams.
  _setmode(_fileno(stdin), _O_BINARY);
  _setmode(_fileno(stdout), _O_BINARY);
#endif
  std::ios::sync_with_stdio(false);
  return quenby::Run(std::vector<std::string>(argv + 1, argv + argc));
}
