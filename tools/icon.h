// The program's icon: a monkey on the night sky, drawn by the framework with
// the game's own figures, so that the icon is the game's picture.
#pragma once

#include "png_io.h"

namespace tovik {

// Side of the square that the picture fills, in framework pixels.
constexpr int ICON_PICTURE_SIZE = 64;

// The picture drawn on a fake platform: ICON_PICTURE_SIZE pixels square,
// centred on the framework's origin.  Leaves no platform set.
PixelImage render_icon_picture();

// `source` (square) scaled to `size` pixels square: each new pixel is the mean
// of the source area it covers, weighted by how much of each pixel it covers.
PixelImage resample_square(const PixelImage& source, int size);

// An icon size given on a command line: a whole number from 1 to `largest`
// and nothing else; 0 when `text` is not one.
int icon_size(const char* text, int largest);

}  // namespace tovik
