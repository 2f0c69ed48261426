// Windows icon files (.ico): one picture in several sizes, from which the
// system picks the one for each place it shows the icon.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "png_io.h"

namespace tovik {

// The .ico file of `images`, each square, 1 to 256 pixels, opaque.  Sizes
// below 256 are stored as bitmaps, which every version of Windows reads; the
// 256-pixel one as PNG, as Windows stores its own large icons.  False, with
// the reason, for an image it cannot hold.
bool encode_ico(const std::vector<PixelImage>& images, std::vector<std::uint8_t>& file,
                std::string* error = nullptr);

}  // namespace tovik
