// The page of the browser the program runs in.
#pragma once

#include "web/web_page.h"

namespace tovik::web {

class JsPage final : public Page {
public:
    void create_canvas(WindowHandle window, const char* title, int width, int height) override;
    void show_canvas(WindowHandle window, bool show) override;
    void present(WindowHandle window, const std::uint32_t* rgba, int width, int height) override;
    void start_timer(WindowHandle window, unsigned id, unsigned period_ms) override;
    void stop_timer(WindowHandle window, unsigned id) override;
    int screen_height() override;
    std::optional<PageEvent> take_event() override;
    void wait_for_event() override;
};

}  // namespace tovik::web
