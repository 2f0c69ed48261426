// Renders every cross-check case with GDI and writes the tiles, one below the
// other, as a binary PPM image (the Windows build has no PNG library).
//   gdi_dump <output.ppm>
#include <cstdio>
#include <vector>

#include "cross_check/draw_cases.h"
#include "win32/gdi_canvas.h"

int main(int argc, char** argv) {
    using namespace tovik;
    using namespace tovik::cross_check;
    if (argc != 2) {
        std::fprintf(stderr, "usage: gdi_dump <output.ppm>\n");
        return 2;
    }
    const auto cases = draw_cases();
    std::vector<unsigned char> rgb_bytes;
    rgb_bytes.reserve(cases.size() * TILE_WIDTH * TILE_HEIGHT * 3);
    for (const DrawCase& draw_case : cases) {
        auto canvas = GdiCanvas::create(TILE_WIDTH, TILE_HEIGHT);
        if (!canvas) {
            std::fprintf(stderr, "gdi_dump: cannot make a %d x %d bitmap\n", TILE_WIDTH, TILE_HEIGHT);
            return 1;
        }
        render_case(draw_case, *canvas);
        for (int y = 0; y < TILE_HEIGHT; ++y) {
            for (int x = 0; x < TILE_WIDTH; ++x) {
                const Colour c = canvas->pixel(x, y);
                rgb_bytes.push_back(static_cast<unsigned char>(red_of(c)));
                rgb_bytes.push_back(static_cast<unsigned char>(green_of(c)));
                rgb_bytes.push_back(static_cast<unsigned char>(blue_of(c)));
            }
        }
    }
    std::FILE* file = std::fopen(argv[1], "wb");
    if (file == nullptr) {
        std::fprintf(stderr, "gdi_dump: cannot write %s\n", argv[1]);
        return 1;
    }
    std::fprintf(file, "P6\n%d %d\n255\n", TILE_WIDTH, static_cast<int>(cases.size()) * TILE_HEIGHT);
    const bool written = std::fwrite(rgb_bytes.data(), 1, rgb_bytes.size(), file) == rgb_bytes.size();
    if (std::fclose(file) != 0 || !written) {
        std::fprintf(stderr, "gdi_dump: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
