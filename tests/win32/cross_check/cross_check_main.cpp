// Compares the GDI canvas's rendering of the cross-check cases (a PPM written
// by gdi_dump under Windows or Wine) with the software canvas's, pixel by
// pixel, and reports the share of identical pixels and every difference.
//   canvas_cross_check <gdi.ppm> <output directory for difference images> [case]
// With a case's name (or part of it), that case's differences are also shown
// as a character map: '#' both drew the same, 'G' only GDI drew, 'S' only the
// software canvas, 'X' both in different colours.
// Exit code: 0 when every case that should agree does, 1 when one does not,
// 2 when the input cannot be read.
#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "canvas/software_canvas.h"
#include "cross_check/draw_cases.h"
#include "png_io.h"

namespace tovik::cross_check {
namespace {

constexpr Colour WHITE = rgb(255, 255, 255);
constexpr int LISTED_PIXELS = 12;  // per case, in the report

struct Tile {
    std::vector<Colour> pixels;  // TILE_WIDTH x TILE_HEIGHT
    Colour at(int x, int y) const { return pixels[static_cast<std::size_t>(y * TILE_WIDTH + x)]; }
};

bool read_ppm(const std::string& path, std::size_t tiles, std::vector<Tile>& out,
              std::string& error) {
    std::ifstream file(path, std::ios::binary);
    std::string magic;
    int width = 0;
    int height = 0;
    int max_value = 0;
    if (!(file >> magic >> width >> height >> max_value) || magic != "P6" || max_value != 255) {
        error = path + " is not a binary 8-bit PPM image";
        return false;
    }
    file.get();  // the one white-space character before the pixels
    if (width != TILE_WIDTH || height != static_cast<int>(tiles) * TILE_HEIGHT) {
        error = path + " holds " + std::to_string(width) + " x " + std::to_string(height) +
                " pixels, not " + std::to_string(tiles) + " tiles of " +
                std::to_string(TILE_WIDTH) + " x " + std::to_string(TILE_HEIGHT) +
                " (built from another list of cases?)";
        return false;
    }
    std::vector<unsigned char> bytes(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3);
    if (!file.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()))) {
        error = path + " is cut short";
        return false;
    }
    out.assign(tiles, Tile{});
    const std::size_t tile_pixels = static_cast<std::size_t>(TILE_WIDTH) * TILE_HEIGHT;
    for (std::size_t t = 0; t < tiles; ++t) {
        out[t].pixels.resize(tile_pixels);
        for (std::size_t i = 0; i < tile_pixels; ++i) {
            const unsigned char* p = &bytes[(t * tile_pixels + i) * 3];
            out[t].pixels[i] = rgb(p[0], p[1], p[2]);
        }
    }
    return true;
}

Tile software_tile(const DrawCase& draw_case) {
    SoftwareCanvas canvas(TILE_WIDTH, TILE_HEIGHT);
    render_case(draw_case, canvas);
    Tile tile;
    tile.pixels.reserve(static_cast<std::size_t>(TILE_WIDTH) * TILE_HEIGHT);
    for (int y = 0; y < TILE_HEIGHT; ++y) {
        for (int x = 0; x < TILE_WIDTH; ++x) tile.pixels.push_back(canvas.pixel(x, y));
    }
    return tile;
}

struct Comparison {
    int differing = 0;
    int inked = 0;  // pixels that either canvas changed from white
    int gdi_only = 0;
    int software_only = 0;
    std::string listed;
};

std::string hex(Colour c) {
    char text[8];
    std::snprintf(text, sizeof text, "%02x%02x%02x", red_of(c), green_of(c), blue_of(c));
    return text;
}

Comparison compare(const Tile& gdi, const Tile& software) {
    Comparison result;
    int listed = 0;
    for (int y = 0; y < TILE_HEIGHT; ++y) {
        for (int x = 0; x < TILE_WIDTH; ++x) {
            const Colour g = gdi.at(x, y);
            const Colour s = software.at(x, y);
            if (g != WHITE || s != WHITE) ++result.inked;
            if (g == s) continue;
            ++result.differing;
            if (s == WHITE) ++result.gdi_only;
            if (g == WHITE) ++result.software_only;
            if (listed++ < LISTED_PIXELS) {
                result.listed += " (" + std::to_string(x) + "," + std::to_string(y) + ") gdi " +
                                 hex(g) + " sw " + hex(s) + ";";
            }
        }
    }
    return result;
}

// Three panels: GDI, software, and the difference (red: only GDI drew there,
// blue: only the software canvas, magenta: both, in different colours).
void write_difference_image(const std::filesystem::path& path, const Tile& gdi,
                            const Tile& software) {
    constexpr int gap = 4;
    PixelImage image;
    image.width = 3 * TILE_WIDTH + 2 * gap;
    image.height = TILE_HEIGHT;
    image.pixels.assign(static_cast<std::size_t>(image.width) * image.height, 0x808080u);
    const auto xrgb = [](Colour c) { return (red_of(c) << 16) | (green_of(c) << 8) | blue_of(c); };
    for (int y = 0; y < TILE_HEIGHT; ++y) {
        for (int x = 0; x < TILE_WIDTH; ++x) {
            const Colour g = gdi.at(x, y);
            const Colour s = software.at(x, y);
            std::uint32_t* row = &image.pixels[static_cast<std::size_t>(y) * image.width];
            row[x] = xrgb(g);
            row[TILE_WIDTH + gap + x] = xrgb(s);
            std::uint32_t d = 0xFFFFFFu;
            if (g != s) d = s == WHITE ? 0xFF0000u : g == WHITE ? 0x0000FFu : 0xFF00FFu;
            row[2 * (TILE_WIDTH + gap) + x] = d;
        }
    }
    std::string error;
    if (!write_png(path.string(), image, &error)) std::fprintf(stderr, "%s\n", error.c_str());
}

