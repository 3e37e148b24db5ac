// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the benchmarks' synthetic descendant list of N lines (CR LF) to
// standard output, so tools outside the program can work on the same text.

#include <cstdlib>
#include <iostream>

#include "synthetic.hpp"

int main(int argc, char** argv) {
  const std::size_t lines = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 100000;
  std::cout << quenby::bench::SyntheticDescendantList(lines);
  return std::cout ? 0 : 1;
}
