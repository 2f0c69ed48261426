#include "canvas/quadrant_cache.h"

#include <array>
#include <cstddef>

namespace tovik::raster {

namespace {

// Walks of at most this many rows are kept whole (8 KiB each at most).
constexpr std::int64_t KEPT_AXIS = 1024;

struct Kept {
    std::int64_t a = -1, b = -1;
    std::vector<EllipsePath::Run> runs;  // rows v_min, v_min + 2, ..., b
};

// Walks the quadrant of (a, b) into `kept`.  Out of line: its buffer would
// otherwise deepen the stack of every lookup, which costs the drawing that
// follows more than the walk itself.
[[gnu::noinline]] void walk_into(Kept& kept, std::int64_t a, std::int64_t b) {
    const EllipsePath path(a, b);
    std::array<std::byte, (KEPT_AXIS / 2 + 1) * sizeof(EllipsePath::Run)> arena;
    std::pmr::monotonic_buffer_resource pool(arena.data(), arena.size());
    std::pmr::vector<EllipsePath::Run> runs(&pool);
    path.runs(path.v_min(), b, runs);
    kept.a = a;
    kept.b = b;
    kept.runs.assign(runs.begin(), runs.end());
}

// A few sizes, replaced in turn; each thread keeps its own.
struct Cache {
    std::array<Kept, 16> slots;
    std::size_t next = 0;

    const Kept& find(std::int64_t a, std::int64_t b) {
        for (const Kept& k : slots)
            if (k.a == a && k.b == b) return k;
        Kept& k = slots[next];
        next = (next + 1) % slots.size();
        walk_into(k, a, b);
        return k;
    }
};

}  // namespace

void quadrant_runs(std::int64_t a, std::int64_t b, std::int64_t first, std::int64_t last,
                   std::pmr::vector<EllipsePath::Run>& out) {
    if (b > KEPT_AXIS) {
        EllipsePath(a, b).runs(first, last, out);
        return;
    }
    thread_local Cache cache;
    const Kept& k = cache.find(a, b);
    const std::int64_t v_min = EllipsePath(a, b).v_min();
    const auto row = [&](std::int64_t v) { return k.runs.begin() + (v - v_min) / 2; };
    out.assign(row(first), row(last) + 1);
}

}  // namespace tovik::raster
