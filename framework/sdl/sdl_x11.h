// X11 only: windows that another client destroys, and the loss of the display.
//
// X lets any client destroy any window (xdotool windowclose, xkill -id).  SDL
// does not report it, and every later request for that window draws an X
// error, which Xlib's default handler answers by ending the process at once,
// before the game has closed its script file.  So the platform watches for
// the destruction and treats it like the close box, and "no such window"
// errors about its windows are harmless: they only say that the window is
// gone, and requests made before the news arrives cannot be avoided.  Off X11
// all of this does nothing.
#pragma once

#include <SDL.h>

namespace tovik::sdl::x11 {

// Sets the watch up if SDL runs on X11; the error handlers stay for the rest
// of the process, since errors can arrive until the display is closed.  A
// broken connection to the X server ends the process with exit code 1 and
// "tovik: lost the display ..." on stderr, through exit() so that the
// framework's exit hook keeps the script file whole.
void watch_destruction();

// The X window behind an SDL window, 0 off X11; from now on "no such window"
// errors about it are ignored.
unsigned long adopt_window(SDL_Window* window);

// The X window that the event reports destroyed, 0 if it reports nothing of the kind.
unsigned long destroyed_window(const SDL_Event& event);

// The desktop's Xft.dpi resource, which GNOME, KDE and Xfce set to the scale
// the user picked (192 for 200 %); 0 if unset or off X11.
double xft_dpi();

}  // namespace tovik::sdl::x11
