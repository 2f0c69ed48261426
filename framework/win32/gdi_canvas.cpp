// The GDI canvas: its bitmap, shapes, pixels, fills and scrolling (text is in
// gdi_text.cpp).
//
// Implements: CreateDIBSection (32-bit, top-down) in a CreateCompatibleDC
// context; per shape CreatePen(PS_SOLID), CreateSolidBrush or the stock
// NULL_BRUSH, SelectObject and DeleteObject; Polygon (ALTERNATE), Rectangle,
// Ellipse, MoveToEx/LineTo, SetPixel, FillRect, ScrollDC.
// Known limits: see gdi_geometry.h for geometry far outside the image.
#include "win32/gdi_canvas.h"

#include <algorithm>
#include <vector>

#include "win32/gdi_geometry.h"
#include "win32/gdi_objects.h"

namespace tovik {

namespace {

HGDIOBJ make_brush(const Brush& brush) {
    return brush.null ? nullptr : CreateSolidBrush(brush.colour);
}

// The pen and brush of one shape, selected for its lifetime.
class ShapeTools {
public:
    ShapeTools(HDC dc, const Pen& pen, const Brush& brush)
        : pen_(CreatePen(PS_SOLID, gdi::pen_width(pen.width), pen.colour)),
          brush_(make_brush(brush)),
          pen_selection_(dc, pen_.get()),
          brush_selection_(dc, brush.null ? GetStockObject(NULL_BRUSH) : brush_.get()) {}

private:
    gdi::Owned pen_;
    gdi::Owned brush_;
    gdi::Selection pen_selection_;
    gdi::Selection brush_selection_;
};

std::vector<POINT> to_points(const std::vector<Point64>& points) {
    std::vector<POINT> result;
    result.reserve(points.size());
    for (const Point64& p : points) {
        result.push_back({static_cast<LONG>(p.x), static_cast<LONG>(p.y)});
    }
    return result;
}

}  // namespace

std::unique_ptr<GdiCanvas> GdiCanvas::create(int width, int height) {
    if (width <= 0 || height <= 0) return nullptr;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down: row 0 first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;

    HDC dc = CreateCompatibleDC(nullptr);  // compatible with the screen
    if (dc == nullptr) return nullptr;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap == nullptr || bits == nullptr) {
        if (bitmap != nullptr) DeleteObject(bitmap);
        DeleteDC(dc);
        return nullptr;
    }
    HGDIOBJ old_bitmap = SelectObject(dc, bitmap);
    SetPolyFillMode(dc, ALTERNATE);
    return std::unique_ptr<GdiCanvas>(
        new GdiCanvas(width, height, dc, bitmap, old_bitmap, static_cast<std::uint32_t*>(bits)));
}

GdiCanvas::GdiCanvas(int width, int height, HDC dc, HBITMAP bitmap, HGDIOBJ old_bitmap,
                     std::uint32_t* bits)
    : width_(width), height_(height), dc_(dc), bitmap_(bitmap), old_bitmap_(old_bitmap),
      bits_(bits) {}

GdiCanvas::~GdiCanvas() {
    SelectObject(dc_, old_bitmap_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
}

const std::uint32_t* GdiCanvas::data() const {
    GdiFlush();  // GDI may batch calls; the bits are only current after a flush
    return bits_;
}

void GdiCanvas::polygon(std::span<const Point64> points, const Pen& pen, const Brush& brush) {
    const std::vector<POINT> native =
        to_points(gdi::clip_polygon(points, gdi::drawing_box(width_, height_)));
    if (native.size() < 2) return;
    ShapeTools tools(dc_, pen, brush);
    Polygon(dc_, native.data(), static_cast<int>(native.size()));
}

void GdiCanvas::rectangle(std::int64_t left, std::int64_t top, std::int64_t right,
                          std::int64_t bottom, const Pen& pen, const Brush& brush) {
    // Clamping moves only edges that lie far outside the image, with their pen.
    const gdi::Box box = gdi::drawing_box(width_, height_);
    ShapeTools tools(dc_, pen, brush);
    Rectangle(dc_, gdi::clamp_to_int(left, box.left, box.right),
              gdi::clamp_to_int(top, box.top, box.bottom),
              gdi::clamp_to_int(right, box.left, box.right),
              gdi::clamp_to_int(bottom, box.top, box.bottom));
}

void GdiCanvas::ellipse(std::int64_t left, std::int64_t top, std::int64_t right,
                        std::int64_t bottom, const Pen& pen, const Brush& brush) {
    const gdi::Box box = gdi::drawing_box(width_, height_);
    ShapeTools tools(dc_, pen, brush);
    Ellipse(dc_, gdi::clamp_to_int(left, box.left, box.right),
            gdi::clamp_to_int(top, box.top, box.bottom),
            gdi::clamp_to_int(right, box.left, box.right),
            gdi::clamp_to_int(bottom, box.top, box.bottom));
}

void GdiCanvas::line(std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1,
                     const Pen& pen) {
    Point64 from{x0, y0};
    Point64 to{x1, y1};
    if (!gdi::clip_segment(from, to, gdi::drawing_box(width_, height_))) return;
    gdi::Owned native_pen(CreatePen(PS_SOLID, gdi::pen_width(pen.width), pen.colour));
    gdi::Selection selection(dc_, native_pen.get());
    MoveToEx(dc_, static_cast<int>(from.x), static_cast<int>(from.y), nullptr);
    LineTo(dc_, static_cast<int>(to.x), static_cast<int>(to.y));
}

void GdiCanvas::set_pixel(std::int64_t x, std::int64_t y, Colour colour) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    SetPixel(dc_, static_cast<int>(x), static_cast<int>(y), colour);
}

void GdiCanvas::fill_rect(int left, int top, int right, int bottom, Colour colour) {
    const RECT rect{std::max(left, 0), std::max(top, 0), std::min(right, width_),
                    std::min(bottom, height_)};
    if (rect.left >= rect.right || rect.top >= rect.bottom) return;
    gdi::Owned brush(CreateSolidBrush(colour));
    FillRect(dc_, &rect, static_cast<HBRUSH>(brush.get()));
}

void GdiCanvas::scroll_up(int dy) {
    if (dy <= 0 || dy >= height_) return;  // nothing would stay in view
    ScrollDC(dc_, 0, -dy, nullptr, nullptr, nullptr, nullptr);
}

Colour GdiCanvas::pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
    const std::uint32_t p =
        data()[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
               static_cast<std::size_t>(x)];
    return rgb((p >> 16) & 0xFFu, (p >> 8) & 0xFFu, p & 0xFFu);
}

}  // namespace tovik
