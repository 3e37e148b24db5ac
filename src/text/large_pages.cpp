// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/large_pages.hpp"

#include <cstdint>

#ifdef __linux__
#include <sys/mman.h>
#endif

namespace quenby {

void AdviseLargePages([[maybe_unused]] void* data, [[maybe_unused]] std::size_t bytes) {
#ifdef __linux__
  // Transparent huge pages of 2 MB, the size on the machines the program
  // runs on; only whole ones inside the range are advised, so nothing
  // outside it is touched.
  constexpr std::uintptr_t kLargePage = std::uintptr_t{2} << 20;
  const auto begin = reinterpret_cast<std::uintptr_t>(data);
  const std::uintptr_t from = (begin + kLargePage - 1) & ~(kLargePage - 1);
  const std::uintptr_t to = (begin + bytes) & ~(kLargePage - 1);
  if (to > from) {
    // Advice only: a kernel without such pages refuses it and nothing changes.
    [[maybe_unused]] const int refused = ::madvise(reinterpret_cast<void*>(from), to - from, MADV_HUGEPAGE);
  }
#endif
}

}  // namespace quenby
