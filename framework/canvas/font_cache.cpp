#include "canvas/font_cache.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_GASP_H
#include FT_OUTLINE_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <utility>

#include "canvas/fonts.h"
#include "canvas/glyph_shades.h"

namespace tovik::text {

namespace {

constexpr int FACE_COUNT = 3;
// The platform's default font has an em of about 12 pixels (a 15-16 pixel cell).
constexpr int DEFAULT_EM = 12;
// Sizes beyond this are drawn at this size: a glyph bitmap grows with the
// square of the em, and nothing the framework draws comes near it.
constexpr int MAX_EM = 1024;
// Rendered glyphs are dropped all at once when they take more than this.
constexpr std::size_t CACHE_BUDGET = std::size_t{64} << 20;

const char* family_of(FontFace face) {
    switch (face) {
    case FontFace::FixedPitch:
        return "monospace";
    case FontFace::Menu:
        return "sans-serif";
    case FontFace::Drawing:
        break;
    }
    return "TOVIK-font";
}

// Design units scaled to pixels at `em` and rounded, as the platform rounds a
// face's ascent and descent.
int scaled(long units, int em, int units_per_em) {
    return static_cast<int>(std::lround(static_cast<double>(units) * em / units_per_em));
}

// The platform smooths text in 17 levels, from an 8-bit coverage c level
// c * 17 / 256; the faintest level draws nothing, so it is stored as none.
std::uint8_t smoothed(std::uint8_t coverage) {
    const auto level = static_cast<std::uint8_t>((coverage * 17u) >> 8);
    return level == 1 ? 0 : level;
}

int round_26_6(FT_Pos v) { return static_cast<int>((v + 32) >> 6); }
int round_16_16(FT_Fixed v) { return static_cast<int>((v + 0x8000) >> 16); }

// The face's cell above and below the baseline in design units: the Windows
// ascent and descent of its OS/2 table where it has one (what the platform
// measures a cell by), else the horizontal header's.
struct Cell {
    long ascent = 0;
    long descent = 0;
};

Cell cell_of(FT_Face face) {
    const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    if (os2 != nullptr && os2->version != 0xFFFF && os2->usWinAscent + os2->usWinDescent > 0) {
        return {os2->usWinAscent, os2->usWinDescent};
    }
    return {face->ascender, -static_cast<long>(face->descender)};
}

}  // namespace

Rendering rendering_for(int gasp_flags) {
    if (gasp_flags == FT_GASP_NO_TABLE) return {};
    return {(gasp_flags & FT_GASP_DO_GRAY) != 0};
}

// One face: its file, the loaded FreeType face and its sizes.
class SizedFace {
public:
    SizedFace(FT_Library library, FontFace which, std::size_t& cached_bytes)
        : library_(library), which_(which), cached_bytes_(cached_bytes) {}
    SizedFace(const SizedFace&) = delete;
    SizedFace& operator=(const SizedFace&) = delete;
    ~SizedFace() { close(); }

    void pin(std::string path) {
        close();
        pinned_ = std::move(path);
        resolved_ = false;
    }

    const std::string& path() {
        resolve();
        return path_;
    }

    SizedFont* font(int height) {
        if (!open()) return nullptr;
        const int em = em_for(height);
        auto it = sizes_.find(em);
        if (it != sizes_.end()) return it->second.get();
        if (!set_size(em)) return nullptr;
        // Unhinted metrics, each rounded on its own; the leading is the line gap
        // the horizontal header asks for beyond the cell.
        const Cell cell = cell_of(face_);
        const int upem = face_->units_per_EM;
        const int ascent = scaled(cell.ascent, em, upem);
        const int descent = scaled(cell.descent, em, upem);
        const long gap = static_cast<long>(face_->height) - (cell.ascent + cell.descent);
        const int leading = std::max(0, scaled(gap, em, upem));
        const Rendering rendering = rendering_for(FT_Get_Gasp(face_, static_cast<FT_UInt>(em)));
        auto font =
            std::make_unique<SizedFont>(*this, em, rendering, ascent, descent, leading);
        return sizes_.emplace(em, std::move(font)).first->second.get();
    }

