// Which font files the canvas draws its faces from.
//
// By default a face is what fontconfig substitutes for its name: "TOVIK-font"
// for the drawing face (no such font exists, so the matcher's choice is used,
// as the platform's font mapper would), "monospace" for the fixed-pitch face and
// "sans-serif" for menus.  Tests and golden images pin files instead, so that
// their pixels do not depend on the machine's fonts.
#pragma once

#include <string>

#include "canvas.h"

namespace tovik {

// Draws `face` from the font file at `path` from now on; an empty path gives the
// face back to fontconfig.  A file that cannot be loaded draws no text.
void pin_font_file(FontFace face, std::string path);

// The file `face` is drawn from, or empty when none can be found.
std::string font_file(FontFace face);

}  // namespace tovik
