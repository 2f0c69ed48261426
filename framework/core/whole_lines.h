// Appending lines to a file on a disc that may refuse them.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string_view>

namespace tovik {

// Writes `lines` (whole lines, each ending in '\n') at `end`, the offset where
// the last whole line on disc ends, with the system's own write calls: the
// stream's buffer is never used, so nothing half-written waits in it.  On
// success `end` moves past them and 0 is returned.  On a failed or short
// write the file is cut back to `end` and the error number is returned, so
// the file never holds a part of a line.  A file that someone else shortened
// meanwhile is first cut back to its last whole line.
int append_whole_lines(std::FILE* file, std::string_view lines, std::int64_t& end);

}  // namespace tovik
