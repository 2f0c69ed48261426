#include "canvas_support.h"

#include <algorithm>
#include <filesystem>
#include <sstream>

#include "canvas/fonts.h"

namespace tovik::test {

SoftwareCanvas blank(int width, int height) {
    SoftwareCanvas c(width, height);
    c.fill_rect(0, 0, width, height, WHITE);
    return c;
}

std::vector<std::string> picture(const SoftwareCanvas& c, int x0, int y0, int x1, int y1) {
    std::vector<std::string> rows;
    for (int y = y0; y < y1; ++y) {
        std::string row;
        for (int x = x0; x < x1; ++x) {
            const Colour p = c.pixel(x, y);
            row += p == WHITE ? '.' : p == BLACK ? '#' : 'o';
        }
        rows.push_back(row);
    }
    return rows;
}

PixelSet pixels_of(const SoftwareCanvas& c, Colour colour) {
    PixelSet s;
    for (int y = 0; y < c.height(); ++y) {
        for (int x = 0; x < c.width(); ++x) {
            if (c.pixel(x, y) == colour) s.insert({x, y});
        }
    }
    return s;
}

PixelSet painted(const SoftwareCanvas& c) {
    PixelSet s;
    for (int y = 0; y < c.height(); ++y) {
        for (int x = 0; x < c.width(); ++x) {
            if (c.pixel(x, y) != WHITE) s.insert({x, y});
        }
    }
    return s;
}

PixelSet row_run(int y, int x0, int x1) {
    PixelSet s;
    for (int x = x0; x <= x1; ++x) s.insert({x, y});
    return s;
}

PixelSet merge(std::initializer_list<PixelSet> sets) {
    PixelSet s;
    for (const PixelSet& p : sets) s.insert(p.begin(), p.end());
    return s;
}

PixelSet on_row(const PixelSet& s, int y) {
    PixelSet out;
    for (const auto& p : s) {
        if (p.second == y) out.insert(p);
    }
    return out;
}

std::string describe(const PixelSet& s) {
    std::vector<std::pair<int, int>> by_row;  // (y, x)
    for (const auto& [x, y] : s) by_row.push_back({y, x});
    std::sort(by_row.begin(), by_row.end());
    std::ostringstream out;
    int row = -1;
    for (const auto& [y, x] : by_row) {
        if (y != row) {
            out << "\n  y" << y << ":";
            row = y;
        }
        out << ' ' << x;
    }
    return out.str();
}

bool pin_test_fonts() {
    const std::string sans = "/usr/share/fonts/truetype/liberation2/LiberationSans-Regular.ttf";
    const std::string mono = "/usr/share/fonts/truetype/liberation2/LiberationMono-Regular.ttf";
    if (!std::filesystem::exists(sans) || !std::filesystem::exists(mono)) return false;
    pin_font_file(FontFace::Drawing, sans);
    pin_font_file(FontFace::FixedPitch, mono);
    pin_font_file(FontFace::Menu, sans);
    return true;
}

}  // namespace tovik::test
