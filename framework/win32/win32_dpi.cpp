// Win32 backend: windows on screens of higher density.
//
// The program declares itself per-monitor DPI aware, so the system shows its
// windows pixel for pixel and leaves the scaling to it.  Each window's
// client area is the 96-DPI one times a whole-number scale (the one nearest
// to the window's DPI / 96, or a smaller one where the window would not fit
// its screen's work area); the off-screen image is copied into it at that
// scale, nearest-neighbour, and clicks are mapped back to the picture pixel
// they fall in.  The core sees client sizes and points as at 96 DPI.
//
// Implements: GetDpiForWindow and AdjustWindowRectExForDpi (looked up at run
// time, as Windows before 10 version 1607 lacks them), SetWindowPos to the
// scaled size, WM_DPICHANGED followed, the screen's height in 96-DPI pixels.
// Known limits: without those functions, and for a program that does not
// declare DPI awareness (the system scales it as a bitmap), windows stay at
// scale 1.  At 96 DPI windows are left exactly as they were created.
#include "win32/dpi_scale.h"
#include "win32/win32_platform.h"

namespace tovik {

namespace {

using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
using AdjustWindowRectExForDpiFunction = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);

struct DpiFunctions {
    GetDpiForWindowFunction dpi_for_window = nullptr;
    AdjustWindowRectExForDpiFunction adjust_for_dpi = nullptr;
};

template <typename Function>
Function user32_function(const char* name) {
    // GetProcAddress returns a generic function pointer; the cast to the real
    // signature is how the Windows API means it to be used.
    return reinterpret_cast<Function>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), name)));
}

const DpiFunctions& dpi_functions() {
    static const DpiFunctions functions{
        user32_function<GetDpiForWindowFunction>("GetDpiForWindow"),
        user32_function<AdjustWindowRectExForDpiFunction>("AdjustWindowRectExForDpi")};
    return functions;
}

struct Frame {
    DWORD style = 0;
    DWORD ex_style = 0;
    BOOL menu = FALSE;
};

Frame frame_of(HWND hwnd) {
    return {static_cast<DWORD>(GetWindowLongPtrA(hwnd, GWL_STYLE)),
            static_cast<DWORD>(GetWindowLongPtrA(hwnd, GWL_EXSTYLE)), GetMenu(hwnd) != nullptr};
}

// The outer size around a client area of width x height at `dpi`.
SIZE outer_size(const Frame& frame, int width, int height, UINT dpi) {
    RECT r{0, 0, width, height};
    dpi_functions().adjust_for_dpi(&r, frame.style, frame.menu, frame.ex_style, dpi);
    return {r.right - r.left, r.bottom - r.top};
}

SIZE work_area_size(HWND hwnd) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoA(MonitorFromWindow(hwnd, MONITOR_DEFAULTTONEAREST), &monitor);
    return {monitor.rcWork.right - monitor.rcWork.left, monitor.rcWork.bottom - monitor.rcWork.top};
}

SIZE client_size(HWND hwnd) {
    RECT r{};
    GetClientRect(hwnd, &r);
    return {r.right, r.bottom};
}

}  // namespace

int Win32Platform::scale_of(HWND hwnd) const {
    const auto found = scales_.find(hwnd);
    return found == scales_.end() ? 1 : found->second;
}

void Win32Platform::fit_to_dpi(HWND hwnd, int outer_width, int outer_height) {
    const DpiFunctions& f = dpi_functions();
    if (f.dpi_for_window == nullptr || f.adjust_for_dpi == nullptr) return;
    const UINT dpi = f.dpi_for_window(hwnd);
    if (dpi == win32::BASE_DPI || dpi == 0) return;
    // The client area this window has at 96 DPI, from the outer size asked for.
    const Frame frame = frame_of(hwnd);
    const SIZE base_frame = outer_size(frame, 0, 0, win32::BASE_DPI);
    scale_client(hwnd, outer_width - base_frame.cx, outer_height - base_frame.cy, dpi);
}

void Win32Platform::scale_client(HWND hwnd, int width, int height, UINT dpi) {
    const Frame frame = frame_of(hwnd);
    const SIZE frame_only = outer_size(frame, 0, 0, dpi);
    const SIZE work = work_area_size(hwnd);
    const int scale = win32::scale_to_fit(win32::scale_for_dpi(dpi), width, height,
                                          work.cx - frame_only.cx, work.cy - frame_only.cy);
    scales_[hwnd] = scale;
    const int wanted_width = width * scale;
    const int wanted_height = height * scale;
    SIZE outer = outer_size(frame, wanted_width, wanted_height, dpi);
    constexpr UINT resize_only = SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE;
    SetWindowPos(hwnd, nullptr, 0, 0, outer.cx, outer.cy, resize_only);
    // A menu bar that wraps onto a second row takes more than the one row the
    // frame was reckoned with: make up the difference once.
    const SIZE got = client_size(hwnd);
    if (got.cx != wanted_width || got.cy != wanted_height) {
        outer.cx += wanted_width - got.cx;
        outer.cy += wanted_height - got.cy;
        SetWindowPos(hwnd, nullptr, 0, 0, outer.cx, outer.cy, resize_only);
    }
}

void Win32Platform::follow_dpi_change(HWND hwnd, UINT dpi, const RECT& suggested) {
    // The system's suggestion keeps the window where it was on the new screen;
    // the size is then made the whole-number one.
    const int old_scale = scale_of(hwnd);
    const SIZE client = client_size(hwnd);
    SetWindowPos(hwnd, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    scale_client(hwnd, client.cx / old_scale, client.cy / old_scale, dpi);
    InvalidateRect(hwnd, nullptr, TRUE);
}

LPARAM Win32Platform::to_picture_point(HWND hwnd, LPARAM lparam) const {
    const int scale = scale_of(hwnd);
    if (scale == 1) return lparam;
    // Client coordinates are signed 16-bit halves.
    const int x = static_cast<short>(LOWORD(lparam));
    const int y = static_cast<short>(HIWORD(lparam));
    return pack_point(win32::to_picture_coordinate(x, scale), win32::to_picture_coordinate(y, scale));
}

int Win32Platform::system_scale() const {
    const DpiFunctions& f = dpi_functions();
    if (f.dpi_for_window == nullptr || f.adjust_for_dpi == nullptr) return 1;
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return win32::scale_for_dpi(static_cast<unsigned>(dpi));
}

int Win32Platform::screen_height() { return GetSystemMetrics(SM_CYSCREEN) / system_scale(); }

}  // namespace tovik
