#include "span_fill.h"

#include <algorithm>

namespace bench {

[[gnu::noinline]] void fill_spans(std::uint32_t* image, int stride, std::span<const Span> spans) {
    for (const Span& s : spans) {
        std::uint32_t* row = image + static_cast<std::ptrdiff_t>(s.y) * stride;
        std::fill(row + s.x0, row + s.x1, s.value);
    }
}

}  // namespace bench
