// Feeds arbitrary argument values to every drawing operation: whatever they
// are, nothing may crash, overflow or write outside the image, and a shape may
// not cost more than the pixels it covers (a slow input is a fuzzer timeout).
#include <cstdint>
#include <cstring>
#include <string>

#include "core/framework_state.h"
#include "fake/fake_platform.h"
#include "tovik.h"

namespace {

constexpr std::size_t ARGUMENT_COUNT = 8;

void set_up() {
    static tovik::FakePlatform fake;
    tovik::set_platform(&fake);
    TOVIK_start(nullptr, nullptr, "", 1);
}

std::int32_t take(const std::uint8_t*& data, std::size_t& size) {
    std::uint32_t value = 0;
    const std::size_t n = size < 4 ? size : 4;
    for (std::size_t i = 0; i < n; ++i) value |= std::uint32_t{data[i]} << (8 * i);
    data += n;
    size -= n;
    return static_cast<std::int32_t>(value);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool ready = (set_up(), true);
    (void)ready;

    while (size > 0) {
        const std::uint8_t op = data[0];
        ++data;
        --size;
        std::int32_t a[ARGUMENT_COUNT];
        for (std::int32_t& value : a) value = take(data, size);
        tovik::fw.logging = static_cast<std::uint8_t>(op >> 7);
        switch (op % 7) {
        case 0: TOVIK_draw_circle(a[0], a[1], a[2], a[3]); break;
        case 1: TOVIK_draw_triangle(a[0], a[1], a[2], a[3], a[4], a[5], a[6], a[7]); break;
        case 2: TOVIK_draw_rectangle(a[0], a[1], a[2], a[3], a[4], a[5]); break;
        case 3: TOVIK_draw_oval(a[0], a[1], a[2], a[3], a[4], a[5]); break;
        case 4: TOVIK_draw_line(a[0], a[1], a[2], a[3], a[4], a[5]); break;
        case 5: {
            // The rest of the input, up to a newline-separated few lines, is the text.
            const std::size_t length = size < 64 ? size : 64;
            const std::string text(reinterpret_cast<const char*>(data), length);
            data += length;
            size -= length;
            TOVIK_draw_text(a[0], a[1], a[2], a[3], "%s", text.c_str());
            break;
        }
        default: TOVIK_clear(); break;
        }
    }
    return 0;
}
