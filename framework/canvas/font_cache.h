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

// A run of one glyph row's inked columns [x0, x1): either all at full
// coverage (`solid`, drawn as a plain fill) or all partly covered (blended).
struct InkRun {
    std::int32_t x0 = 0;
    std::int32_t x1 = 0;
    bool solid = false;
};

// Anti-aliased coverage of one glyph, 0..255 per pixel, placed from the pen
// position by its bearing: columns pen + left.., rows baseline - top..
struct Glyph {
    int left = 0;
    int top = 0;
    int width = 0;
    int rows = 0;
    int advance = 0;
    std::vector<std::uint8_t> coverage;  // rows x width
    std::vector<InkRun> runs;            // row after row, left to right
    std::vector<std::uint32_t> row_runs; // runs of row r: [row_runs[r], row_runs[r + 1])
};

class SizedFace;

// A face at one em size in pixels.
class SizedFont {
public:
    SizedFont(SizedFace& face, int em, int ascent, int descent, int external_leading)
        : face_(face), em_(em), ascent_(ascent), descent_(descent),
          external_leading_(external_leading) {}

    int ascent() const { return ascent_; }
    int descent() const { return descent_; }
    int external_leading() const { return external_leading_; }

    // The glyph for a Latin-1 byte (its code point is the byte's value); a
    // character the face lacks is drawn as the face's missing-glyph box.
    const Glyph& glyph(unsigned char byte);

private:
    SizedFace& face_;
    int em_;
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
