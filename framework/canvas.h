// A drawing surface with the platform's drawing operations.
//
// Coordinates are image pixels: (0, 0) is the top-left pixel, y grows
// downward.  Shapes follow the native rules: rectangles and ellipses cover
// their left and top edges but not their right and bottom ones, a line leaves
// out its end point.  Geometry is 64-bit so that any 32-bit framework value,
// offset by the origin, arrives exactly; a canvas clips every shape to the
// image once and never costs more than the pixels it covers.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace tovik {

using Colour = std::uint32_t;  // 0x00BBGGRR, the platform's colour form

constexpr Colour rgb(unsigned r, unsigned g, unsigned b) {
    return (r & 0xFFu) | ((g & 0xFFu) << 8) | ((b & 0xFFu) << 16);
}
constexpr unsigned red_of(Colour c) { return c & 0xFFu; }
constexpr unsigned green_of(Colour c) { return (c >> 8) & 0xFFu; }
constexpr unsigned blue_of(Colour c) { return (c >> 16) & 0xFFu; }
// The colour as a pixel of a canvas's rows and of the screen: 0x00RRGGBB.
constexpr std::uint32_t xrgb_of(Colour c) {
    return (red_of(c) << 16) | (green_of(c) << 8) | blue_of(c);
}

struct Point64 {
    std::int64_t x = 0, y = 0;
};

// A solid pen; width 0 and 1 are the one-pixel pen.  Wide pens are centred on
// the outline with round ends and joins.
struct Pen {
    Colour colour = 0;
    std::int64_t width = 0;
};

// A solid brush, or the null brush that leaves the inside untouched.
struct Brush {
    Colour colour = 0;
    bool null = false;
};

enum class FontFace : std::uint8_t {
    Drawing,    // the face asked for as "TOVIK-font": whatever the font matcher gives
    FixedPitch, // the stock fixed-pitch font of the text window
    Menu,       // the face of menus drawn by a backend that has no native menus
};

// `height` as the native font height: negative asks for an em height of
// -height pixels, 0 for the default size.
struct FontRequest {
    FontFace face = FontFace::Drawing;
    int height = 0;
};

struct TextMetrics {
    int height = 0;  // ascent + descent: the cell height
    int ascent = 0;
    int external_leading = 0;
};

struct Extent {
    int width = 0;
    int height = 0;
};

class Canvas {
public:
    virtual ~Canvas() = default;

    virtual int width() const = 0;
    virtual int height() const = 0;

    virtual void polygon(std::span<const Point64> points, const Pen& pen, const Brush& brush) = 0;
    virtual void rectangle(std::int64_t left, std::int64_t top, std::int64_t right,
                           std::int64_t bottom, const Pen& pen, const Brush& brush) = 0;
    virtual void ellipse(std::int64_t left, std::int64_t top, std::int64_t right,
                         std::int64_t bottom, const Pen& pen, const Brush& brush) = 0;
    virtual void line(std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1,
                      const Pen& pen) = 0;
    virtual void set_pixel(std::int64_t x, std::int64_t y, Colour colour) = 0;
    // Fills columns left..right-1 and rows top..bottom-1.
    virtual void fill_rect(int left, int top, int right, int bottom, Colour colour) = 0;
    // Moves the whole image up by `dy` rows; the rows uncovered at the bottom keep
    // their old content.
    virtual void scroll_up(int dy) = 0;

    virtual TextMetrics font_metrics(const FontRequest& font) = 0;
    // Cell extent of the text; the empty text measures (0, 0).
    virtual Extent text_extent(const FontRequest& font, std::string_view text) = 0;
    // Draws the text with the top-left of its first cell at (x, y).  A transparent
    // text touches only glyph pixels; an opaque one fills its cells with `background`.
    virtual void text_out(const FontRequest& font, std::int64_t x, std::int64_t y,
                          std::string_view text, Colour foreground, bool transparent,
                          Colour background) = 0;

    virtual Colour pixel(int x, int y) const = 0;
    // The whole image as rows of 0x00RRGGBB pixels, width() apart, with all
    // drawing finished: what a window system copies to the screen.  Null for a
    // canvas that keeps no such rows; pixel() then reads it.
    virtual const std::uint32_t* rows() const { return nullptr; }
};

}  // namespace tovik
