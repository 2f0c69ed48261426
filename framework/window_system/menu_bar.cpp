#include "window_system/menu_bar.h"

#include <algorithm>
#include <cctype>
#include <string_view>


namespace tovik::window_system {

namespace {

// Sizes and colours of a light native menu.
const FontRequest MENU_FONT{FontFace::Menu, -12};
constexpr int TITLE_PADDING = 7;
constexpr int BORDER = 1;
constexpr int PADDING = 2;      // inside the border, above the first and below the last row
constexpr int GUTTER = 28;      // the column of the check marks
constexpr int SHORTCUT_GAP = 24;
constexpr int RIGHT_MARGIN = 20;
constexpr int MIN_ROW_HEIGHT = 22;
constexpr int SEPARATOR_HEIGHT = 9;

constexpr Colour BAR_COLOUR = rgb(240, 240, 240);
constexpr Colour DROP_COLOUR = rgb(242, 242, 242);
constexpr Colour DROP_BORDER_COLOUR = rgb(151, 151, 151);
constexpr Colour SEPARATOR_COLOUR = rgb(215, 215, 215);
constexpr Colour HIGHLIGHT_COLOUR = rgb(204, 232, 255);
constexpr Colour HIGHLIGHT_BORDER_COLOUR = rgb(153, 209, 255);
constexpr Colour TEXT_COLOUR = rgb(0, 0, 0);
constexpr Colour GRAYED_TEXT_COLOUR = rgb(109, 109, 109);

// The check mark, one row of pixels per string.
constexpr std::string_view CHECK_MARK[] = {
    "......#", ".....##", "#...###", "##.###.", "#####..", ".###...", "..#....",
};
constexpr int CHECK_SIZE = 7;

bool inside(const Rect& r, int x, int y) {
    return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}

void frame(Canvas& canvas, const Rect& r, Colour colour) {
    canvas.fill_rect(r.left, r.top, r.right, r.top + 1, colour);
    canvas.fill_rect(r.left, r.bottom - 1, r.right, r.bottom, colour);
    canvas.fill_rect(r.left, r.top, r.left + 1, r.bottom, colour);
    canvas.fill_rect(r.right - 1, r.top, r.right, r.bottom, colour);
}

// The label's text with its access letter underlined, the top left of its
// cell at (x, y).
void draw_label(Canvas& canvas, const LabelParts& label, int x, int y, Colour colour) {
    canvas.text_out(MENU_FONT, x, y, label.text, colour, true, 0);
    if (label.access < 0) return;
    const std::string_view text = label.text;
    const auto access = static_cast<std::size_t>(label.access);
    const int start = x + canvas.text_extent(MENU_FONT, text.substr(0, access)).width;
    const int width = canvas.text_extent(MENU_FONT, text.substr(access, 1)).width;
    const int underline = y + canvas.font_metrics(MENU_FONT).ascent + 1;
    canvas.fill_rect(start, underline, start + width, underline + 1, colour);
}

}  // namespace

MenuBar::MenuBar(const MenuStore& store, MenuHandle bar, int width, CanvasFactory make_canvas)
    : store_(store), bar_(bar), make_canvas_(std::move(make_canvas)) {
    set_width(width);
}

void MenuBar::set_width(int width) {
    width_ = std::max(width, 0);
    bar_image_ = make_canvas_(std::max(width_, 1), HEIGHT);
    refresh();
}

void MenuBar::refresh() {
    layout_titles();
    if (open_ >= 0 && (static_cast<std::size_t>(open_) >= titles_.size() ||
                       titles_[static_cast<std::size_t>(open_)].popup == 0)) {
        close();
    }
    if (open_ >= 0) {
        layout_drop_down();
        if (!choosable(selected_)) selected_ = -1;
        draw_drop_down();
    }
    draw_bar();
}

void MenuBar::close() {
    open_ = -1;
    selected_ = -1;
    rows_.clear();
    drop_image_.reset();
    drop_rect_ = {};
    draw_bar();
}

Rect MenuBar::title_rect(std::size_t index) const {
    if (index >= titles_.size()) return {};
    return {titles_[index].left, 0, titles_[index].right, HEIGHT};
}

Rect MenuBar::item_rect(std::size_t index) const {
    if (index >= rows_.size()) return {};
    return {drop_rect_.left + BORDER, drop_rect_.top + rows_[index].top,
            drop_rect_.right - BORDER, drop_rect_.top + rows_[index].bottom};
}

// --- input -----------------------------------------------------------------

MenuBar::Result MenuBar::mouse_down(int x, int y) {
    if (open_ < 0) {
        if (y < 0 || y >= HEIGHT) return {};
        const int title = title_at(x, y);
        if (title < 0 || titles_[static_cast<std::size_t>(title)].popup == 0) return Result::taken();
        open(title, false);
        return Result::changed();
    }
    if (inside(drop_rect_, x, y)) {
        const int row = row_at(x, y);
        if (!choosable(row) || row == selected_) return Result::taken();
        selected_ = row;
        draw_drop_down();
        return Result::changed();
    }
    const int title = title_at(x, y);
    if (title >= 0 && title != open_ && titles_[static_cast<std::size_t>(title)].popup != 0) {
        open(title, false);
    } else {
        close();  // a press elsewhere only closes the drop-down
    }
    return Result::changed();
}

MenuBar::Result MenuBar::mouse_up(int x, int y) {
    if (open_ < 0) return y >= 0 && y < HEIGHT ? Result::taken() : Result{};
    if (inside(drop_rect_, x, y)) {
        const int row = row_at(x, y);
        if (choosable(row)) return choose(row);
    }
    return Result::taken();
}

MenuBar::Result MenuBar::mouse_move(int x, int y) {
    if (open_ < 0) return {};
    if (inside(drop_rect_, x, y)) {
        const int row = row_at(x, y);
        const int highlight = choosable(row) ? row : -1;
        if (highlight == selected_) return Result::taken();
        selected_ = highlight;
        draw_drop_down();
        return Result::changed();
    }
    const int title = title_at(x, y);
    if (title >= 0 && title != open_ && titles_[static_cast<std::size_t>(title)].popup != 0) {
        open(title, false);
        return Result::changed();
    }
    return Result::taken();
}

MenuBar::Result MenuBar::open_by_key(char letter) {
    for (std::size_t i = 0; i < titles_.size(); ++i) {
        if (titles_[i].popup == 0) continue;
        if (letter == 0 || titles_[i].label.access_letter() == letter) {
            open(static_cast<int>(i), true);
            return Result::changed();
        }
    }
    return {};
}

MenuBar::Result MenuBar::key_down(std::uintptr_t virtual_key, unsigned typed) {
    switch (virtual_key) {
    case VKEY_ESCAPE:
    case VKEY_MENU:
    case VKEY_F10:
        close();
        return Result::changed();
    case VKEY_UP:
    case VKEY_DOWN: {
        const int next = step_selection(selected_, virtual_key == VKEY_DOWN ? 1 : -1);
        if (next == selected_) return Result::taken();
        selected_ = next;
        draw_drop_down();
        return Result::changed();
    }
    case VKEY_LEFT:
    case VKEY_RIGHT: {
        const int count = static_cast<int>(titles_.size());
        const int direction = virtual_key == VKEY_RIGHT ? 1 : -1;
        for (int n = 1; n <= count; ++n) {
            const int title = ((open_ + direction * n) % count + count) % count;
            if (titles_[static_cast<std::size_t>(title)].popup != 0) {
                open(title, true);
                break;
            }
        }
        return Result::changed();
    }
    case VKEY_RETURN:
        if (choosable(selected_)) return choose(selected_);
        close();
        return Result::changed();
    default:
        break;
    }

    // An access letter chooses its item; when several items share it, each
    // press moves the highlight to the next of them.
    unsigned letter = typed;
    if (letter == 0 && virtual_key < 0x80 && std::isalnum(static_cast<int>(virtual_key))) {
        letter = static_cast<unsigned>(virtual_key);
    }
    if (letter == 0 || letter > 0xFF) return Result::taken();
    const char wanted = static_cast<char>(std::tolower(static_cast<int>(letter)));
    std::vector<int> matches;
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        if (choosable(static_cast<int>(i)) && rows_[i].label.access_letter() == wanted) {
            matches.push_back(static_cast<int>(i));
        }
    }
    if (matches.empty()) return Result::taken();
    if (matches.size() == 1) return choose(matches.front());
    const auto after = std::upper_bound(matches.begin(), matches.end(), selected_);
    selected_ = after != matches.end() ? *after : matches.front();
    draw_drop_down();
    return Result::changed();
}

