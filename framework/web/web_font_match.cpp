// There is no font matcher in a browser: every face is pinned to a file the
// page carries (web_entry.cpp), so a face without a file has none.
#include "canvas/font_cache.h"

namespace tovik::text {

bool match_font_file(const char*, std::string&, int&) { return false; }

void release_font_matcher() {}

}  // namespace tovik::text
