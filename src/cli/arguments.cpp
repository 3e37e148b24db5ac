// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/arguments.hpp"

#include "quenby/version.hpp"

namespace quenby {
namespace {

constexpr std::string_view kUsage =
    "Usage: quenby-convert [-r RULES.rules] [--stage people|details|ged] [--sex M|F]\n"
    "                      [--format classic|5.5.1|7.0] [--dates dmy|mdy] [--check | --strict]\n"
    "                      [--explain] [--trace] [-o OUT] INPUT|-\n"
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
    "  --check            list the problems of the people list on standard error, one\n"
    "                     a line as \"people line N: message\": a person with no name,\n"
    "                     a spouse line with no partner or one of another generation,\n"
    "                     a \"-\" line without its \"-&\" line, a jump of generations,\n"
    "                     and dates or sexes within a family that cannot all be right\n"
    "  --strict           as --check, and when there is a problem write nothing and\n"
    "                     exit with 3\n"
    "  --explain          say on standard error what each rule did, one line a rule:\n"
    "                     \"rule K (code C): N changed, N made, N removed\" (and\n"
    "                     \", N moved\" when it moved lines), or \"did nothing\"\n"
    "  --trace            with --stage people: start each line with the numbers of\n"
    "                     the input lines it came from (\"3,4\") and a TAB\n"
    "  -o, --output FILE  write to FILE instead of standard output\n"
    "  -h, --help         show this text\n"
    "  --version          show the version\n"
    "\n"
    "Exit status: 0 done, 1 a file could not be read or written or the run was\n"
    "stopped (the message says why), 2 wrong usage, 3 --strict found a problem\n"
    "(nothing was written).\n";

std::optional<Stage> StageNamed(std::string_view name) {
  if (name == "people") return Stage::kPeople;
  if (name == "details") return Stage::kDetails;
  if (name == "ged") return Stage::kGed;
  return std::nullopt;
}

}  // namespace

std::optional<Options> ParseArguments(const std::vector<std::string>& args, std::ostream& out) {
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
      out << kUsage;
      return std::nullopt;
    }
    if (arg == "--version") {
      out << "quenby-convert " << kVersionText << "\n";
      return std::nullopt;
    }
    // An empty name would quietly mean no rules or standard output.
    const auto fileName = [&]() -> const std::string& {
      const std::string& name = value();
      if (name.empty()) {
        throw UsageError{"option " + arg + " needs a file name, not an empty one"};
      }
      return name;
    };
    if (arg == "-r" || arg == "--rules") {
      options.rulesFile = fileName();
    } else if (arg == "-o" || arg == "--output") {
      options.output = fileName();
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
    } else if (arg == "--check") {
      options.check = true;
    } else if (arg == "--strict") {
      options.check = true;
      options.strict = true;
    } else if (arg == "--explain") {
      options.explain = true;
    } else if (arg == "--trace") {
      options.trace = true;
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
  // Only the people list is written line for line as the rules left it.
  if (options.trace && options.stage != Stage::kPeople) {
    throw UsageError{"--trace works with --stage people only"};
  }
  return options;
}

}  // namespace quenby
