// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Large pages for large tables. A table of many megabytes that is filled
// once, as the lines of a long list are when they are exported, costs the
// system a page fault for every 4 KB it touches; backed by large pages it
// costs a handful. This is only advice: where the system has no such pages,
// or refuses them, nothing changes.

#include <cstddef>

namespace quenby {

// Advises the system to back the whole large pages inside the `bytes` bytes
// from `data` with large pages. The memory must belong to one allocation
// and not be in use by anything else yet.
void AdviseLargePages(void* data, std::size_t bytes);

}  // namespace quenby
