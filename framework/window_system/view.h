// How a window's picture stands on its native window: at an integer scale,
// each picture pixel a square of native pixels (never blurred), placed in a
// native window that may be larger than it (full screen, a tiling window
// manager, a window manager that ignores the fixed size), with the rest in
// one colour.  The picture itself, and so every pixel of the framework and
// every click it sees, stays as at scale 1.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "window_system/picture.h"

namespace tovik::window_system {

struct View {
    int scale = 1;
    int x = 0, y = 0;           // where the picture's top-left pixel lands
    int width = 0, height = 0;  // the native window
    std::uint32_t surround = 0;  // 0x00RRGGBB around the picture
    bool operator==(const View&) const = default;
};

// The scale a window of width x height is shown at on a desktop of
// `desktop_scale`: the nearest integer, at least 1, and no larger than lets
// it fit the usable area (a size of 0 is unknown: no limit that way).
int desktop_scale_for(double desktop_scale, int width, int height, int usable_width,
                      int usable_height);

// The largest scale, at least 1, at which width x height fits into a native
// window of native_width x native_height.
int fitting_scale(int width, int height, int native_width, int native_height);

// How a picture is shown in an area of a page whose layout units are `ratio`
// native pixels each (a browser's CSS and device pixels).  Where a whole
// number of native pixels per picture pixel fits and is at least one layout
// unit, the largest such number, shown as it is: square and crisp.  Where
// none is (a phone), the picture fills the area at the largest whole number
// that fits (at least 1) and the page stretches it the rest of the way.
struct AreaFit {
    int scale = 1;                  // native pixels per picture pixel, as drawn
    double width = 0, height = 0;   // the size shown, in layout units
};
AreaFit fit_to_area(int width, int height, double area_width, double area_height, double ratio);

// The picture pixel that the native pixel (x, y) shows; false if it shows none.
bool to_picture(const View& view, int picture_width, int picture_height, int& x, int& y);

// The native frame of a window whose view is not the picture as it is: the
// picture's changed rows scaled into it.
class NativeFrame {
public:
    // Whether the picture can be put as it is: scale 1, filling the window.
    static bool direct(const View& view, const FrameView& picture);

    // A new view: the next update draws the whole frame.
    void set_view(const View& view);
    // Scales the picture rows `runs` into the frame; `native_runs` receives
    // the frame's rows they became (all of them after a new view).
    void update(const FrameView& picture, std::span<const RowRun> runs,
                std::vector<RowRun>& native_runs);
    FrameView frame() const { return {pixels_.data(), view_.width, view_.height}; }

private:
    void draw(const FrameView& picture, std::span<const RowRun> runs,
              std::vector<RowRun>& native_runs);

    View view_;
    std::vector<std::uint32_t> pixels_;
    bool whole_ = true;  // the surround and every row are to be drawn
};

}  // namespace tovik::window_system
