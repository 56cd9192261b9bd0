#pragma once
// Portable: a hotkey as people write it ("Ctrl+Alt+G") and as the platform registers it (a set
// of modifier flags and a virtual-key code).

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace glaze {

struct Hotkey {
    // The platform's modifier flags: Alt 1, Ctrl 2, Shift 4, Win 8.
    static constexpr uint32_t Alt = 1;
    static constexpr uint32_t Ctrl = 2;
    static constexpr uint32_t Shift = 4;
    static constexpr uint32_t Win = 8;

    uint32_t Modifiers = 0;
    uint32_t Key = 0; // the platform's virtual-key code

    bool operator==(const Hotkey&) const = default;
};

inline constexpr std::wstring_view DefaultHotkeyText = L"Ctrl+Alt+G";

// Modifiers and one key joined by "+", in any order and any case, blanks around the parts
// allowed: Ctrl (or Control), Alt, Shift, Win; a letter, a digit, F1 to F24, Space, Insert,
// Delete, Home, End, PageUp, PageDown, Pause. At least one of Ctrl, Alt and Win is needed, so
// that the hotkey never takes a key that people type. Nothing for any other text.
std::optional<Hotkey> ParseHotkey(std::wstring_view text);

// The hotkey written the one way ParseHotkey reads back: "Ctrl+Alt+Shift+Win+Key" order.
std::wstring HotkeyText(const Hotkey& hotkey);

} // namespace glaze
