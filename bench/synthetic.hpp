// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Synthetic input for the benchmarks: a descendant list as people paste it
// from a family-history web page, and a rule list that converts it.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace quenby::bench {

// A descendant list of exactly `lineCount` lines joined by CR LF, the same
// for the same seed. Mostly numbered person lines such as
//   "3. John SMITH b. 3.4.1852 (York) d. 1.2.1920 (Leeds) m. (London)
//    12.3.1875 Mary JONES, dau. of Tom JONES and Ann BROWN [note: farmer]"
// (one line), with "Children:" headings, blank lines, withheld entries, page
// footers and the occasional remark (" occ. ", " res. ", " bur. ", ...).
std::string SyntheticDescendantList(std::size_t lineCount, std::uint64_t seed = 1);

// Rule items that convert such a list, using every rule code at least once.
std::vector<std::string> EveryCodeRules();

}  // namespace quenby::bench
