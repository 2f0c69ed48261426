// The script file as the writer and the reader share it.
#pragma once

#include <cstdio>

#include "core/framework_state.h"

namespace tovik {

// The stream on the script file open for `mode` (Writing empties the file),
// opening it if need be; nullptr, reported in the text window, if it cannot be
// opened.  A stream is only ever written or only ever read: one left open in
// the other mode is dropped first.
std::FILE* script_stream(ScriptMode mode);

// Reports a problem with the script file in the text window; `format` has one
// %s for the file's name.
void script_message(const char* format);

}  // namespace tovik