    Glyph render(int em, Rendering rendering, unsigned char byte) {
        Glyph g;
        if (!set_size(em)) return g;
        const FT_UInt index = FT_Get_Char_Index(face_, byte);  // 0: the missing-glyph box
        // Hinted at every size: the platform hints even where the table does
        // not ask for grid-fitting.
        const FT_Int32 load = rendering.grey ? FT_LOAD_TARGET_NORMAL : FT_LOAD_TARGET_MONO;
        if (FT_Load_Glyph(face_, index, load) != 0) return g;
        FT_GlyphSlot slot = face_->glyph;
        g.advance = round_26_6(slot->advance.x);
        g.measure = round_16_16(slot->linearHoriAdvance);
        FT_Bitmap b{};
        std::vector<unsigned char> bits;
        if (!rendering.grey && slot->format == FT_GLYPH_FORMAT_OUTLINE) {
            if (!rasterise_aliased(slot, b, bits, g.left, g.top)) return g;
        } else {
            if (FT_Render_Glyph(slot, rendering.grey ? FT_RENDER_MODE_NORMAL
                                                     : FT_RENDER_MODE_MONO) != 0) {
                return g;
            }
            b = slot->bitmap;
            g.left = slot->bitmap_left;
            g.top = slot->bitmap_top;
        }
        const bool mono = b.pixel_mode == FT_PIXEL_MODE_MONO;
        if ((!mono && b.pixel_mode != FT_PIXEL_MODE_GRAY) || b.rows == 0 || b.width == 0) return g;
        g.width = static_cast<int>(b.width);
        g.rows = static_cast<int>(b.rows);
        g.stride = g.width + GLYPH_PAD;
        g.coverage.assign(static_cast<std::size_t>(g.stride) * static_cast<std::size_t>(g.rows), 0);
        g.row_ink.resize(static_cast<std::size_t>(g.rows));
        for (int row = 0; row < g.rows; ++row) {
            const unsigned char* src = b.buffer + static_cast<std::ptrdiff_t>(row) * b.pitch;
            std::uint8_t* dst = g.coverage.data() + static_cast<std::ptrdiff_t>(row) * g.stride;
            for (int x = 0; x < g.width; ++x) {
                // An aliased bitmap has a bit a pixel, the leftmost in the top bit.
                dst[x] = mono ? (((src[x >> 3] >> (7 - (x & 7))) & 1) != 0 ? raster::FULL_LEVEL
                                                                            : std::uint8_t{0})
                              : smoothed(src[x]);
            }
            GlyphRow& r = g.row_ink[static_cast<std::size_t>(row)];
            for (int x = 0; x < g.width; ++x) {
                if (dst[x] == 0) continue;
                if (r.ink++ == 0) r.first = x;
                r.last = x + 1;
            }
            g.ink += r.ink;
        }
        cached_bytes_ += g.coverage.size() + g.row_ink.size() * sizeof(GlyphRow) + sizeof(Glyph);
        return g;
    }

    void drop_sizes() { sizes_.clear(); }

private:
    // An aliased glyph as the platform rasterises it: the hinted outline in the
    // box of whole pixels its hinted metrics give.  FreeType's own rendering
    // rounds that box inwards first, and where a stem or a diagonal is thinner
    // than a pixel (9 and 10 pixels) the drop-out rule then keeps another
    // pixel of it, a column away from the platform's.
    bool rasterise_aliased(FT_GlyphSlot slot, FT_Bitmap& b, std::vector<unsigned char>& bits,
                           int& left, int& top) {
        const FT_Glyph_Metrics& m = slot->metrics;
        const FT_Pos x0 = m.horiBearingX & -64, x1 = (m.horiBearingX + m.width + 63) & -64;
        const FT_Pos y1 = (m.horiBearingY + 63) & -64, y0 = (m.horiBearingY - m.height) & -64;
        b.width = static_cast<unsigned>((x1 - x0) >> 6);
        b.rows = static_cast<unsigned>((y1 - y0) >> 6);
        b.pitch = static_cast<int>((b.width + 7) / 8);
        b.pixel_mode = FT_PIXEL_MODE_MONO;
        b.num_grays = 2;
        bits.assign(static_cast<std::size_t>(b.pitch) * b.rows, 0);
        b.buffer = bits.data();
        left = static_cast<int>(x0 >> 6);
        top = static_cast<int>(y1 >> 6);
        if (b.rows == 0 || b.width == 0) return true;
        FT_Outline_Translate(&slot->outline, -x0, -y0);
        return FT_Outline_Get_Bitmap(library_, &slot->outline, &b) == 0;
    }

    void resolve() {
        if (resolved_) return;
        resolved_ = true;
        index_ = 0;
        path_ = pinned_;
        if (path_.empty() && !match_font_file(family_of(which_), path_, index_)) path_.clear();
    }

