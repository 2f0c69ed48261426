// make_icons: writes the program's icon as PNG files, one a size.
#include <cstdio>
#include <string>

#include "icon.h"
#include "png_io.h"

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: make_icons DIR SIZE...\n"
                             "Writes DIR/tovik-SIZE.png, SIZE pixels square, for every SIZE.\n");
        return 2;
    }
    const tovik::PixelImage picture = tovik::render_icon_picture();
    for (int i = 2; i < argc; ++i) {
        const int size = tovik::icon_size(argv[i], 4096);
        if (size == 0) {
            std::fprintf(stderr, "make_icons: not a size from 1 to 4096: %s\n", argv[i]);
            return 2;
        }
        const std::string path = std::string(argv[1]) + "/tovik-" + argv[i] + ".png";
        std::string error;
        if (!tovik::write_png(path, tovik::resample_square(picture, size), &error)) {
            std::fprintf(stderr, "make_icons: %s\n", error.c_str());
            return 1;
        }
    }
    return 0;
}
