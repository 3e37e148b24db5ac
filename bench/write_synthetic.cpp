// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the benchmarks' synthetic descendant list of N lines (CR LF) to
// standard output, so tools outside the program can work on the same text;
// given a file name as well, writes the rules that convert it there.
//   Usage: write_synthetic [LINES] [RULES_FILE]

#include <cstdlib>
#include <iostream>
#include <string>

#include "rules/rules_file.hpp"
#include "synthetic.hpp"

int main(int argc, char** argv) {
  const std::size_t lines = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 100000;
  if (argc > 2) {
    std::string error;
    if (!quenby::SaveRulesFile(argv[2], quenby::bench::EveryCodeRules(), error)) {
      std::cerr << "write_synthetic: " << error << "\n";
      return 1;
    }
  }
  std::cout << quenby::bench::SyntheticDescendantList(lines);
  return std::cout ? 0 : 1;
}
