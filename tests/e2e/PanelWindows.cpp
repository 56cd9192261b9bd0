#include "PanelWindows.h"

#include "MouseSupport.h"

namespace glaze::e2e {

GlazeWindows WaitForGlazeWindows(const Process& process) {
    GlazeWindows found;
    WaitUntil([&] {
        found = {};
        for (HWND window : process.Windows()) {
            if (!IsWindowVisible(window) || ClassOf(window) != L"GlazeForm") {
                continue;
            }
            const auto exStyle = GetWindowLongPtrW(window, GWL_EXSTYLE);
            (exStyle & WS_EX_LAYERED ? found.Frame : found.Content) = window;
        }
        return found.Frame != nullptr && found.Content != nullptr;
    });
    return found;
}

bool TitleBoxSeen(HWND content) {
    const RECT box = ClientRectOnScreen(TitleBoxOf(content));
    // Right of the box's text, left of the accent's end.
    const POINT blank{box.left + 150, (box.top + box.bottom) / 2};
    const COLORREF window = GetSysColor(COLOR_WINDOW);
    const uint32_t expected = (uint32_t{GetRValue(window)} << 16) |
                              (uint32_t{GetGValue(window)} << 8) | GetBValue(window);
    return ScreenPixels({blank.x, blank.y, blank.x + 1, blank.y + 1}).front() == expected;
}

namespace {

// Through the W messages: under Wine the A ones answer another process in UTF-16.
std::vector<std::wstring> Entries(HWND control, UINT countMessage, UINT lengthMessage,
                                  UINT textMessage) {
    std::vector<std::wstring> entries;
    const auto count = SendMessageW(control, countMessage, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        const auto length = SendMessageW(control, lengthMessage, static_cast<WPARAM>(i), 0);
        std::wstring text(static_cast<size_t>(length) + 1, L'\0');
        SendMessageW(control, textMessage, static_cast<WPARAM>(i),
                     reinterpret_cast<LPARAM>(text.data()));
        text.resize(static_cast<size_t>(length));
        entries.push_back(text);
    }
    return entries;
}

} // namespace

std::vector<std::wstring> ComboEntries(HWND combo) {
    return Entries(combo, CB_GETCOUNT, CB_GETLBTEXTLEN, CB_GETLBTEXT);
}

std::vector<std::wstring> ListEntries(HWND list) {
    return Entries(list, LB_GETCOUNT, LB_GETTEXTLEN, LB_GETTEXT);
}

MessageBoxSeen WaitForMessageBox(const Process& process) {
    // The text control has the id 0xFFFF, under Wine too; Wine shows the box before its texts
    // are filled in, so the box counts as shown once its text has arrived.
    constexpr int TextId = 0xFFFF;
    MessageBoxSeen seen;
    seen.Window = WaitFor([&]() -> HWND {
        for (HWND window : process.Windows()) {
            if (ClassOf(window) == L"#32770" && IsWindowVisible(window) &&
                !TextOf(GetDlgItem(window, TextId)).empty()) {
                return window;
            }
        }
        return nullptr;
    });
    if (seen.Window != nullptr) {
        seen.Caption = TextOf(seen.Window);
        seen.Text = TextOf(GetDlgItem(seen.Window, TextId));
    }
    return seen;
}

} // namespace glaze::e2e
