// Choosing the window to frame: the window list filled by 刷新, a click on one of its entries,
// and the finder tool dragged over the screen. Each puts a title into TitleBox.

#include "panel/ControlPanel.h"

#include "frame/FrameWindow.h"
#include "platform/Captions.h"
#include "platform/AnsiText.h"
#include "platform/TopLevelWindows.h"
#include "res/resource.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <array>

namespace glaze {
namespace {

// How long the finder waits for the window under the pointer to tell its text: a window that
// does not answer must not freeze the panel.
constexpr UINT TextRequestTimeoutMs = 2000;

std::wstring ListText(HWND list, int index) {
    return ListEntryText(list, LB_GETTEXTLEN, LB_GETTEXT, index);
}

int ListCount(HWND list) {
    return static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
}

void AddListEntry(HWND list, const std::wstring& text) {
    SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(ToAnsi(text).c_str()));
}

// Brings the window with the title to the front: the first visible top-level window titled
// exactly so, else the first one whose title begins with it. Only windows the user can see
// count, so the list offers no hidden helper windows. False when there is no such window.
bool ActivateWindowTitled(const std::wstring& title) {
    if (title.empty()) {
        return false;
    }
    HWND beginsWith = nullptr;
    for (const HWND window : TopLevelWindows()) {
        if (!IsWindowVisible(window)) {
            continue;
        }
        const std::wstring candidate = WindowTitle(window);
        if (candidate == title) {
            SetForegroundWindow(window);
            return true;
        }
        if (beginsWith == nullptr && candidate.starts_with(title)) {
            beginsWith = window;
        }
    }
    if (beginsWith == nullptr) {
        return false;
    }
    SetForegroundWindow(beginsWith);
    return true;
}

HCURSOR FinderCursor() {
    return LoadCursorA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDC_FINDER));
}

// The text a window gives for WM_GETTEXT, without its leading blanks; nothing when the window
// does not answer.
std::optional<std::wstring> TextOfWindow(HWND window) {
    std::array<char, 255> buffer{};
    buffer.fill(' ');
    DWORD_PTR copied = 0;
    if (SendMessageTimeoutA(window, WM_GETTEXT, buffer.size(),
                            reinterpret_cast<LPARAM>(buffer.data()), SMTO_ABORTIFHUNG,
                            TextRequestTimeoutMs, &copied) == 0) {
        return std::nullopt;
    }
    std::string_view text(buffer.data(), buffer.size());
    text = text.substr(0, text.find('\0'));
    const size_t first = text.find_first_not_of(' ');
    return FromAnsi(first == std::string_view::npos ? std::string_view() : text.substr(first));
}

bool IsButtonDown(UINT message) {
    return message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN;
}

bool IsButtonUp(UINT message) {
    return message == WM_LBUTTONUP || message == WM_RBUTTONUP || message == WM_MBUTTONUP;
}

} // namespace

void ControlPanel::OnRefresh() {
    CollectWindowTitles();
    FilterWindowTitles();
    SetTitleBoxText(ListText(WindowList, 0));
    // The notes over the list have served their purpose once the list has been filled.
    ShowWindow(UsageText, SW_HIDE);
    ShowWindow(CreditsText, SW_HIDE);
}

void ControlPanel::CollectWindowTitles() {
    SendMessageA(CollectedTitles, LB_RESETCONTENT, 0, 0);
    for (const HWND window : TopLevelWindows()) {
        if (const std::wstring title = WindowTitle(window); !title.empty()) {
            AddListEntry(CollectedTitles, title);
        }
    }
}

void ControlPanel::FilterWindowTitles() {
    if (ListCount(CollectedTitles) == 0) {
        return;
    }
    for (int i = ListCount(CollectedTitles); i-- > 0;) {
        if (ListText(CollectedTitles, i) == TitleMarker) {
            SendMessageA(CollectedTitles, LB_DELETESTRING, static_cast<WPARAM>(i), 0);
        }
    }
    SendMessageA(WindowList, LB_RESETCONTENT, 0, 0);
    // Only a window that can be brought to the front can be framed; the bottom-most title is
    // left out.
    for (int i = 0; i + 1 < ListCount(CollectedTitles); ++i) {
        const std::wstring title = ListText(CollectedTitles, i);
        if (ActivateWindowTitled(title)) {
            AddListEntry(WindowList, title);
        }
    }
    ActivateWindowTitled(frame_.Caption());
    if (ListCount(WindowList) > 0) {
        FitListExtent();
        SendMessageA(WindowList, LB_SETCURSEL, 0, 0);
    }
}

