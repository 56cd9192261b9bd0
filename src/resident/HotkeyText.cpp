#include "resident/HotkeyText.h"

#include "resident/Pattern.h"

#include <array>

namespace glaze {
namespace {

struct NamedKey {
    std::wstring_view Name;
    uint32_t Key;
};

// Keys besides letters, digits and function keys, by the platform's virtual-key codes.
constexpr std::array<NamedKey, 9> NamedKeys{{
    {L"Space", 0x20},
    {L"PageUp", 0x21},
    {L"PageDown", 0x22},
    {L"End", 0x23},
    {L"Home", 0x24},
    {L"Insert", 0x2D},
    {L"Delete", 0x2E},
    {L"Pause", 0x13},
    {L"Ins", 0x2D}, // short spellings read, never written
}};

constexpr uint32_t F1 = 0x70;

struct NamedModifier {
    std::wstring_view Name;
    uint32_t Flag;
};

constexpr std::array<NamedModifier, 5> Modifiers{{
    {L"Ctrl", Hotkey::Ctrl},
    {L"Alt", Hotkey::Alt},
    {L"Shift", Hotkey::Shift},
    {L"Win", Hotkey::Win},
    {L"Control", Hotkey::Ctrl},
}};

bool SameName(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        if (FoldCase(a[i]) != FoldCase(b[i])) {
            return false;
        }
    }
    return true;
}

std::wstring_view TrimmedPart(std::wstring_view part) {
    const size_t first = part.find_first_not_of(L" \t");
    if (first == std::wstring_view::npos) {
        return {};
    }
    return part.substr(first, part.find_last_not_of(L" \t") - first + 1);
}

std::optional<uint32_t> KeyOf(std::wstring_view name) {
    if (name.size() == 1) {
        const wchar_t c = FoldCase(name[0]);
        if (c >= L'a' && c <= L'z') {
            return static_cast<uint32_t>(c - L'a' + L'A');
        }
        if (c >= L'0' && c <= L'9') {
            return static_cast<uint32_t>(c);
        }
        return std::nullopt;
    }
    if ((name[0] == L'F' || name[0] == L'f') && name.size() <= 3) {
        uint32_t number = 0;
        for (const wchar_t c : name.substr(1)) {
            if (c < L'0' || c > L'9') {
                return std::nullopt;
            }
            number = number * 10 + static_cast<uint32_t>(c - L'0');
        }
        if (number >= 1 && number <= 24 && name[1] != L'0') {
            return F1 + number - 1;
        }
        return std::nullopt;
    }
    for (const NamedKey& named : NamedKeys) {
        if (SameName(name, named.Name)) {
            return named.Key;
        }
    }
    return std::nullopt;
}

} // namespace

std::optional<Hotkey> ParseHotkey(std::wstring_view text) {
    Hotkey hotkey;
    bool haveKey = false;
    size_t start = 0;
    while (start <= text.size()) {
        const size_t plus = text.find(L'+', start);
        const std::wstring_view part = TrimmedPart(text.substr(
            start, plus == std::wstring_view::npos ? std::wstring_view::npos : plus - start));
        start = plus == std::wstring_view::npos ? text.size() + 1 : plus + 1;
        if (part.empty()) {
            return std::nullopt;
        }
        bool modifier = false;
        for (const NamedModifier& named : Modifiers) {
            if (SameName(part, named.Name)) {
                if ((hotkey.Modifiers & named.Flag) != 0) {
                    return std::nullopt; // said twice
                }
                hotkey.Modifiers |= named.Flag;
                modifier = true;
            }
        }
        if (modifier) {
            continue;
        }
        const auto key = KeyOf(part);
        if (!key || haveKey) {
            return std::nullopt;
        }
        hotkey.Key = *key;
        haveKey = true;
    }
    if (!haveKey || (hotkey.Modifiers & (Hotkey::Ctrl | Hotkey::Alt | Hotkey::Win)) == 0) {
        return std::nullopt;
    }
    return hotkey;
}

std::wstring HotkeyText(const Hotkey& hotkey) {
    std::wstring text;
    for (const NamedModifier& named : Modifiers) {
        if ((hotkey.Modifiers & named.Flag) != 0 && named.Name != L"Control") {
            text += named.Name;
            text += L'+';
        }
    }
    const uint32_t key = hotkey.Key;
    if ((key >= L'A' && key <= L'Z') || (key >= L'0' && key <= L'9')) {
        text += static_cast<wchar_t>(key);
    } else if (key >= F1 && key < F1 + 24) {
        text += L'F' + std::to_wstring(key - F1 + 1);
    } else {
        for (const NamedKey& named : NamedKeys) {
            if (named.Key == key) {
                text += named.Name;
                break;
            }
        }
    }
    return text;
}

} // namespace glaze
