// icon_pixels: writes the program's icon as a C++ source file, so that the
// program carries the picture of its installed icons (game/program_icon.h).
#include <cstdio>
#include <cstdlib>
#include <string>

#include "icon.h"

int main(int argc, char** argv) {
    char* end = nullptr;
    const long size = argc == 3 ? std::strtol(argv[2], &end, 10) : 0;
    if (argc != 3 || end == argv[2] || *end != '\0' || size < 1 || size > 1024) {
        std::fprintf(stderr, "usage: icon_pixels FILE SIZE\n"
                             "Writes FILE, a C++ source of the icon, SIZE (1 to 1024) pixels square.\n");
        return 2;
    }
    const tovik::PixelImage icon =
        tovik::resample_square(tovik::render_icon_picture(), static_cast<int>(size));
    // Written whole under another name first: a failed run leaves no half file
    // for the build to take as done.
    const std::string part = std::string(argv[1]) + ".part";
    std::FILE* file = std::fopen(part.c_str(), "w");
    if (file == nullptr) {
        std::perror(part.c_str());
        return 1;
    }
    std::fprintf(file, "// The program's icon, %ld pixels square: written by icon_pixels.\n"
                       "#include \"program_icon.h\"\n\n"
                       "const std::int32_t program_icon_size = %ld;\n"
                       "const std::uint32_t program_icon_pixels[] = {\n",
                 size, size);
    for (std::size_t i = 0; i < icon.pixels.size(); ++i) {
        std::fprintf(file, "0x%06xu,%c", static_cast<unsigned>(icon.pixels[i]),
                     i % 8 == 7 ? '\n' : ' ');
    }
    std::fprintf(file, "};\n");
    const bool written = std::ferror(file) == 0;
    if (std::fclose(file) != 0 || !written || std::rename(part.c_str(), argv[1]) != 0) {
        std::perror(argv[1]);
        std::remove(part.c_str());
        return 1;
    }
    return 0;
}
