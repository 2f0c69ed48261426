// The program's icon, which the platform shows for both windows.
#include <cstddef>
#include <cstdint>

#include "core/framework_state.h"
#include "core/internal.h"
#include "tovik.h"

namespace tovik {

void give_icon(WindowHandle window) {
    if (window != 0 && fw.icon_size > 0) {
        platform().set_window_icon(window, fw.icon_size, fw.icon_pixels.data());
    }
}

}  // namespace tovik

using namespace tovik;

int TOVIK_set_icon(std::int32_t size, const std::uint32_t* pixels) {
    if (size < 1 || size > TOVIK_MAX_ICON_SIZE || pixels == nullptr) return 0;
    const std::size_t count = static_cast<std::size_t>(size) * static_cast<std::size_t>(size);
    fw.icon_pixels.assign(pixels, pixels + count);
    fw.icon_size = size;
    // Windows already open take it now; TOVIK_start gives it to new ones.
    if (fw.graphics_window != 0) {
        give_icon(fw.graphics_window);
        give_icon(fw.text_window);
    }
    return 1;
}
