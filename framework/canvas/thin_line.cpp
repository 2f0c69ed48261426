#include "canvas/thin_line.h"

#include <algorithm>

#include "canvas/exact_math.h"

namespace tovik::raster {

namespace {

// Smallest k in [lo, hi) for which `holds` is true, hi if none; `holds` must
// be false up to some k and true from there on.
template <typename Predicate>
std::int64_t first_true(std::int64_t lo, std::int64_t hi, Predicate holds) {
    while (lo < hi) {
        const std::int64_t mid = lo + (hi - lo) / 2;
        if (holds(mid)) {
            hi = mid;
        } else {
            lo = mid + 1;
        }
    }
    return lo;
}

// Steps k in [0, n) along the major axis: major = m0 + k * sm; the minor
// coordinate is minor0 + ceil((2 * dminor * k - n) / (2 n)), the closed form of
// the platform's line.  Returns the range of k whose pixel lies in the image.
struct Walk {
    std::int64_t k_first, k_last;
};

Walk visible_steps(std::int64_t n, std::int64_t m0, std::int64_t sm, std::int64_t major_size,
                   std::int64_t minor0, std::int64_t dminor, std::int64_t minor_size) {
    // Major axis: m0 + sm * k in [0, major_size).
    std::int64_t lo = 0, hi = n;
    if (sm > 0) {
        lo = std::max(lo, -m0);
        hi = std::min(hi, major_size - m0);
    } else {
        lo = std::max(lo, m0 - major_size + 1);
        hi = std::min(hi, m0 + 1);
    }
    if (lo >= hi) return {0, 0};
    // Minor axis: it runs from minor0 towards minor0 + dminor without reaching
    // past it, so a line with both ends inside needs no more.
    const std::int64_t minor1 = minor0 + dminor;
    if (minor0 >= 0 && minor0 < minor_size && minor1 >= 0 && minor1 < minor_size) return {lo, hi};
    // Otherwise it is monotone in k, so bisect for the rows (columns) inside.
    const auto minor = [&](std::int64_t k) {
        return minor0 +
               static_cast<std::int64_t>(ceil_div(Int128{2} * dminor * k - n, Int128{2} * n));
    };
    const auto inside = [&](std::int64_t k) {
        const std::int64_t m = minor(k);
        return m >= 0 && m < minor_size;
    };
    if (inside(lo) && inside(hi - 1)) return {lo, hi};  // the usual case: all of it
    std::int64_t first = 0, last = 0;
    if (dminor >= 0) {
        first = first_true(lo, hi, [&](std::int64_t k) { return minor(k) >= 0; });
        last = first_true(first, hi, [&](std::int64_t k) { return minor(k) >= minor_size; });
    } else {
        first = first_true(lo, hi, [&](std::int64_t k) { return minor(k) < minor_size; });
        last = first_true(first, hi, [&](std::int64_t k) { return minor(k) < 0; });
    }
    return {first, last};
}

}  // namespace

void thin_line(SpanSink& sink, std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1) {
    const std::int64_t dx = x1 - x0;
    const std::int64_t dy = y1 - y0;
    const std::int64_t adx = dx < 0 ? -dx : dx;
    const std::int64_t ady = dy < 0 ? -dy : dy;
    if (adx == 0 && ady == 0) return;

    if (adx > ady) {
        const std::int64_t sx = dx > 0 ? 1 : -1;
        const Walk walk = visible_steps(adx, x0, sx, sink.width(), y0, dy, sink.height());
        if (walk.k_first >= walk.k_last) return;
        if (dy == 0) {  // one row: the walk below would find a single span
            const std::int64_t a = x0 + sx * walk.k_first, b = x0 + sx * (walk.k_last - 1);
            sink.span(static_cast<int>(y0), std::min(a, b), std::max(a, b) + 1);
            return;
        }
        CeilStepper y(Int128{2} * dy * walk.k_first - adx, Int128{2} * dy, 2 * adx);
        // Pixels of one row join into a span.
        std::int64_t run_start = x0 + sx * walk.k_first;
        std::int64_t run_y = y0 + y.value();
        for (std::int64_t k = walk.k_first; k < walk.k_last; ++k) {
            const std::int64_t x = x0 + sx * k;
            const std::int64_t row = y0 + y.value();
            y.step();
            if (row != run_y) {
                const std::int64_t prev = x - sx;
                sink.span(static_cast<int>(run_y), std::min(run_start, prev),
                          std::max(run_start, prev) + 1);
                run_start = x;
                run_y = row;
            }
        }
        const std::int64_t end = x0 + sx * (walk.k_last - 1);
        sink.span(static_cast<int>(run_y), std::min(run_start, end), std::max(run_start, end) + 1);
    } else {
        const std::int64_t sy = dy > 0 ? 1 : -1;
        const Walk walk = visible_steps(ady, y0, sy, sink.height(), x0, dx, sink.width());
        if (walk.k_first >= walk.k_last) return;
        CeilStepper x(Int128{2} * dx * walk.k_first - ady, Int128{2} * dx, 2 * ady);
        for (std::int64_t k = walk.k_first; k < walk.k_last; ++k) {
            sink.pixel(static_cast<int>(y0 + sy * k), x0 + x.value());
            x.step();
        }
    }
}

}  // namespace tovik::raster
