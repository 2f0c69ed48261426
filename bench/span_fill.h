// The bound a frame is held against: a plain fill of exactly the spans it
// paints, in its order, each with one value.
#pragma once

#include <cstdint>
#include <span>

namespace bench {

struct Span {
    int y = 0;
    int x0 = 0;  // columns [x0, x1)
    int x1 = 0;
    std::uint32_t value = 0;
};

// Writes every span into `image` (rows `stride` pixels apart).  Out of line in
// a file of its own, so that it compiles the same way whatever calls it.
void fill_spans(std::uint32_t* image, int stride, std::span<const Span> spans);

}  // namespace bench
