// The one font file every benchmark draws text from, for our canvas and the
// peer alike, so that both shape the same glyphs.
#pragma once

#include <filesystem>
#include <string>

#include "canvas/fonts.h"

namespace bench {

inline const char* const FONT_FILE = "/usr/share/fonts/truetype/liberation2/LiberationSans-Regular.ttf";

// Pins the drawing face to FONT_FILE; returns the file, or empty when it is missing.
inline std::string pin_bench_font() {
    if (!std::filesystem::exists(FONT_FILE)) return {};
    tovik::pin_font_file(tovik::FontFace::Drawing, FONT_FILE);
    return FONT_FILE;
}

}  // namespace bench
