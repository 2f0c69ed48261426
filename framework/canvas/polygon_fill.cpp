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
    for (int y = edges.front().first_row; y < last; ++y) {
        ++sink.steps;
        while (next < edges.size() && edges[next].first_row == y) active.push_back(edges[next++]);
        std::erase_if(active, [y](const Edge& e) { return e.last_row <= y; });
        xs.clear();
        for (Edge& e : active) {
            xs.push_back(e.x.value());
            e.x.step();
        }
        std::sort(xs.begin(), xs.end());
        for (std::size_t i = 0; i + 1 < xs.size(); i += 2) sink.span(y, xs[i], xs[i + 1]);
    }
}

}  // namespace tovik::raster
