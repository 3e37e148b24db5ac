// SPDX-License-Identifier: GPL-3.0-or-later
// The converter's command line: the input is its arguments separated by NUL
// bytes. Parsing either answers (help, version), refuses with a usage error,
// or gives options that parse back to themselves when written out again.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "cli/arguments.hpp"
#include "text/text.hpp"

namespace {

using namespace quenby;

std::string StageName(Stage stage) {
  switch (stage) {
    case Stage::kPeople:
      return "people";
    case Stage::kDetails:
      return "details";
    case Stage::kGed:
      break;
  }
  return "ged";
}

// The options as a command line that means the same.
std::vector<std::string> ArgumentsOf(const Options& options) {
  std::vector<std::string> args = {"--stage", StageName(options.stage)};
  if (!options.rulesFile.empty()) {
    args.insert(args.end(), {"--rules", options.rulesFile});
  }
  if (!options.output.empty()) {
    args.insert(args.end(), {"-o", options.output});
  }
  if (!options.sex.empty()) {
    args.insert(args.end(), {"--sex", options.sex});
  }
  args.push_back(options.input);
  return args;
}

bool Same(const Options& a, const Options& b) {
  return a.rulesFile == b.rulesFile && a.input == b.input && a.output == b.output && a.stage == b.stage &&
         a.sex == b.sex;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::vector<std::string> args =
      size == 0 ? std::vector<std::string>{} : SplitOn(bytes, std::string_view("\0", 1));
  std::ostringstream answer;
  try {
    const auto options = ParseArguments(args, answer);
    if (!options) {
      if (answer.str().empty()) {
        std::abort();
      }
      return 0;
    }
    if (!answer.str().empty() || (options->sex != "" && options->sex != "M" && options->sex != "F")) {
      std::abort();
    }
    std::ostringstream none;
    const auto again = ParseArguments(ArgumentsOf(*options), none);
    if (!again || !Same(*options, *again)) {
      std::abort();
    }
  } catch (const UsageError& e) {
    if (e.message.empty() || !answer.str().empty()) {
      std::abort();
    }
  }
  return 0;
}
