#include "canvas/polygon_fill.h"

#include <algorithm>
#include <array>
#include <cstddef>
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
void sort_crossings(std::int64_t* xs, std::size_t n) {
    if (n > 16) {
        std::sort(xs, xs + n);
        return;
    }
    for (std::size_t i = 1; i < n; ++i) {
        const std::int64_t v = xs[i];
        std::size_t j = i;
        for (; j > 0 && xs[j - 1] > v; --j) xs[j] = xs[j - 1];
        xs[j] = v;
    }
}

// Room for the edges, the active ones and their crossings: on the stack for
// triangles and the other small figures.
class Scratch {
public:
    explicit Scratch(std::size_t n) {
        if (n > SMALL) {
            large_edges_.resize(2 * n);
            large_xs_.resize(n);
            edges_ = large_edges_.data();
            xs_ = large_xs_.data();
        }
        n_ = n;
    }
    Edge* edges() { return edges_; }
    Edge* active() { return edges_ + n_; }
    std::int64_t* xs() { return xs_; }

private:
    static constexpr std::size_t SMALL = 8;
    std::array<Edge, 2 * SMALL> small_edges_;
    std::array<std::int64_t, SMALL> small_xs_;
    std::vector<Edge> large_edges_;
    std::vector<std::int64_t> large_xs_;
    Edge* edges_ = small_edges_.data();
    std::int64_t* xs_ = small_xs_.data();
    std::size_t n_ = 0;
};

}  // namespace

void polygon_fill(SpanSink& sink, std::span<const Point64> points) {
    Scratch scratch(points.size());
    Edge* const edges = scratch.edges();
    std::size_t edge_count = 0;
    for (std::size_t i = 0; i < points.size(); ++i) {
        Point64 a = points[i];
        Point64 b = points[i + 1 < points.size() ? i + 1 : 0];
        if (a.y == b.y) continue;
        if (a.y > b.y) std::swap(a, b);
        const RowRange rows = visible_rows(a.y, b.y, sink.height());
        if (rows.empty()) continue;
        const std::int64_t dy = b.y - a.y;
        const std::int64_t dx = b.x - a.x;
        // x on row r is a.x + (r - a.y) * dx / dy
        const Int128 n0 = Int128{rows.first - a.y} * dx;
        edges[edge_count++] = {rows.first, rows.last, CeilStepper(n0, dx, dy, a.x)};
    }
    if (edge_count == 0) return;
    std::sort(edges, edges + edge_count,
              [](const Edge& p, const Edge& q) { return p.first_row < q.first_row; });
    int last = 0;
    for (std::size_t i = 0; i < edge_count; ++i) last = std::max(last, edges[i].last_row);

    Edge* const active = scratch.active();
    std::int64_t* const xs = scratch.xs();
    std::size_t active_count = 0;
    std::size_t next = 0;
    // The active edges change only on the rows where one starts or ends; the
    // rows between are walked with the set fixed, mostly a pair.
    int next_end = last;
    for (int y = edges[0].first_row; y < last;) {
        while (next < edge_count && edges[next].first_row == y) {
            next_end = std::min(next_end, edges[next].last_row);
            active[active_count++] = edges[next++];
        }
        if (y >= next_end) {
            active_count = static_cast<std::size_t>(
                std::remove_if(active, active + active_count,
                               [y](const Edge& e) { return e.last_row <= y; }) -
                active);
            next_end = last;
            for (std::size_t i = 0; i < active_count; ++i)
                next_end = std::min(next_end, active[i].last_row);
        }
        const int stop = std::min(next_end, next < edge_count ? edges[next].first_row : last);
        sink.steps += static_cast<std::uint64_t>(stop - y);
        if (active_count == 2) {
            CeilStepper& p = active[0].x;
            CeilStepper& q = active[1].x;
            for (; y < stop; ++y) {
                const std::int64_t xp = p.value(), xq = q.value();
                p.step();
                q.step();
                sink.span(y, std::min(xp, xq), std::max(xp, xq));
            }
            continue;
        }
        for (; y < stop; ++y) {
            for (std::size_t i = 0; i < active_count; ++i) {
                xs[i] = active[i].x.value();
                active[i].x.step();
            }
            sort_crossings(xs, active_count);
            for (std::size_t i = 0; i + 1 < active_count; i += 2) sink.span(y, xs[i], xs[i + 1]);
        }
    }
}

}  // namespace tovik::raster
