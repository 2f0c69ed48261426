// Whole frames of the opening crawl, drawn by the game itself on the fake
// platform: with GDI canvases in the Windows build, with the software canvas
// elsewhere.  Seed 1; the frames before any event, after 1, 23 and 28
// periodic events, and after a click taken as the 23rd event.
//   crawl_frames <output directory> [<directory of the GDI frames>]
// Writes each frame as a binary PPM image; given the GDI frames, compares
// them pixel by pixel with its own and reports every difference.
// Exit code: 0 written (and identical), 1 frames differ, 2 failure.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/framework_state.h"
#include "fake/fake_platform.h"
#include "game_main.h"
#include "random.h"

namespace {

struct Frame {
    std::string name;
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb;
};

// One run of the game: `click_at` is the event (counted from 1) taken as a
// click instead of a tick, 0 for none; a frame is kept after each event in
// `after` (0: before the first).
std::vector<Frame> run(const char* name, int click_at, const std::vector<int>& after) {
    tovik::FakePlatform platform;
    tovik::reset_framework();
    tovik::set_platform(&platform);
    platform.auto_timer = false;
    std::vector<Frame> frames;
    int events = 0;
    std::size_t next = 0;
    platform.on_idle = [&] {
        if (next < after.size() && after[next] == events) {
            const tovik::Canvas& image = *tovik::fw.offscreen_image;
            Frame f{std::string(name) + std::to_string(events), image.width(), image.height(), {}};
            for (int y = 0; y < f.height; ++y) {
                for (int x = 0; x < f.width; ++x) {
                    const tovik::Colour c = image.pixel(x, y);
                    f.rgb.insert(f.rgb.end(), {static_cast<unsigned char>(tovik::red_of(c)),
                                               static_cast<unsigned char>(tovik::green_of(c)),
                                               static_cast<unsigned char>(tovik::blue_of(c))});
                }
            }
            frames.push_back(std::move(f));
            ++next;
        }
        if (next == after.size()) {
            platform.post_quit(0);
            return;
        }
        ++events;
        if (events == click_at) {
            platform.click(300, 200);
        } else {
            // The first notification arms the crawl's wait, the second ends it.
            platform.timer();
            platform.timer();
        }
    };
    run_game(nullptr, nullptr, "", 1, [] { rng_seed(1); });
    tovik::reset_framework();
    tovik::set_platform(nullptr);
    return frames;
}

bool write_ppm(const std::filesystem::path& path, const Frame& f) {
    std::ofstream out(path, std::ios::binary);
    out << "P6\n" << f.width << ' ' << f.height << "\n255\n";
    out.write(reinterpret_cast<const char*>(f.rgb.data()), static_cast<std::streamsize>(f.rgb.size()));
    return static_cast<bool>(out);
}

bool read_ppm(const std::filesystem::path& path, Frame& f) {
    std::ifstream in(path, std::ios::binary);
    std::string magic;
    int max_value = 0;
    if (!(in >> magic >> f.width >> f.height >> max_value) || magic != "P6" || max_value != 255) {
        return false;
    }
    in.get();
    f.rgb.resize(static_cast<std::size_t>(f.width) * static_cast<std::size_t>(f.height) * 3);
    return static_cast<bool>(in.read(reinterpret_cast<char*>(f.rgb.data()),
                                     static_cast<std::streamsize>(f.rgb.size())));
}

// Prints how many pixels differ and the first few; true when none do.
bool compare(const Frame& ours, const Frame& gdi) {
    if (ours.width != gdi.width || ours.height != gdi.height) {
        std::printf("%-28s sizes differ: %d x %d here, %d x %d from GDI\n", ours.name.c_str(),
                    ours.width, ours.height, gdi.width, gdi.height);
        return false;
    }
    const std::size_t pixels = ours.rgb.size() / 3;
    std::size_t differing = 0;
    std::string listed;
    for (std::size_t i = 0; i < pixels; ++i) {
        const unsigned char* s = &ours.rgb[i * 3];
        const unsigned char* g = &gdi.rgb[i * 3];
        if (s[0] == g[0] && s[1] == g[1] && s[2] == g[2]) continue;
        if (differing++ < 8) {
            char text[96];
            std::snprintf(text, sizeof text, " (%zu,%zu) gdi %02x%02x%02x sw %02x%02x%02x;",
                          i % static_cast<std::size_t>(ours.width),
                          i / static_cast<std::size_t>(ours.width), g[0], g[1], g[2], s[0], s[1],
                          s[2]);
            listed += text;
        }
    }
    std::printf("%-28s %7zu of %zu pixels differ (%.3f %% identical)%s\n", ours.name.c_str(),
                differing, pixels, 100.0 * static_cast<double>(pixels - differing) / static_cast<double>(pixels),
                listed.c_str());
    return differing == 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: crawl_frames <output directory> [<GDI frames directory>]\n");
        return 2;
    }
    std::vector<Frame> frames = run("crawl_after_", 0, {0, 1, 23, 28});
    for (Frame& f : run("crawl_click_at_", 23, {23})) frames.push_back(std::move(f));
    if (frames.size() != 5) {
        std::fprintf(stderr, "crawl_frames: the game ended before the last frame\n");
        return 2;
    }
    const std::filesystem::path out = argv[1];
    std::filesystem::create_directories(out);
    for (const Frame& f : frames) {
        if (!write_ppm(out / (f.name + ".ppm"), f)) {
            std::fprintf(stderr, "crawl_frames: cannot write %s\n", (out / f.name).string().c_str());
            return 2;
        }
    }
    if (argc == 2) return 0;
    std::printf("Crawl frames: the GDI canvas against the software canvas\n");
    bool identical = true;
    for (const Frame& f : frames) {
        Frame gdi;
        if (!read_ppm(std::filesystem::path(argv[2]) / (f.name + ".ppm"), gdi)) {
            std::fprintf(stderr, "crawl_frames: no GDI frame %s\n", f.name.c_str());
            return 2;
        }
        gdi.name = f.name;
        identical = compare(f, gdi) && identical;
    }
    return identical ? 0 : 1;
}
