// For the display-scaling check: the framework on the native backend at the
// desktop's DPI, as a program that declares itself DPI aware runs it.
//   dpi_check PICTURE.ppm
// Draws a picture, clicks one screen pixel inside a scaled picture pixel,
// and prints the DPI, the scale, the graphics window's client size and the
// framework point the click became; writes the client area as shown to
// PICTURE.ppm; then tells the window that it moved to a screen of twice the
// DPI and prints its client size after.  The caller compares runs at two DPIs.
#include <windows.h>

#include <cstdio>
#include <vector>

#include "core/framework_state.h"
#include "tovik.h"
#include "win32/win32_platform.h"
#include "../per_monitor_dpi.h"

namespace {

bool write_client(HWND hwnd, const char* path) {
    RECT client{};
    GetClientRect(hwnd, &client);
    const int width = client.right;
    const int height = client.bottom;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC window = GetDC(hwnd);
    HDC memory = CreateCompatibleDC(window);
    HBITMAP bitmap = CreateDIBSection(window, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    const bool copied = BitBlt(memory, 0, 0, width, height, window, 0, 0, SRCCOPY) != FALSE;
    GdiFlush();
    bool written = false;
    if (copied && bits != nullptr) {
        if (std::FILE* file = std::fopen(path, "wb")) {
            std::fprintf(file, "P6\n%d %d\n255\n", width, height);
            const auto* pixels = static_cast<const std::uint32_t*>(bits);
            std::vector<unsigned char> row(static_cast<std::size_t>(width) * 3);
            for (int y = 0; y < height; ++y) {
                for (int x = 0; x < width; ++x) {
                    const std::uint32_t p = pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)];
                    row[static_cast<std::size_t>(3 * x)] = static_cast<unsigned char>(p >> 16);
                    row[static_cast<std::size_t>(3 * x + 1)] = static_cast<unsigned char>(p >> 8);
                    row[static_cast<std::size_t>(3 * x + 2)] = static_cast<unsigned char>(p);
                }
                std::fwrite(row.data(), 1, row.size(), file);
            }
            written = std::fclose(file) == 0;
        }
    }
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(hwnd, window);
    return written;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: dpi_check PICTURE.ppm\n");
        return 2;
    }
    declare_per_monitor_dpi_awareness();
    static tovik::Win32Platform platform;
    tovik::set_platform(&platform);
    TOVIK_start(GetModuleHandleA(nullptr), nullptr, "", SW_SHOWNORMAL);
    HWND graphics = tovik::win32::hwnd_of(tovik::fw.graphics_window);

    TOVIK_clear();
    TOVIK_draw_rectangle(COLOUR_NAVY_BLUE, -200, -150, 200, 150, 0);
    TOVIK_draw_circle(COLOUR_YELLOW, -100, 50, 40);
    TOVIK_draw_oval(COLOUR_RED, 20, -80, 180, 60, 3);
    TOVIK_draw_line(COLOUR_WHITE, -250, -200, 250, 190, 1);
    TOVIK_draw_text(COLOUR_WHITE, -180, 120, 14, "TOVIK %d", 200);

    // The screen pixel at the far corner of the picture pixel of the
    // framework point (10, -20).
    RECT client{};
    GetClientRect(graphics, &client);
    const UINT dpi = GetDpiForWindow(graphics);
    const tovik::Rect picture = tovik::platform().client_rect(tovik::fw.graphics_window);
    const int scale = picture.right > 0 ? client.right / picture.right : 1;
    const int picture_x = tovik::fw.origin_x + 10;
    const int picture_y = tovik::fw.origin_y + 20;
    PostMessageA(graphics, WM_LBUTTONDOWN, 0,
                 MAKELPARAM(picture_x * scale + scale - 1, picture_y * scale + scale - 1));
    std::int32_t x = 0;
    std::int32_t y = 0;
    signed char key = 0;
    const EventKind kind = TOVIK_wait_event(&x, &y, &key);
    RedrawWindow(graphics, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);

    std::printf("dpi %u\nscale %d\nclient %ld %ld\nclick %s %d %d\n", dpi, scale, client.right, client.bottom,
                kind == TOVIK_MOUSE ? "mouse" : "other", x, y);
    const bool written = write_client(graphics, argv[1]);

    // Moved to a screen of twice this one's DPI: the system suggests a
    // window rectangle, the backend makes the client area twice as large.
    RECT suggested{};
    GetWindowRect(graphics, &suggested);
    SendMessageA(graphics, WM_DPICHANGED, MAKEWPARAM(2 * dpi, 2 * dpi),
                 reinterpret_cast<LPARAM>(&suggested));
    GetClientRect(graphics, &client);
    std::printf("moved %ld %ld\n", client.right, client.bottom);
    TOVIK_finish();
    return written ? 0 : 1;
}
