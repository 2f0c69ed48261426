// Opening a file that must be an ordinary file on disc.
#pragma once

#include <cstdio>

namespace tovik {

enum class OpenResult : unsigned char { Opened, Failed, NotRegular };

// Opens `name` in text mode for reading, or for writing (emptying it), as
// fopen's "r" and "w" do, but only if it is a regular file: a FIFO, a device,
// a socket or a directory is refused without waiting on it, since reading or
// writing one can block for ever.  The type is checked on the opened file
// itself, so nothing can be swapped in between.
OpenResult open_regular_file(const char* name, bool for_writing, std::FILE*& out);

}  // namespace tovik