std::string file_name(const std::string& name) {
    std::string out;
    for (char c : name) out += (std::isalnum(static_cast<unsigned char>(c)) != 0) ? c : '_';
    return out + ".png";
}

void print_map(const DrawCase& c, const Tile& gdi, const Tile& software) {
    int left = TILE_WIDTH, right = -1, top = TILE_HEIGHT, bottom = -1;
    for (int y = 0; y < TILE_HEIGHT; ++y) {
        for (int x = 0; x < TILE_WIDTH; ++x) {
            if (gdi.at(x, y) == software.at(x, y)) continue;
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
    }
    std::printf("\nMap of %s: ", c.name);
    if (right < 0) {
        std::printf("no differences\n");
        return;
    }
    left = std::max(0, left - 2);
    top = std::max(0, top - 2);
    right = std::min(TILE_WIDTH - 1, right + 2);
    bottom = std::min(TILE_HEIGHT - 1, bottom + 2);
    std::printf("columns %d..%d, rows %d..%d\n", left, right, top, bottom);
    for (int y = top; y <= bottom; ++y) {
        std::printf("%4d ", y);
        for (int x = left; x <= right; ++x) {
            const Colour g = gdi.at(x, y);
            const Colour s = software.at(x, y);
            char mark = '.';
            if (g == s) mark = g == WHITE ? '.' : '#';
            else mark = s == WHITE ? 'G' : g == WHITE ? 'S' : 'X';
            std::putchar(mark);
        }
        std::putchar('\n');
    }
}

double percent(long long part, long long whole) {
    return whole == 0 ? 100.0 : 100.0 * static_cast<double>(part) / static_cast<double>(whole);
}

}  // namespace
}  // namespace tovik::cross_check

int main(int argc, char** argv) {
    using namespace tovik::cross_check;
    if (argc != 3 && argc != 4) {
        std::fprintf(stderr, "usage: canvas_cross_check <gdi.ppm> <output directory> [case]\n");
        return 2;
    }
    const auto cases = draw_cases();
    std::vector<Tile> gdi_tiles;
    std::string error;
    if (!read_ppm(argv[1], cases.size(), gdi_tiles, error)) {
        std::fprintf(stderr, "canvas_cross_check: %s\n", error.c_str());
        return 2;
    }
    const std::filesystem::path out_dir = argv[2];
    std::filesystem::create_directories(out_dir);

    const long long tile_pixels = static_cast<long long>(TILE_WIDTH) * TILE_HEIGHT;
    long long shape_pixels = 0, shape_identical = 0, shape_inked = 0, shape_inked_identical = 0;
    std::string unexpected, known, text;
    int unexpected_count = 0;

    std::printf("Cross-check: the GDI canvas against the software canvas, %zu cases of %d x %d pixels\n\n",
                cases.size(), TILE_WIDTH, TILE_HEIGHT);
    std::printf("%-50s %-6s %9s %9s %8s %8s\n", "case", "expect", "differing", "inked", "gdi-only",
                "sw-only");
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const DrawCase& c = cases[i];
        const Tile software = software_tile(c);
        const Comparison r = compare(gdi_tiles[i], software);
        const char* expect = c.expect == Expect::Agree ? "agree" : c.expect == Expect::Differ ? "differ" : "text";
        std::printf("%-50s %-6s %9d %9d %8d %8d\n", c.name, expect, r.differing, r.inked, r.gdi_only,
                    r.software_only);
        if (c.expect != Expect::Text) {
            shape_pixels += tile_pixels;
            shape_identical += tile_pixels - r.differing;
            shape_inked += r.inked;
            shape_inked_identical += r.inked - r.differing;
        }
        if (r.differing == 0) continue;
        write_difference_image(out_dir / file_name(c.name), gdi_tiles[i], software);
        const std::string line = std::string("  ") + c.name + ": " + std::to_string(r.differing) +
                                 " pixels;" + r.listed + "\n";
        if (c.expect == Expect::Agree) {
            ++unexpected_count;
            unexpected += line;
        } else if (c.expect == Expect::Differ) {
            known += line + "    reason: " + c.reason + "\n";
        } else {
            text += line;
        }
    }

    std::printf("\nEvery case but the text for information: %.3f %% of %lld pixels identical; "
                "of the %lld pixels either canvas drew, %.3f %% identical\n",
                percent(shape_identical, shape_pixels), shape_pixels, shape_inked,
                percent(shape_inked_identical, shape_inked));
    std::printf("\nDifferences where the pixel rules say the canvases agree: %d case(s)\n%s",
                unexpected_count, unexpected.c_str());
    std::printf("\nKnown differences:\n%s", known.empty() ? "  none\n" : known.c_str());
    std::printf("\nText (for information):\n%s", text.empty() ? "  identical\n" : text.c_str());
    std::printf("\nDifference images (GDI | software | red: GDI only, blue: software only, "
                "magenta: other colour): %s\n",
                out_dir.string().c_str());
    if (argc == 4) {
        for (std::size_t i = 0; i < cases.size(); ++i) {
            if (std::string(cases[i].name).find(argv[3]) != std::string::npos) {
                print_map(cases[i], gdi_tiles[i], software_tile(cases[i]));
            }
        }
    }
    return unexpected_count == 0 ? 0 : 1;
}
