// The canvas drawn by GDI itself: a 32-bit top-down DIB section selected into
// a memory drawing context, so that the pixels GDI draws can be read back.
//
// Implements: every Canvas operation with the native call it stands for
// (Polygon in alternate mode, Rectangle, Ellipse, MoveToEx/LineTo, SetPixel,
// FillRect, ScrollDC, fonts with CreateFontA or the stock fixed-pitch font,
// GetTextMetricsA, GetTextExtentPointA, TextOutA); each shape creates, selects
// and releases its own pen and brush.
// Known limits: geometry far outside the image is clamped or clipped before
// GDI sees it, and pens are capped in width (gdi_geometry.h says how far and
// what that changes).  Text uses whatever face the font mapper substitutes for
// "TOVIK-font".
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>

#include "canvas.h"

namespace tovik {

class GdiCanvas final : public Canvas {
public:
    // Null when the bitmap cannot be made (a size of 0 or less, no memory).
    static std::unique_ptr<GdiCanvas> create(int width, int height);
    ~GdiCanvas() override;
    GdiCanvas(const GdiCanvas&) = delete;
    GdiCanvas& operator=(const GdiCanvas&) = delete;

    // The memory context that holds the bitmap, for copies to a window.
    HDC context() const { return dc_; }
    // Row after row of 0x00RRGGBB pixels, stride() pixels apart, with all
    // drawing so far finished.
    const std::uint32_t* data() const;
    int stride() const { return width_; }

    int width() const override { return width_; }
    int height() const override { return height_; }

    void polygon(std::span<const Point64> points, const Pen& pen, const Brush& brush) override;
    void rectangle(std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom,
                   const Pen& pen, const Brush& brush) override;
    void ellipse(std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom,
                 const Pen& pen, const Brush& brush) override;
    void line(std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1,
              const Pen& pen) override;
    void set_pixel(std::int64_t x, std::int64_t y, Colour colour) override;
    void fill_rect(int left, int top, int right, int bottom, Colour colour) override;
    void scroll_up(int dy) override;

    TextMetrics font_metrics(const FontRequest& font) override;
    Extent text_extent(const FontRequest& font, std::string_view text) override;
    void text_out(const FontRequest& font, std::int64_t x, std::int64_t y, std::string_view text,
                  Colour foreground, bool transparent, Colour background) override;

    Colour pixel(int x, int y) const override;
    const std::uint32_t* rows() const override { return data(); }

private:
    GdiCanvas(int width, int height, HDC dc, HBITMAP bitmap, HGDIOBJ old_bitmap,
              std::uint32_t* bits);

    int width_;
    int height_;
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ old_bitmap_;
    std::uint32_t* bits_;
};

}  // namespace tovik
