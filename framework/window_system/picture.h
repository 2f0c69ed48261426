// What a window shows, and which of its rows changed since they were last put
// on the screen.
//
// The picture is the native window's: the menu strip at the top, the client
// area below it, and an open drop-down over both.  It keeps the client
// image last copied apart, so that a drop-down can close without a repaint
// and a copy can tell which rows differ: from one frame to the next the game
// changes a few hundred pixels, so only those rows need to reach the screen.
#pragma once

#include <cstdint>
#include <vector>

#include "canvas.h"

namespace tovik::window_system {

class MenuBar;

// A picture's pixels, 0x00RRGGBB, rows `width` apart.
struct FrameView {
    const std::uint32_t* pixels = nullptr;
    int width = 0;
    int height = 0;
};

// Rows top .. top + count - 1.
struct RowRun {
    int top = 0;
    int count = 0;
};

class Picture {
public:
    int width() const { return width_; }
    int height() const { return height_; }
    int strip() const { return strip_; }
    int client_height() const { return height_ > strip_ ? height_ - strip_ : 0; }
    FrameView frame() const { return {frame_.data(), width_, height_}; }

    // A new size or menu strip.  The part of the client image that still fits
    // stays, the rest shows `background`; every row counts as changed.
    void resize(int width, int height, int strip, std::uint32_t background);
    // Takes over the client rows that differ in the top-left width x height
    // pixels of `image` (clipped to the client area).
    void copy_client(const Canvas& image, int width, int height, const MenuBar* menu);
    // Composes again the rows that the menu covers or covered.
    void compose_menu(const MenuBar* menu);
    void mark_all();
    // The runs of rows changed since the last take, in order; forgets them.
    void take_changed(std::vector<RowRun>& runs);

private:
    // Writes row y from the strip or the client image with the drop-down
    // over it, and marks it if it changed.
    void compose_row(int y, const MenuBar* menu);

    int width_ = 0;
    int height_ = 0;
    int strip_ = 0;
    std::uint32_t background_ = 0;
    std::vector<std::uint32_t> client_;  // width_ x client_height(): the last image copied
    std::vector<std::uint32_t> frame_;   // width_ x height_: what the window shows
    std::vector<std::uint32_t> row_;     // compose_row's and copy_client's work row
    std::vector<std::uint8_t> changed_;  // one flag a frame row
    bool any_changed_ = false;
    int menu_bottom_ = 0;  // rows above it may show the menu
};

}  // namespace tovik::window_system