    bool open() {
        if (face_ != nullptr) return true;
        resolve();
        if (failed_) return false;
        if (path_.empty() || FT_New_Face(library_, path_.c_str(), index_, &face_) != 0 ||
            !FT_IS_SCALABLE(face_)) {
            if (face_ != nullptr) FT_Done_Face(face_);
            face_ = nullptr;
            failed_ = true;
            std::fprintf(stderr,
                         "tovik: no usable font for \"%s\"%s%s; its text is not drawn "
                         "(the package fonts-liberation2 provides one)\n",
                         family_of(which_), path_.empty() ? "" : " in ", path_.c_str());
            return false;
        }
        FT_Select_Charmap(face_, FT_ENCODING_UNICODE);
        return true;
    }

    void close() {
        sizes_.clear();
        if (face_ != nullptr) FT_Done_Face(face_);
        face_ = nullptr;
        failed_ = false;
        current_em_ = 0;
    }

    int em_for(int height) const {
        long long em = DEFAULT_EM;
        if (height < 0) {
            em = -static_cast<long long>(height);
        } else if (height > 0) {
            // A positive height asks for the cell: ascent plus descent.
            const Cell c = cell_of(face_);
            const long long cell = static_cast<long long>(c.ascent) + c.descent;
            em = cell > 0 ? std::llround(static_cast<double>(height) * face_->units_per_EM /
                                         static_cast<double>(cell))
                          : height;
        }
        return static_cast<int>(std::clamp<long long>(em, 1, MAX_EM));
    }

    bool set_size(int em) {
        if (em == current_em_) return true;
        if (FT_Set_Pixel_Sizes(face_, 0, static_cast<FT_UInt>(em)) != 0) return false;
        current_em_ = em;
        return true;
    }

    FT_Library library_;
    FontFace which_;
    std::size_t& cached_bytes_;
    std::string pinned_;
    bool resolved_ = false;
    std::string path_;
    int index_ = 0;
    FT_Face face_ = nullptr;
    bool failed_ = false;  // reported once; a new pin tries again
    int current_em_ = 0;
    std::map<int, std::unique_ptr<SizedFont>> sizes_;
};

namespace {

class FontLibrary {
public:
    FontLibrary() {
        if (FT_Init_FreeType(&library_) != 0) {
            library_ = nullptr;
            std::fprintf(stderr, "tovik: FreeType cannot start; text is not drawn\n");
            return;
        }
        for (int i = 0; i < FACE_COUNT; ++i) {
            faces_[static_cast<std::size_t>(i)] =
                std::make_unique<SizedFace>(library_, static_cast<FontFace>(i), cached_bytes_);
        }
    }
    FontLibrary(const FontLibrary&) = delete;
    FontLibrary& operator=(const FontLibrary&) = delete;
    ~FontLibrary() {
        for (auto& face : faces_) face.reset();
        if (library_ != nullptr) FT_Done_FreeType(library_);
        release_font_matcher();
    }

    SizedFace* face(FontFace which) {
        const auto i = static_cast<std::size_t>(which);
        return i < faces_.size() ? faces_[i].get() : nullptr;
    }

    // Called between drawing calls only, so no glyph in use goes away.
    void keep_within_budget() {
        if (cached_bytes_ <= CACHE_BUDGET) return;
        for (auto& face : faces_) {
            if (face) face->drop_sizes();
        }
        cached_bytes_ = 0;
    }

private:
    FT_Library library_ = nullptr;
    std::size_t cached_bytes_ = 0;
    std::array<std::unique_ptr<SizedFace>, FACE_COUNT> faces_;
};

FontLibrary& library() {
    static FontLibrary instance;
    return instance;
}

}  // namespace

const Glyph& SizedFont::glyph(unsigned char byte) {
    std::optional<Glyph>& slot = glyphs_[byte];
    if (!slot) slot = face_.render(em_, rendering_, byte);
    return *slot;
}

SizedFont* find_font(const FontRequest& request) {
    FontLibrary& fonts = library();
    fonts.keep_within_budget();
    SizedFace* face = fonts.face(request.face);
    return face != nullptr ? face->font(request.height) : nullptr;
}

}  // namespace tovik::text

namespace tovik {

void pin_font_file(FontFace face, std::string path) {
    if (text::SizedFace* f = text::library().face(face)) f->pin(std::move(path));
}

std::string font_file(FontFace face) {
    text::SizedFace* f = text::library().face(face);
    return f != nullptr ? f->path() : std::string();
}

}  // namespace tovik
