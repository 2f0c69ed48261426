// compare_frames BASE.so NEW.so [ROUNDS [FRAME]]: the benchmark's frames drawn
// by two builds in one process, in turns of ten frames, so that whatever else
// the machine does falls on both alike.  Prints, per frame, each build's best
// and median time and the median of the new build's time over the base's in
// the same turn.
#include <dlfcn.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

using Frames = double (*)(int, int);

Frames load(const char* path) {
    void* library = dlopen(path, RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr) {
        std::fprintf(stderr, "compare_frames: %s\n", dlerror());
        std::exit(1);
    }
    auto* frames = reinterpret_cast<Frames>(dlsym(library, "tovik_frames"));
    if (frames == nullptr) {
        std::fprintf(stderr, "compare_frames: %s has no tovik_frames\n", path);
        std::exit(1);
    }
    return frames;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: compare_frames BASE.so NEW.so [ROUNDS [FRAME]]\n");
        return 2;
    }
    const Frames build[2] = {load(argv[1]), load(argv[2])};
    const int rounds = argc > 3 ? std::max(4, std::atoi(argv[3])) : 200;
    const int only = argc > 4 ? std::atoi(argv[4]) : -1;
    const char* const names[] = {"synthetic frame", "game frame", "crawl frame"};
    for (int which = 0; which < 3; ++which) {
        if (only >= 0 && which != only) continue;
        std::vector<double> took[2], ratio;
        for (const Frames frames : build) frames(which, 5);  // faces, glyphs, caches
        for (int round = 0; round < rounds; ++round) {
            double t[2];
            for (int turn = 0; turn < 2; ++turn) {
                const int b = (round + turn) % 2;  // each goes first every other round
                t[b] = build[b](which, 10);
                took[b].push_back(t[b]);
            }
            ratio.push_back(t[1] / t[0]);
        }
        for (auto& times : took) std::sort(times.begin(), times.end());
        std::sort(ratio.begin(), ratio.end());
        const auto half = static_cast<std::size_t>(rounds / 2);
        std::printf("%-16s base best %7.1f median %7.1f us | new best %7.1f median %7.1f us | "
                    "new/base %.3f (quartiles %.3f, %.3f)\n",
                    names[which], took[0][0], took[0][half], took[1][0], took[1][half],
                    ratio[half], ratio[static_cast<std::size_t>(rounds / 4)],
                    ratio[static_cast<std::size_t>(3 * rounds / 4)]);
    }
    return 0;
}
