// The menu bar drawn in a strip at the top of a window, with its drop-downs:
// layout, drawing, and the mouse and keys while a drop-down is open.  It only
// reports what happened; the window system posts the command of a chosen item
// and shows the images.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "canvas.h"
#include "window_system/menu_store.h"

namespace tovik::window_system {

// Makes the canvases the menu draws on; null when one cannot be made.
using CanvasFactory = std::function<std::unique_ptr<Canvas>(int width, int height)>;

class MenuBar {
public:
    static constexpr int HEIGHT = MENU_BAR_HEIGHT;

    struct Result {
        bool consumed = false;  // the input belonged to the menu: no message for it
        bool redraw = false;    // the menu looks different now
        std::optional<unsigned> command;  // an item was chosen

        static Result taken() { return {true, false, std::nullopt}; }
        static Result changed() { return {true, true, std::nullopt}; }
        static Result chosen(unsigned id) { return {true, true, id}; }
    };

    // `store` must outlive the bar.
    MenuBar(const MenuStore& store, MenuHandle bar, int width, CanvasFactory make_canvas);

    MenuHandle handle() const { return bar_; }
    void set_width(int width);
    // Lays out and draws again after the menus changed (items, check marks).
    void refresh();

    bool is_open() const { return open_ >= 0; }
    // The item under the highlight in the open drop-down, -1 if none.
    int selected() const { return selected_; }
    void close();

    // Mouse input in window pixels.  A press on a title opens its drop-down, a
    // release over an item that can be chosen chooses it, a press anywhere else
    // closes the drop-down.
    Result mouse_down(int x, int y);
    Result mouse_up(int x, int y);
    Result mouse_move(int x, int y);
    // A system key while no drop-down is open: Alt with an access letter
    // (lower case) opens that title's drop-down; 0 (F10) opens the first one.
    Result open_by_key(char letter);
    // A key while a drop-down is open; `typed` is the character it types, 0 if none.
    Result key_down(std::uintptr_t virtual_key, unsigned typed);

    // What to show: the bar (width x HEIGHT at the window's top left) and, while
    // a drop-down is open, its image at drop_rect(); null where no canvas could
    // be made.
    const Canvas* bar_image() const { return bar_image_.get(); }
    const Canvas* drop_image() const { return drop_image_.get(); }
    Rect drop_rect() const { return drop_rect_; }
    // Where a title and an item of the open drop-down are, in window pixels.
    Rect title_rect(std::size_t index) const;
    Rect item_rect(std::size_t index) const;

private:
    struct Title {
        LabelParts label;
        MenuHandle popup = 0;  // 0: not a drop-down
        int left = 0, right = 0;
    };
    struct Row {
        LabelParts label;
        int top = 0, bottom = 0;  // drop-down image pixels
    };

    const std::vector<MenuItem>& open_items() const;
    int title_at(int x, int y) const;
    int row_at(int x, int y) const;
    bool choosable(int row) const;
    int step_selection(int from, int direction) const;
    void open(int title, bool select_first);
    Result choose(int row);
    void layout_titles();
    void layout_drop_down();
    void draw_bar();
    void draw_drop_down();
    int text_width(std::string_view text) const;

    const MenuStore& store_;
    MenuHandle bar_;
    int width_;
    CanvasFactory make_canvas_;
    std::unique_ptr<Canvas> bar_image_;  // also measures the text
    std::unique_ptr<Canvas> drop_image_;
    Rect drop_rect_;
    std::vector<Title> titles_;
    std::vector<Row> rows_;
    int open_ = -1;
    int selected_ = -1;
};

}  // namespace tovik::window_system
