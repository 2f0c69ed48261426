// For the check programs: screen pixels as a DPI-aware program sees them, as
// tovik.exe's manifest declares, whatever the desktop's DPI.
#pragma once

#include <windows.h>

inline void declare_per_monitor_dpi_awareness() {
    using Function = BOOL(WINAPI*)(HANDLE);
    const auto set_awareness = reinterpret_cast<Function>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("user32.dll"), "SetProcessDpiAwarenessContext")));
    // DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2
    if (set_awareness != nullptr) set_awareness(reinterpret_cast<HANDLE>(static_cast<LONG_PTR>(-4)));
}
