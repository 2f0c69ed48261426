// The arithmetic of showing a window's picture at a whole-number scale on a
// screen of higher density: each picture pixel a square of screen pixels, so
// the picture stays sharp, and the framework's pixels, its clicks and its
// script lines stay those of a 96-DPI screen.
#pragma once

namespace tovik::win32 {

// The density at which the framework's pixels are the screen's.
constexpr unsigned BASE_DPI = 96;
// Beyond this a pixel is no longer a pixel, and a broken setting must not ask
// for windows of gigabytes.
constexpr int MAX_SCALE = 16;

// The whole number nearest to dpi / 96 (halves up, as 150 % becomes 2), at
// least 1 and at most MAX_SCALE.
constexpr int scale_for_dpi(unsigned dpi) {
    const unsigned nearest = dpi / BASE_DPI + (dpi % BASE_DPI >= BASE_DPI / 2 ? 1 : 0);
    if (nearest < 1) return 1;
    return nearest > MAX_SCALE ? MAX_SCALE : static_cast<int>(nearest);
}

// `wanted`, or the largest scale below it at which width x height fits into
// room_width x room_height; at least 1 (a screen too small for the picture
// shows it cut off rather than not at all).
constexpr int scale_to_fit(int wanted, int width, int height, int room_width, int room_height) {
    int scale = wanted;
    while (scale > 1 && (width * scale > room_width || height * scale > room_height)) --scale;
    return scale < 1 ? 1 : scale;
}

// The picture coordinate a screen coordinate falls in: every screen pixel of
// a scaled pixel is that pixel, also left of or above the picture.
constexpr int to_picture_coordinate(int screen, int scale) {
    const int quotient = screen / scale;
    return quotient * scale > screen ? quotient - 1 : quotient;
}

}  // namespace tovik::win32
