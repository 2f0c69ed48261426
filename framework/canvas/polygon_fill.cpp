#include "canvas/polygon_fill.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <memory_resource>
#include <vector>

#include "canvas/exact_math.h"

namespace tovik::raster {

namespace {

struct Edge {
    int first_row;  // visible rows [first_row, last_row)
    int last_row;
    CeilStepper x;  // exact crossing, rounded up, on the current row
};

// A row crosses few edges, mostly two; insertion sort beats a general sort there.
void sort_crossings(std::pmr::vector<std::int64_t>& xs) {
    if (xs.size() > 16) {
        std::sort(xs.begin(), xs.end());
        return;
    }
    for (std::size_t i = 1; i < xs.size(); ++i) {
        const std::int64_t v = xs[i];
        std::size_t j = i;
        for (; j > 0 && xs[j - 1] > v; --j) xs[j] = xs[j - 1];
        xs[j] = v;
    }
}

}  // namespace

void polygon_fill(SpanSink& sink, std::span<const Point64> points) {
    // Triangles and the other small figures need no heap.
    std::array<std::byte, 4096> arena;
    std::pmr::monotonic_buffer_resource pool(arena.data(), arena.size());
    std::pmr::vector<Edge> edges(&pool);
    edges.reserve(points.size());
    for (std::size_t i = 0; i < points.size(); ++i) {
        Point64 a = points[i];
        Point64 b = points[(i + 1) % points.size()];
        if (a.y == b.y) continue;
        if (a.y > b.y) std::swap(a, b);
        const RowRange rows = visible_rows(a.y, b.y, sink.height());
        if (rows.empty()) continue;
        const std::int64_t dy = b.y - a.y;
        const std::int64_t dx = b.x - a.x;
        // x on row r is a.x + (r - a.y) * dx / dy
        const Int128 n0 = Int128{a.x} * dy + Int128{rows.first - a.y} * dx;
        edges.push_back({rows.first, rows.last, CeilStepper(n0, dx, dy)});
    }
    if (edges.empty()) return;
    std::sort(edges.begin(), edges.end(),
              [](const Edge& p, const Edge& q) { return p.first_row < q.first_row; });
    int last = 0;
    for (const Edge& e : edges) last = std::max(last, e.last_row);

    std::pmr::vector<Edge> active(&pool);
    std::pmr::vector<std::int64_t> xs(&pool);
    active.reserve(edges.size());
    xs.reserve(edges.size());
    std::size_t next = 0;
    // Active edges are dropped only on the rows where one of them ends.
    int next_end = last;
    for (int y = edges.front().first_row; y < last; ++y) {
        ++sink.steps;
        while (next < edges.size() && edges[next].first_row == y) {
            next_end = std::min(next_end, edges[next].last_row);
            active.push_back(edges[next++]);
        }
        if (y >= next_end) {
            std::erase_if(active, [y](const Edge& e) { return e.last_row <= y; });
            next_end = last;
            for (const Edge& e : active) next_end = std::min(next_end, e.last_row);
        }
        xs.clear();
        for (Edge& e : active) {
            xs.push_back(e.x.value());
            e.x.step();
        }
        sort_crossings(xs);
        for (std::size_t i = 0; i + 1 < xs.size(); i += 2) sink.span(y, xs[i], xs[i + 1]);
    }
}

}  // namespace tovik::raster
