// What a window shows, and which of its rows changed since they were last put
// on the screen.
//
// The picture is the native window's: the menu strip at the top, the client
// area below it, and an open drop-down over the client area.  The client
// pixels under a drop-down are kept aside while it is open, so that it closes
// without a repaint; a copy of the client image compares row by row with what
// is shown: from one frame to the next the game changes a few hundred pixels,
// so only those rows need to reach the screen.
#pragma once

#include <cstdint>
#include <vector>

#include "canvas.h"
#include "platform.h"

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
    int client_height() const { return height_ - strip_; }
    FrameView frame() const { return {frame_.data(), width_, height_}; }

    // A new size or menu strip.  The part of the client image that still fits
    // stays, the rest shows `background`, and so does the strip until the
    // menu is composed; every row counts as changed.
    void resize(int width, int height, int strip, std::uint32_t background);
    // Takes over the client rows that differ in the top-left width x height
    // pixels of `image` (clipped to the client area).
    void copy_client(const Canvas& image, int width, int height);
    // Draws the menu strip and the open drop-down, if any, again.
    void compose_menu(const MenuBar* menu);
    void mark_all();
    // The runs of rows changed since the last take, in order; forgets them.
    void take_changed(std::vector<RowRun>& runs);

private:
    std::uint32_t* row(int y) { return frame_.data() + static_cast<std::ptrdiff_t>(y) * width_; }
    void mark(int y);
    // Puts the client pixels kept under the drop-down back.
    void uncover();

    int width_ = 0;
    int height_ = 0;
    int strip_ = 0;
    std::uint32_t background_ = 0;
    std::vector<std::uint32_t> frame_;  // width_ x height_: what the window shows
    std::vector<std::uint32_t> row_;    // a row of a canvas without rows of its own
    std::vector<std::uint8_t> changed_;  // one flag a row
    bool any_changed_ = false;
    Rect covered_;                      // where the open drop-down is, clipped
    std::vector<std::uint32_t> under_;  // the client pixels there, rows covered_'s width apart
};

}  // namespace tovik::window_system
