// Win32 backend: the console the program was started from closing, or Ctrl+C
// and Ctrl+Break in it, as the quit request.
//
// Implements: SetConsoleCtrlHandler, PostThreadMessageA(WM_QUIT) to the
// thread that made the platform.  Logging off and shutting down reach the
// windows as WM_ENDSESSION, which the core handles itself.
// Known limits: a program without a console (the game is a windowed one)
// gets none of these events.
#include "win32/win32_platform.h"

namespace tovik::win32 {

namespace {

DWORD loop_thread = 0;

// Runs on a thread of the system's own.
BOOL WINAPI on_console_event(DWORD event) {
    PostThreadMessageA(loop_thread, WM_QUIT, 0, 0);
    if (event == CTRL_C_EVENT || event == CTRL_BREAK_EVENT) return TRUE;
    // A closing console ends the process as soon as this returns: waiting
    // here gives the loop the system's grace time to write out and close the
    // script file and end the process itself, this thread with it.
    Sleep(INFINITE);
    return TRUE;
}

}  // namespace

void watch_console(bool on) {
    if (on) loop_thread = GetCurrentThreadId();
    SetConsoleCtrlHandler(on_console_event, on ? TRUE : FALSE);
}

}  // namespace tovik::win32
