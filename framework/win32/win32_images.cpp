// Win32 backend: drawing contexts and images.
//
// Implements: GetDC/ReleaseDC for a window's context; images as GDI canvases
// (a DIB section in a memory context compatible with the screen); copies to
// a window with BitBlt SRCCOPY, or with StretchBlt in COLORONCOLOR mode
// (whole pixels, never blended) into a window shown at a larger scale.
// Known limits: only images made by create_image can be copied to a window.
#include <algorithm>

#include "win32/gdi_canvas.h"
#include "win32/win32_platform.h"

namespace tovik {

using win32::hdc_of;
using win32::hwnd_of;

ContextHandle Win32Platform::get_dc(WindowHandle window) {
    return reinterpret_cast<ContextHandle>(GetDC(hwnd_of(window)));
}

void Win32Platform::release_dc(WindowHandle window, ContextHandle context) {
    ReleaseDC(hwnd_of(window), hdc_of(context));
}

std::unique_ptr<Canvas> Win32Platform::create_image(int width, int height) {
    std::unique_ptr<GdiCanvas> image = GdiCanvas::create(width, height);
    if (!image) remember_error();
    return image;
}

void Win32Platform::copy_image(WindowHandle window, ContextHandle context, const Canvas& image,
                               int width, int height) {
    const auto* gdi_image = dynamic_cast<const GdiCanvas*>(&image);
    if (gdi_image == nullptr || context == 0) return;
    const int copied_width = std::min(width, image.width());
    const int copied_height = std::min(height, image.height());
    const int scale = scale_of(hwnd_of(window));
    if (scale == 1) {
        BitBlt(hdc_of(context), 0, 0, copied_width, copied_height, gdi_image->context(), 0, 0,
               SRCCOPY);
        return;
    }
    SetStretchBltMode(hdc_of(context), COLORONCOLOR);
    StretchBlt(hdc_of(context), 0, 0, copied_width * scale, copied_height * scale,
               gdi_image->context(), 0, 0, copied_width, copied_height, SRCCOPY);
}

}  // namespace tovik
