#include "window_system/menu_store.h"

#include <cctype>

namespace tovik::window_system {

char LabelParts::access_letter() const {
    if (access < 0) return 0;
    return static_cast<char>(
        std::tolower(static_cast<unsigned char>(text[static_cast<std::size_t>(access)])));
}

LabelParts parse_label(std::string_view label) {
    LabelParts parts;
    const std::size_t tab = label.find('\t');
    if (tab != std::string_view::npos) {
        parts.shortcut = std::string(label.substr(tab + 1));
        label = label.substr(0, tab);
    }
    for (std::size_t i = 0; i < label.size(); ++i) {
        if (label[i] == '&' && i + 1 < label.size()) {
            ++i;
            if (label[i] != '&' && parts.access < 0) {
                parts.access = static_cast<int>(parts.text.size());
            }
        }
        parts.text += label[i];
    }
    return parts;
}

MenuHandle MenuStore::create() {
    menus_.emplace_back();
    return menus_.size();
}

void MenuStore::append(MenuHandle menu, std::uint32_t flags, std::uintptr_t id_or_popup,
                       const char* label) {
    if (!valid(menu)) return;
    menus_[menu - 1].push_back({flags, id_or_popup, label != nullptr ? label : ""});
}

bool MenuStore::check(MenuHandle menu, unsigned id, bool checked) {
    if (!valid(menu)) return false;
    for (MenuItem& item : menus_[menu - 1]) {
        if (item.separator() || item.popup() || item.id_or_popup != id) continue;
        const std::uint32_t flags =
            checked ? (item.flags | MENU_CHECKED) : (item.flags & ~MENU_CHECKED);
        const bool changed = flags != item.flags;
        item.flags = flags;
        return changed;
    }
    return false;
}

const std::vector<MenuItem>& MenuStore::items(MenuHandle menu) const {
    static const std::vector<MenuItem> none;
    return valid(menu) ? menus_[menu - 1] : none;
}

}  // namespace tovik::window_system
