// The ellipse's rows by closed form against the platform's walk taken one
// pixel at a time: every row of every box up to 100 x 100, rows far from the
// middle of boxes up to 60000 across (where the closed form, not stepping,
// finds the first row), and agreement of the closed form with itself on boxes
// far too large to walk.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

#include "canvas/ellipse_path.h"
#include "canvas/quadrant_cache.h"

namespace tovik::test {
namespace {

__extension__ typedef __int128 Int128;
using raster::EllipsePath;

struct Row {
    std::int64_t outer, inner;
    bool operator==(const Row&) const = default;
};

// The walk as the platform takes it, in doubled units from the centre: from
// the middle row's outermost pixel, step in when F(u-1, v+2) >= -b^2 and up
// when F(u-2, v+1) <= -a^2, until u passes the middle column.  The rows it
// never reaches (thin, tall boxes) hold the middle column.
std::vector<Row> walk(std::int64_t a, std::int64_t b, std::size_t* reached = nullptr) {
    const auto f = [&](Int128 u, Int128 v) {
        return Int128{b} * b * u * u + Int128{a} * a * v * v - Int128{a} * a * b * b;
    };
    const std::int64_t u_min = a & 1;
    std::vector<Row> rows;
    std::int64_t u = a, v = b & 1;
    Row row{a, a};
    std::int64_t row_v = v;
    while (u >= u_min) {
        if (v != row_v) {
            rows.push_back(row);
            row = {u, u};
            row_v = v;
        }
        row.inner = u;
        const bool in = f(u - 1, v + 2) >= -Int128{b} * b;
        bool up = f(u - 2, v + 1) <= -Int128{a} * a;
        if (!in && !up) up = true;  // the middle column of a tall box: go on up it
        if (in) u -= 2;
        if (up) v += 2;
    }
    rows.push_back(row);
    if (reached != nullptr) *reached = rows.size();
    for (std::int64_t w = row_v + 2; w <= b; w += 2) rows.push_back({u_min, u_min});
    return rows;
}

std::vector<Row> runs(const EllipsePath& path, std::int64_t first, std::int64_t last) {
    std::pmr::vector<EllipsePath::Run> out;
    path.runs(first, last, out);
    std::vector<Row> rows;
    for (const auto& r : out) rows.push_back({r.outer, r.inner});
    return rows;
}

TEST(EllipsePath, EveryRowOfEveryBoxUpToAHundredIsTheWalksRow) {
    for (std::int64_t w = 3; w <= 100; ++w) {
        for (std::int64_t h = 3; h <= 100; ++h) {
            const std::int64_t a = w - 1, b = h - 1;
            std::size_t reached = 0;
            const std::vector<Row> want = walk(a, b, &reached);
            const EllipsePath path(a, b);
            ASSERT_EQ(runs(path, path.v_min(), b), want) << w << " x " << h;
            // The closed form alone, row by row: rows beyond the walk's end
            // have their entry below the middle column.
            for (std::size_t k = 0; k < want.size(); ++k) {
                const std::int64_t v = path.v_min() + 2 * static_cast<std::int64_t>(k);
                if (k < reached) {
                    ASSERT_EQ(path.entry(v), want[k].outer) << w << " x " << h << " row " << v;
                } else {
                    ASSERT_LT(path.entry(v), path.u_min()) << w << " x " << h << " row " << v;
                }
            }
        }
    }
}

TEST(EllipsePath, RowsFarFromTheMiddleOfLargeBoxesAreTheWalksRows) {
    std::mt19937_64 random(20240611);
    const auto size = [&] {
        // Spread over every scale from 3 to 60000.
        const double e = std::uniform_real_distribution<double>(1.1, 11.0)(random);
        return static_cast<std::int64_t>(std::exp(e));
    };
    std::vector<std::pair<std::int64_t, std::int64_t>> boxes = {
        {60001, 60001}, {60000, 60000}, {40000, 1500}, {1500, 40000}, {9, 50000},
        {30, 50000},    {200, 50000},   {4, 3000},     {2500, 2501}, {59999, 3001}};
    for (int i = 0; i < 150; ++i) boxes.push_back({size(), size() + 1100});
    for (const auto& [w, h] : boxes) {
        const std::int64_t a = w - 1, b = h - 1;
        const std::vector<Row> want = walk(a, b);
        const EllipsePath path(a, b);
        const auto at = [&](std::int64_t v) { return want[static_cast<std::size_t>((v - path.v_min()) / 2)]; };
        for (int k = 0; k < 6; ++k) {
            std::int64_t first = std::uniform_int_distribution<std::int64_t>(path.v_min(), b)(random);
            first -= (first - path.v_min()) & 1;
            const std::int64_t last = std::min(b, first + 100);
            const std::vector<Row> got = runs(path, first, last);
            for (std::int64_t v = first; v <= last; v += 2) {
                ASSERT_EQ(got[static_cast<std::size_t>((v - first) / 2)], at(v))
                    << w << " x " << h << " row " << v << " of a run from " << first;
            }
        }
        // The top rows and the rows around the 45-degree points, where the
        // closed form's cases meet.
        for (const std::int64_t v : {b, b - 2, b - 4}) {
            if (v >= path.v_min()) {
                ASSERT_EQ(runs(path, v, v).front(), at(v)) << w << " x " << h << " row " << v;
            }
        }
    }
}

TEST(EllipsePath, KeptWalksGiveTheWalksRowsForAnyRangeWhateverWasKeptBefore) {
    // More sizes than are kept, revisited in random order, so that some rows
    // come from a kept walk, some from one just replaced, some from none.
    std::mt19937_64 random(99);
    std::vector<std::pair<std::int64_t, std::int64_t>> boxes = {{3, 3}, {1025, 1025}, {1026, 7}};
    const auto up_to = [&](std::uint64_t n) { return 3 + static_cast<std::int64_t>(random() % n); };
    for (int i = 0; i < 30; ++i) boxes.push_back({up_to(300), up_to(1100)});
    for (int n = 0; n < 400; ++n) {
        const auto [w, h] = boxes[random() % boxes.size()];
        const std::int64_t a = w - 1, b = h - 1;
        const std::vector<Row> want = walk(a, b);
        const std::int64_t v_min = EllipsePath(a, b).v_min();
        std::int64_t first = std::uniform_int_distribution<std::int64_t>(v_min, b)(random);
        first -= (first - v_min) & 1;
        const std::int64_t last = std::uniform_int_distribution<std::int64_t>(first, b)(random);
        std::pmr::vector<EllipsePath::Run> out;
        raster::quadrant_runs(a, b, first, last - ((last - first) & 1), out);
        ASSERT_EQ(out.size(), static_cast<std::size_t>((last - first) / 2 + 1)) << w << " x " << h;
        for (std::size_t k = 0; k < out.size(); ++k) {
            const Row& at = want[static_cast<std::size_t>((first - v_min) / 2) + k];
            ASSERT_EQ((Row{out[k].outer, out[k].inner}), at)
                << w << " x " << h << " row " << first + 2 * static_cast<std::int64_t>(k);
        }
    }
}

TEST(EllipsePath, HugeBoxesAgreeWithThemselvesFromAnyFirstRow) {
    // Far too large to walk: a run of rows found from one first row must match
    // the same rows found from another, and form one connected path.
    std::mt19937_64 random(7);
    const std::int64_t big = std::int64_t{1} << 61;
    const std::vector<std::pair<std::int64_t, std::int64_t>> boxes = {
        {big, big},           {big, big - 1},       {big - 7, 12345},    {12345, big - 7},
        {3, big},             {4, big},             {1 << 20, big},      {big, 3},
        {4294967296, 4294967297}, {6000000000, 100000}, {100000, 6000000000}};
    for (const auto& [w, h] : boxes) {
        const EllipsePath path(w - 1, h - 1);
        const std::int64_t b = h - 1;
        for (int k = 0; k < 8; ++k) {
            std::int64_t first = std::uniform_int_distribution<std::int64_t>(path.v_min(), b)(random);
            first -= (first - path.v_min()) & 1;
            const std::int64_t last = std::min(b, first + 400);
            const std::int64_t later = std::min(last, first + 200);
            const std::vector<Row> whole = runs(path, first, last);
            const std::vector<Row> part = runs(path, later, last);
            ASSERT_EQ(std::vector<Row>(whole.end() - static_cast<std::ptrdiff_t>(part.size()), whole.end()), part)
                << w << " x " << h << " from " << first;
            for (std::size_t i = 0; i < whole.size(); ++i) {
                ASSERT_LE(whole[i].inner, whole[i].outer);
                ASSERT_GE(whole[i].inner, path.u_min());
                if (i > 0) {
                    // Each row starts at most one pixel in from where the last one ended.
                    ASSERT_LE(whole[i].outer, whole[i - 1].inner);
                    ASSERT_GE(whole[i].outer, whole[i - 1].inner - 2);
                }
            }
        }
    }
}

}  // namespace
}  // namespace tovik::test
