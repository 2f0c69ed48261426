#include <SDL.h>
#include <SDL_syswm.h>

namespace tovik::testing {

void push_window_system_event() {
    SDL_SysWMmsg message{};  // copied into the queue
    SDL_EventState(SDL_SYSWMEVENT, SDL_ENABLE);
    SDL_Event event{};
    event.type = SDL_SYSWMEVENT;
    event.syswm.msg = &message;
    SDL_PushEvent(&event);
}

}  // namespace tovik::testing
