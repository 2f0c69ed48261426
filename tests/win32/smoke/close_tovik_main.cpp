// For the smoke test of tovik.exe: waits for the running program's graphics
// window, lets it run, checks what a user would see of it, and asks it to
// quit as a user would.
//   close_tovik <seconds to let it run> close|quit
// "close" posts WM_CLOSE (the close box), "quit" the Run menu's Quit command.
// Prints the graphics window's client size in screen pixels, for the check
// of display scaling.  Exit code 0 when the window was found, looked right
// and was asked to quit.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "../per_monitor_dpi.h"

namespace {

HWND find_graphics_window() {
    // The program may still be starting: look for up to 30 seconds.
    for (int i = 0; i < 300; ++i) {
        if (HWND hwnd = FindWindowA("DrawWndClass", "TOVIK Graphics")) return hwnd;
        Sleep(100);
    }
    return nullptr;
}

// What another process can see of the windows (menus are the program's own
// under Wine, so the Run menu is checked by the in-process tests instead).
bool looks_right(HWND graphics) {
    bool ok = true;
    RECT client{};
    GetClientRect(graphics, &client);
    std::printf("close_tovik: client %ld %ld\n", client.right, client.bottom);
    RECT outer{};
    GetWindowRect(graphics, &outer);
    // At 96 DPI the window has the size the framework asks for; at other
    // DPIs its client area is scaled, which the caller checks.
    const bool base_dpi = GetDpiForWindow(graphics) == 96;
    if (base_dpi && (outer.right - outer.left != 601 || outer.bottom - outer.top != 540)) {
        std::fprintf(stderr, "close_tovik: the graphics window is not 601 x 540\n");
        ok = false;
    }
    if (!IsWindowVisible(graphics)) {
        std::fprintf(stderr, "close_tovik: the graphics window is not shown\n");
        ok = false;
    }
    if (FindWindowA("TextWndClass", "TOVIK Text") == nullptr) {
        std::fprintf(stderr, "close_tovik: no text window\n");
        ok = false;
    }
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3 || (std::strcmp(argv[2], "close") != 0 && std::strcmp(argv[2], "quit") != 0)) {
        std::fprintf(stderr, "usage: close_tovik <seconds> close|quit\n");
        return 2;
    }
    declare_per_monitor_dpi_awareness();
    HWND graphics = find_graphics_window();
    if (graphics == nullptr) {
        std::fprintf(stderr, "close_tovik: no window \"TOVIK Graphics\" appeared\n");
        return 1;
    }
    Sleep(static_cast<DWORD>(std::atoi(argv[1])) * 1000);
    if (!IsWindow(graphics)) {
        std::fprintf(stderr, "close_tovik: the program went away on its own\n");
        return 1;
    }
    const bool ok = looks_right(graphics);
    const bool close = std::strcmp(argv[2], "close") == 0;
    const UINT message = close ? WM_CLOSE : WM_COMMAND;
    const WPARAM command = close ? 0 : 8;  // the Quit command's id
    if (!PostMessageA(graphics, message, command, 0)) {
        std::fprintf(stderr, "close_tovik: cannot post to the window\n");
        return 1;
    }
    std::printf("close_tovik: asked TOVIK to %s\n", argv[2]);
    return ok ? 0 : 1;
}
