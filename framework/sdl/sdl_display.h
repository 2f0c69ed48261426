// Opening SDL's video on a real display.
#pragma once

#include <string>

namespace tovik::sdl {

// Initialises SDL's video and timers on a display.  Returns "" on success,
// otherwise why there is no display.
//
// When there is no display SDL would quietly fall back to a driver that shows
// nothing ("offscreen", "dummy") and the program would wait for events that
// cannot come.  So unless the user names a driver in SDL_VIDEODRIVER, only
// drivers that show windows are tried.
std::string open_display();

}  // namespace tovik::sdl
