// The GDI canvas's text: fonts, metrics, extents and drawing.
//
// Implements: CreateFontA with the drawing face "TOVIK-font" (normal weight,
// ANSI character set, default precisions, quality and pitch), created and
// released per call; the stock ANSI_FIXED_FONT for the fixed-pitch face and
// DEFAULT_GUI_FONT for menus; GetTextMetricsA, GetTextExtentPointA,
// SetTextColor, GetBkMode/SetBkMode and SetBkColor saved and restored around
// TextOutA.
// Known limits: the face is whatever the font mapper substitutes; anchors are
// clamped to +-2^27, beyond the reach of any text; a text longer than INT_MAX
// characters is cut there.
#include <climits>

#include "win32/gdi_canvas.h"
#include "win32/gdi_geometry.h"
#include "win32/gdi_objects.h"

namespace tovik {

namespace {

constexpr const char* DRAWING_FACE = "TOVIK-font";

HGDIOBJ create_font(const FontRequest& font) {
    if (font.face != FontFace::Drawing) return nullptr;
    return CreateFontA(font.height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_DONTCARE, DRAWING_FACE);
}

HGDIOBJ stock_font(FontFace face) {
    switch (face) {
    case FontFace::FixedPitch: return GetStockObject(ANSI_FIXED_FONT);
    case FontFace::Menu: return GetStockObject(DEFAULT_GUI_FONT);
    case FontFace::Drawing: break;
    }
    return nullptr;
}

// The requested font, selected for the lifetime of the object.
class FontScope {
public:
    FontScope(HDC dc, const FontRequest& font)
        : created_(create_font(font)),
          selection_(dc, created_.get() != nullptr ? created_.get() : stock_font(font.face)) {}

private:
    gdi::Owned created_;
    gdi::Selection selection_;
};

int character_count(std::string_view text) {
    return text.size() > static_cast<std::size_t>(INT_MAX) ? INT_MAX : static_cast<int>(text.size());
}

}  // namespace

TextMetrics GdiCanvas::font_metrics(const FontRequest& font) {
    FontScope scope(dc_, font);
    TEXTMETRICA metrics{};
    if (!GetTextMetricsA(dc_, &metrics)) return {};
    return {static_cast<int>(metrics.tmHeight), static_cast<int>(metrics.tmAscent),
            static_cast<int>(metrics.tmExternalLeading)};
}

Extent GdiCanvas::text_extent(const FontRequest& font, std::string_view text) {
    FontScope scope(dc_, font);
    SIZE size{};
    if (!GetTextExtentPointA(dc_, text.data(), character_count(text), &size)) return {};
    return {static_cast<int>(size.cx), static_cast<int>(size.cy)};
}

void GdiCanvas::text_out(const FontRequest& font, std::int64_t x, std::int64_t y,
                         std::string_view text, Colour foreground, bool transparent,
                         Colour background) {
    if (text.empty()) return;
    FontScope scope(dc_, font);
    SetTextColor(dc_, foreground);
    const int saved_mode = GetBkMode(dc_);
    const COLORREF saved_background = GetBkColor(dc_);
    SetBkMode(dc_, transparent ? TRANSPARENT : OPAQUE);
    if (!transparent) SetBkColor(dc_, background);
    TextOutA(dc_, gdi::clamp_to_int(x, -gdi::TEXT_LIMIT, gdi::TEXT_LIMIT),
             gdi::clamp_to_int(y, -gdi::TEXT_LIMIT, gdi::TEXT_LIMIT), text.data(),
             character_count(text));
    SetBkColor(dc_, saved_background);
    SetBkMode(dc_, saved_mode);
}

}  // namespace tovik
