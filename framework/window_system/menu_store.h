// The menus that the platform's menu calls build: menu bars and drop-downs as
// lists of items, with the labels taken apart for drawing.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform.h"

namespace tovik::window_system {

struct MenuItem {
    std::uint32_t flags = MENU_STRING;
    std::uintptr_t id_or_popup = 0;  // command id, or the drop-down of a MENU_POPUP item
    std::string label;

    bool separator() const { return (flags & MENU_SEPARATOR) != 0; }
    bool popup() const { return (flags & MENU_POPUP) != 0; }
    bool checked() const { return (flags & MENU_CHECKED) != 0; }
    bool grayed() const { return (flags & MENU_GRAYED) != 0; }
    // Only enabled command items can be chosen; drop-downs inside drop-downs
    // are not supported and count as greyed.
    bool choosable() const { return !separator() && !grayed() && !popup(); }
};

// A label as shown: "&" marks the access letter ("&&" is a plain "&"), a tab
// separates the shortcut text, which is shown right-aligned.
struct LabelParts {
    std::string text;
    std::string shortcut;
    int access = -1;  // byte index of the access letter in `text`, -1 if none

    // The access letter in lower case, 0 if none.
    char access_letter() const;
};

LabelParts parse_label(std::string_view label);

class MenuStore {
public:
    MenuHandle create();
    bool valid(MenuHandle menu) const { return menu != 0 && menu <= menus_.size(); }
    // Ignored for a handle that is no menu.
    void append(MenuHandle menu, std::uint32_t flags, std::uintptr_t id_or_popup,
                const char* label);
    // Checks or unchecks the first command item with the id, as the native call
    // does; returns whether anything changed.
    bool check(MenuHandle menu, unsigned id, bool checked);
    // The items; none for a handle that is no menu.
    const std::vector<MenuItem>& items(MenuHandle menu) const;

private:
    std::vector<std::vector<MenuItem>> menus_;  // handle m is menus_[m - 1]
};

}  // namespace tovik::window_system