// --- helpers ---------------------------------------------------------------

const std::vector<MenuItem>& MenuBar::open_items() const {
    static const std::vector<MenuItem> none;
    if (open_ < 0) return none;
    return store_.items(titles_[static_cast<std::size_t>(open_)].popup);
}

int MenuBar::title_at(int x, int y) const {
    if (y < 0 || y >= HEIGHT) return -1;
    for (std::size_t i = 0; i < titles_.size(); ++i) {
        if (x >= titles_[i].left && x < titles_[i].right) return static_cast<int>(i);
    }
    return -1;
}

int MenuBar::row_at(int x, int y) const {
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        if (inside(item_rect(i), x, y)) return static_cast<int>(i);
    }
    return -1;
}

bool MenuBar::choosable(int row) const {
    const std::vector<MenuItem>& items = open_items();
    return row >= 0 && static_cast<std::size_t>(row) < items.size() &&
           static_cast<std::size_t>(row) < rows_.size() &&
           items[static_cast<std::size_t>(row)].choosable();
}

// The next item that can be chosen from `from` in `direction`, wrapping round;
// from nothing, Down starts at the top and Up at the bottom.
int MenuBar::step_selection(int from, int direction) const {
    const int count = static_cast<int>(rows_.size());
    if (count == 0) return -1;
    int row = from >= 0 ? from : (direction > 0 ? -1 : count);
    for (int n = 0; n < count; ++n) {
        row = ((row + direction) % count + count) % count;
        if (choosable(row)) return row;
    }
    return -1;
}

