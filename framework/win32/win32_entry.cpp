// The program's entry on Windows: installs the native platform and hands the
// four entry values to the game.
#include "tovik.h"
#include "win32/win32_platform.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous_instance, LPSTR command_line,
                   int show_mode) {
    // Lives until the process ends, like the windows it serves.
    static tovik::Win32Platform platform;
    tovik::set_platform(&platform);
    return game_main(instance, previous_instance, command_line, show_mode);
}
