// Helpers for the canvas tests: pictures of small regions as text, pixel
// sets, and the pens and brushes the renderer uses.
#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "canvas/software_canvas.h"

namespace tovik::test {

constexpr Colour WHITE = rgb(255, 255, 255);
constexpr Colour BLACK = rgb(0, 0, 0);
constexpr Colour RED = rgb(255, 0, 0);
constexpr Colour BLUE = rgb(0, 0, 255);
constexpr Colour GREEN = rgb(0, 255, 0);

// A canvas painted white.
SoftwareCanvas blank(int width = 40, int height = 30);

// Filled shape as the renderer asks for it: one-pixel pen, brush of the same colour.
inline Pen thin(Colour c = BLACK) { return {c, 0}; }
inline Pen wide(std::int64_t w, Colour c = BLACK) { return {c, w}; }
inline Brush solid(Colour c = BLACK) { return {c, false}; }
inline Brush hollow() { return {0, true}; }

// Rows y0..y1-1 of columns x0..x1-1, one character per pixel: '.' white,
// '#' black, 'o' any other colour.
std::vector<std::string> picture(const SoftwareCanvas& c, int x0, int y0, int x1, int y1);

using PixelSet = std::set<std::pair<int, int>>;  // (x, y)

// Every pixel that is not white.
PixelSet painted(const SoftwareCanvas& c);
// Pixels of one colour.
PixelSet pixels_of(const SoftwareCanvas& c, Colour colour);
// Columns x0..x1 (inclusive) on row y.
PixelSet row_run(int y, int x0, int x1);
PixelSet merge(std::initializer_list<PixelSet> sets);
// The pixels of `s` on row y.
PixelSet on_row(const PixelSet& s, int y);

std::string describe(const PixelSet& s);

// Pins the faces to the Liberation files (package fonts-liberation2) so that text
// pixels do not depend on the machine's fontconfig; false when they are missing.
bool pin_test_fonts();

}  // namespace tovik::test