void ControlPanel::FitListExtent() {
    const WindowDc dc(WindowList);
    const SelectedObject font(
        dc, reinterpret_cast<HGDIOBJ>(SendMessageA(WindowList, WM_GETFONT, 0, 0)));
    LONG widest = 0;
    for (int i = 0; i < ListCount(WindowList); ++i) {
        const std::string text = ToAnsi(ListText(WindowList, i));
        SIZE size{};
        GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
        widest = std::max(widest, size.cx);
    }
    SendMessageA(WindowList, LB_SETHORIZONTALEXTENT,
                 static_cast<WPARAM>(widest + ScaleForDpi(10, dpi_)), 0);
}

void ControlPanel::OnWindowListClick(int x, int y) {
    const auto point = static_cast<LPARAM>(x) + static_cast<LPARAM>(y) * 65536;
    const LRESULT item = SendMessageA(WindowList, LB_ITEMFROMPOINT, 0, point);
    if (item < 0 || item >= 0x10000 ||
        SendMessageA(WindowList, LB_GETTEXTLEN, static_cast<WPARAM>(item), 0) == LB_ERR) {
        return;
    }
    SetTitleBoxText(ListText(WindowList, static_cast<int>(item)));
}

void ControlPanel::OnFinderPressed() {
    if (FinderDragging) {
        return;
    }
    FinderDragging = true;
    SetCursor(FinderCursor());
    SetCapture(window_);
}

void ControlPanel::OnMouseMove(const MouseEvent& event) {
    if (FinderDragging) {
        SetCursor(FinderCursor());
        ShowTextUnderPointer(event);
    }
}

void ControlPanel::ShowTextUnderPointer(const MouseEvent& event) {
    POINT point{event.X, event.Y};
    if (!ClientToScreen(window_, &point)) {
        return;
    }
    HWND under = WindowFromPoint(point);
    std::array<char, 255> className{};
    if (GetClassNameA(under, className.data(), static_cast<int>(className.size())) == 0) {
        return;
    }
    if (const auto text = TextOfWindow(under)) {
        SetTitleBoxText(*text);
    }
}

void ControlPanel::OnMouseUp(const MouseEvent&) {
    if (FinderDragging) {
        EndFinderDrag();
    }
}

void ControlPanel::EndFinderDrag() {
    SetCursor(LoadCursorA(nullptr, MAKEINTRESOURCEA(32512))); // IDC_ARROW
    FinderDragging = false;
    ReleaseCapture();
}

std::optional<LRESULT> ControlPanel::OnFinderMessage(UINT message) {
    if (!FinderDragging) {
        return std::nullopt;
    }
    switch (message) {
    case WM_SETCURSOR:
        SetCursor(FinderCursor());
        return TRUE;
    case WM_CAPTURECHANGED:
        // Another window took the mouse (a message box, a switch to another program): the drag
        // is over, or the next press on the finder would be ignored.
        EndFinderDrag();
        return 0;
    default:
        return std::nullopt;
    }
}

LRESULT CALLBACK ControlPanel::ControlMouseProc(HWND window, UINT message, WPARAM wParam,
                                                LPARAM lParam, UINT_PTR id, DWORD_PTR self) {
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(window, ControlMouseProc, id);
        return DefSubclassProc(window, message, wParam, lParam);
    }
    auto& panel = *reinterpret_cast<ControlPanel*>(self);
    if (window == panel.FinderTool && IsButtonDown(message)) {
        try {
            panel.OnFinderPressed();
        } catch (...) {
            // The press is simply lost.
        }
        return 0;
    }
    const LRESULT result = DefSubclassProc(window, message, wParam, lParam);
    if (window == panel.WindowList && IsButtonUp(message)) {
        try {
            panel.OnWindowListClick(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        } catch (...) {
            // TitleBox keeps what it held.
        }
    }
    return result;
}

} // namespace glaze
