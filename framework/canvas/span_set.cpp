#include "canvas/span_set.h"

#include <algorithm>

namespace tovik::raster {

void SpanSet::flush(SpanSink& target) {
    std::sort(entries_.begin(), entries_.end(), [](const Entry& a, const Entry& b) {
        return a.y != b.y ? a.y < b.y : a.x0 < b.x0;
    });
    std::size_t i = 0;
    while (i < entries_.size()) {
        const int y = entries_[i].y;
        int x0 = entries_[i].x0;
        int x1 = entries_[i].x1;
        for (++i; i < entries_.size() && entries_[i].y == y && entries_[i].x0 <= x1; ++i) {
            x1 = std::max(x1, entries_[i].x1);
        }
        target.span(y, x0, x1);
    }
    target.steps += steps;
    steps = 0;
    entries_.clear();
}

}  // namespace tovik::raster
