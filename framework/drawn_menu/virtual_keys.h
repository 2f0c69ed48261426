// The platform's virtual-key codes that the backends and the drawn menu name;
// letters and digits are their capital ASCII codes.
#pragma once

#include <cstdint>

namespace tovik {

constexpr std::uintptr_t VK_BACK = 8;
constexpr std::uintptr_t VK_TAB = 9;
constexpr std::uintptr_t VK_RETURN = 13;
constexpr std::uintptr_t VK_SHIFT = 16;
constexpr std::uintptr_t VK_CONTROL = 17;
constexpr std::uintptr_t VK_MENU = 18;  // Alt
constexpr std::uintptr_t VK_ESCAPE = 27;
constexpr std::uintptr_t VK_LEFT = 37;
constexpr std::uintptr_t VK_UP = 38;
constexpr std::uintptr_t VK_RIGHT = 39;
constexpr std::uintptr_t VK_DOWN = 40;
constexpr std::uintptr_t VK_F10 = 121;

}  // namespace tovik
