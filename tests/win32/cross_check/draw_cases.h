// The list of drawing cases that the GDI canvas (under Windows or Wine) and
// the software canvas render, for a pixel-by-pixel comparison.  Each case is
// drawn alone on a white tile.
#pragma once

#include <span>

#include "canvas.h"

namespace tovik::cross_check {

constexpr int TILE_WIDTH = 160;
constexpr int TILE_HEIGHT = 120;

enum class Expect {
    Agree,   // the pixel rules say both canvases cover the same pixels
    Differ,  // a known, stated difference (see `reason`)
    Text,    // glyphs from two rasterisers: compared and reported, not failed
};

struct DrawCase {
    const char* name;
    Expect expect;
    const char* reason;  // why they may differ; empty for Agree
    void (*draw)(Canvas& canvas);
};

std::span<const DrawCase> draw_cases();

// Paints the tile white and draws the case.
void render_case(const DrawCase& draw_case, Canvas& canvas);

}  // namespace tovik::cross_check