void MenuBar::open(int title, bool select_first) {
    open_ = title;
    layout_drop_down();
    selected_ = select_first ? step_selection(-1, 1) : -1;
    draw_drop_down();
    draw_bar();
}

MenuBar::Result MenuBar::choose(int row) {
    const auto id = static_cast<unsigned>(open_items()[static_cast<std::size_t>(row)].id_or_popup);
    close();
    return Result::chosen(id);
}

// --- layout and drawing ----------------------------------------------------

void MenuBar::layout_titles() {
    titles_.clear();
    int x = 0;
    for (const MenuItem& item : store_.items(bar_)) {
        if (item.separator()) continue;
        Title title;
        title.label = parse_label(item.label);
        title.popup = item.popup() ? static_cast<MenuHandle>(item.id_or_popup) : 0;
        if (!store_.valid(title.popup)) title.popup = 0;
        title.left = x;
        title.right = x + 2 * TITLE_PADDING + text_width(title.label.text);
        x = title.right;
        titles_.push_back(std::move(title));
    }
}

void MenuBar::layout_drop_down() {
    rows_.clear();
    const TextMetrics metrics = bar_image_ ? bar_image_->font_metrics(MENU_FONT) : TextMetrics{};
    const int row_height = std::max(MIN_ROW_HEIGHT, metrics.height + 6);
    int longest_text = 0;
    int shortcut_width = 0;
    int y = BORDER + PADDING;
    for (const MenuItem& item : open_items()) {
        Row row;
        row.top = y;
        if (item.separator()) {
            y += SEPARATOR_HEIGHT;
        } else {
            row.label = parse_label(item.label);
            longest_text = std::max(longest_text, text_width(row.label.text));
            shortcut_width = std::max(shortcut_width, text_width(row.label.shortcut));
            y += row_height;
        }
        row.bottom = y;
        rows_.push_back(std::move(row));
    }
    const int width = 2 * BORDER + GUTTER + longest_text +
                      (shortcut_width > 0 ? SHORTCUT_GAP + shortcut_width : 0) + RIGHT_MARGIN;
    const int height = y + PADDING + BORDER;
    const Title& title = titles_[static_cast<std::size_t>(open_)];
    // Below its title, moved left if it would stick out on the right.
    const int left = std::max(0, std::min(title.left, width_ - width));
    drop_rect_ = {left, HEIGHT, left + width, HEIGHT + height};
}

