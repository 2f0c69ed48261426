// make_ico: writes the program's icon as a Windows icon file of several sizes.
#include <cstdio>
#include <string>
#include <vector>

#include "icon.h"
#include "ico_file.h"

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: make_ico FILE SIZE...\n"
                             "Writes FILE, an icon of every SIZE (1 to 256) pixels square.\n");
        return 2;
    }
    const tovik::PixelImage picture = tovik::render_icon_picture();
    std::vector<tovik::PixelImage> images;
    for (int i = 2; i < argc; ++i) {
        const int size = tovik::icon_size(argv[i], 256);
        if (size == 0) {
            std::fprintf(stderr, "make_ico: not a size from 1 to 256: %s\n", argv[i]);
            return 2;
        }
        images.push_back(tovik::resample_square(picture, size));
    }
    std::vector<std::uint8_t> file;
    std::string error;
    if (!tovik::encode_ico(images, file, &error)) {
        std::fprintf(stderr, "make_ico: %s\n", error.c_str());
        return 1;
    }
    // Written whole under another name first: a failed run leaves no half file
    // for the build to take as done.
    const std::string part = std::string(argv[1]) + ".part";
    std::FILE* out = std::fopen(part.c_str(), "wb");
    bool written = out != nullptr && std::fwrite(file.data(), 1, file.size(), out) == file.size();
    written = out != nullptr && std::fclose(out) == 0 && written;
    if (!written || std::rename(part.c_str(), argv[1]) != 0) {
        std::perror(argv[1]);
        std::remove(part.c_str());
        return 1;
    }
    return 0;
}
