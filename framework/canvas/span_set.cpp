#include "canvas/span_set.h"

#include <algorithm>

namespace tovik::raster {

void SpanSet::put(int y, int x0, int x1) {
    if (first_row_ >= last_row_) {
        first_row_ = y;
        last_row_ = y + 1;
    } else {
        first_row_ = std::min(first_row_, y);
        last_row_ = std::max(last_row_, y + 1);
    }
    std::vector<Interval>& row = rows_[static_cast<std::size_t>(y)];
    // Intervals that overlap or touch [x0, x1) merge with it.
    auto first = std::lower_bound(row.begin(), row.end(), x0,
                                  [](const Interval& i, int x) { return i.second < x; });
    auto last = first;
    while (last != row.end() && last->first <= x1) {
        x0 = std::min(x0, last->first);
        x1 = std::max(x1, last->second);
        ++last;
    }
    if (first == last) {
        row.insert(first, {x0, x1});
    } else {
        *first = {x0, x1};
        row.erase(first + 1, last);
    }
}

void SpanSet::flush(SpanSink& target) {
    for (int y = first_row_; y < last_row_; ++y) {
        std::vector<Interval>& row = rows_[static_cast<std::size_t>(y)];
        for (const Interval& i : row) target.span(y, i.first, i.second);
        row.clear();
    }
    first_row_ = last_row_ = 0;
    target.steps += steps;
    steps = 0;
}

}  // namespace tovik::raster
