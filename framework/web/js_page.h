// The page of the browser the program runs in.
#pragma once

#include "web/web_page.h"

namespace tovik::web {

class JsPage final : public Page {
public:
    void create_canvas(WindowHandle window, const char* title, int width, int height) override;
    void show_canvas(WindowHandle window, bool show) override;
    void place_canvas(WindowHandle window, int width, int height, double shown_width,
                      double shown_height) override;
    void show_state(const RunState& state) override;
    void present(WindowHandle window, const std::uint32_t* rgba, int width, int height, int top,
                 int count) override;
    int screen_height() override;
    std::uint64_t now_ms() override;
    std::optional<PageEvent> take_event() override;
    void wait_for_event(int timeout_ms) override;
};

}  // namespace tovik::web