int MenuBar::text_width(std::string_view text) const {
    return bar_image_ ? bar_image_->text_extent(MENU_FONT, text).width : 0;
}

void MenuBar::draw_bar() {
    if (!bar_image_) return;
    Canvas& bar = *bar_image_;
    bar.fill_rect(0, 0, width_, HEIGHT, BAR_COLOUR);
    const TextMetrics metrics = bar.font_metrics(MENU_FONT);
    const int text_top = (HEIGHT - metrics.height) / 2;
    for (std::size_t i = 0; i < titles_.size(); ++i) {
        const Title& title = titles_[i];
        if (static_cast<int>(i) == open_) {
            const Rect cell{title.left, 0, title.right, HEIGHT};
            bar.fill_rect(cell.left, cell.top, cell.right, cell.bottom, HIGHLIGHT_COLOUR);
            frame(bar, cell, HIGHLIGHT_BORDER_COLOUR);
        }
        draw_label(bar, title.label, title.left + TITLE_PADDING, text_top,
                   title.popup != 0 ? TEXT_COLOUR : GRAYED_TEXT_COLOUR);
    }
}

void MenuBar::draw_drop_down() {
    const int width = drop_rect_.right - drop_rect_.left;
    const int height = drop_rect_.bottom - drop_rect_.top;
    drop_image_ = make_canvas_(width, height);
    if (!drop_image_) return;
    Canvas& canvas = *drop_image_;
    canvas.fill_rect(0, 0, width, height, DROP_COLOUR);
    frame(canvas, {0, 0, width, height}, DROP_BORDER_COLOUR);

    const TextMetrics metrics = canvas.font_metrics(MENU_FONT);
    const std::vector<MenuItem>& items = open_items();
    for (std::size_t i = 0; i < rows_.size() && i < items.size(); ++i) {
        const Row& row = rows_[i];
        const MenuItem& item = items[i];
        if (item.separator()) {
            const int middle = (row.top + row.bottom) / 2;
            canvas.fill_rect(BORDER + GUTTER, middle, width - BORDER - 2, middle + 1, SEPARATOR_COLOUR);
            continue;
        }
        if (static_cast<int>(i) == selected_) {
            const Rect cell{BORDER + 2, row.top, width - BORDER - 2, row.bottom};
            canvas.fill_rect(cell.left, cell.top, cell.right, cell.bottom, HIGHLIGHT_COLOUR);
            frame(canvas, cell, HIGHLIGHT_BORDER_COLOUR);
        }
        const Colour colour = item.choosable() ? TEXT_COLOUR : GRAYED_TEXT_COLOUR;
        if (item.checked()) {
            const int left = BORDER + (GUTTER - CHECK_SIZE) / 2;
            const int top = row.top + (row.bottom - row.top - CHECK_SIZE) / 2;
            for (int dy = 0; dy < CHECK_SIZE; ++dy) {
                for (int dx = 0; dx < CHECK_SIZE; ++dx) {
                    if (CHECK_MARK[dy][static_cast<std::size_t>(dx)] == '#') {
                        canvas.set_pixel(left + dx, top + dy, colour);
                    }
                }
            }
        }
        const int text_top = row.top + (row.bottom - row.top - metrics.height) / 2;
        draw_label(canvas, row.label, BORDER + GUTTER, text_top, colour);
        if (!row.label.shortcut.empty()) {
            const int shortcut_width = canvas.text_extent(MENU_FONT, row.label.shortcut).width;
            canvas.text_out(MENU_FONT, width - BORDER - RIGHT_MARGIN - shortcut_width, text_top,
                            row.label.shortcut, colour, true, 0);
        }
    }
}

}  // namespace tovik::window_system
