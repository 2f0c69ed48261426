// Loaded faces and rendered glyphs, per face and pixel size, for the whole
// process (the program draws from one thread).  Caching never changes what is
// drawn: a glyph is rendered the same way whenever it is first asked for.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "canvas.h"

namespace tovik::text {

// Where a glyph row has ink: its nonzero coverage lies in columns
// [first, last), `ink` pixels of them.
struct GlyphRow {
    int first = 0;
    int last = 0;
    int ink = 0;
};

// Coverage of one glyph in the platform's smoothing levels, 0 (none) or
// 2..raster::FULL_LEVEL per pixel (only 0 and FULL_LEVEL when it is drawn
// aliased), placed from the pen position by its bearing: columns pen + left..,
// rows baseline - top..
struct Glyph {
    int left = 0;
    int top = 0;
    int width = 0;
    int rows = 0;
    int advance = 0;  // how far drawing moves the pen, in the mode it is drawn in
    int measure = 0;  // its unhinted advance, rounded: what a text's extent adds up
    // Rows `stride` bytes apart; the columns past `width` are zero, so a row may
    // be read a few bytes beyond its ink (see GLYPH_PAD).
    int stride = 0;
    std::vector<std::uint8_t> coverage;
    std::vector<GlyphRow> row_ink;       // one per row
    std::int64_t ink = 0;                // pixels of coverage, all rows together
};

// Zero columns after each glyph row: blending may run on in steps of up to
// eight pixels without a separate tail, since zero coverage leaves a pixel as
// it is.
constexpr int GLYPH_PAD = 7;

class SizedFace;

// How a face is rasterised at one size: aliased or grey, as the face's gasp
// table asks for that size; hinted either way.
struct Rendering {
    bool grey = true;
};

// The rendering of a face at `em` pixels given its gasp flags for that size,
// or FT_GASP_NO_TABLE (-1) for a face without the table: grey at every size
// then, which is what the platform does for such a face when the font quality
// is the default and screen fonts are smoothed.
Rendering rendering_for(int gasp_flags);

// A face at one em size in pixels.
class SizedFont {
public:
    SizedFont(SizedFace& face, int em, Rendering rendering, int ascent, int descent,
              int external_leading)
        : face_(face),
          em_(em),
          rendering_(rendering),
          ascent_(ascent),
          descent_(descent),
          external_leading_(external_leading) {}

    Rendering rendering() const { return rendering_; }
    int ascent() const { return ascent_; }
    int descent() const { return descent_; }
    int external_leading() const { return external_leading_; }

    // The glyph for a Latin-1 byte (its code point is the byte's value); a
    // character the face lacks is drawn as the face's missing-glyph box.
    const Glyph& glyph(unsigned char byte);

private:
    SizedFace& face_;
    int em_;
    Rendering rendering_;
    int ascent_, descent_, external_leading_;
    std::array<std::optional<Glyph>, 256> glyphs_;
};

// The font for a request, or nullptr when the face has no usable file.
// Height < 0 asks for an em of -height pixels, > 0 for a cell of that many
// pixels, 0 for the default size.
SizedFont* find_font(const FontRequest& request);

// Path and face index that fontconfig matches for a family name; false when
// fontconfig finds nothing.
bool match_font_file(const char* family, std::string& path, int& index);
// Gives back what the matcher holds; called once, when the process ends.
void release_font_matcher();

}  // namespace tovik::text
