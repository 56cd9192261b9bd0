#include "panel/PictureBox.h"

#include <algorithm>

namespace glaze {
namespace {

constexpr char PictureBoxClassName[] = "GlazePicture";
// Window extra bytes: the picture, then whether the mouse goes on to the parent.
constexpr int PictureSlot = 0;
constexpr int ForwardMouseSlot = static_cast<int>(sizeof(LONG_PTR));

LRESULT CALLBACK PictureBoxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

void RegisterPictureBoxClass() {
    static const bool registered = [] {
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = PictureBoxProc;
        wc.cbWndExtra = 2 * static_cast<int>(sizeof(LONG_PTR));
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)); // IDC_ARROW
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = PictureBoxClassName;
        return RegisterClassExA(&wc) != 0;
    }();
    (void)registered;
}

bool IsControlReport(UINT message, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_COMPAREITEM:
    case WM_DELETEITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
        return true;
    case WM_HSCROLL:
    case WM_VSCROLL:
        return lParam != 0; // from a scroll bar control, not the box's own bars
    default:
        return false;
    }
}

bool IsClientMouse(UINT message) {
    return message >= WM_MOUSEFIRST && message <= WM_MBUTTONDBLCLK; // the wheel bubbles by itself
}

void Paint(HWND window) {
    PAINTSTRUCT paint{};
    HDC dc = BeginPaint(window, &paint);
    if (HICON picture = PictureOf(window); picture != nullptr && dc != nullptr) {
        // As large as the box: a box laid out for a higher DPI shows its picture larger too.
        RECT client{};
        GetClientRect(window, &client);
        const int side = std::min(client.right, client.bottom);
        DrawIconEx(dc, 0, 0, picture, side, side, 0, nullptr, DI_NORMAL);
    }
    EndPaint(window, &paint);
}

LRESULT ForwardMouse(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    HWND parent = GetParent(window);
    POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    MapWindowPoints(window, parent, &point, 1);
    const auto x = static_cast<WORD>(static_cast<short>(point.x));
    const auto y = static_cast<WORD>(static_cast<short>(point.y));
    return SendMessageA(parent, message, wParam, static_cast<LPARAM>(MAKELONG(x, y)));
}

LRESULT CALLBACK PictureBoxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (IsControlReport(message, lParam)) {
        return SendMessageA(GetParent(window), message, wParam, lParam);
    }
    if (IsClientMouse(message) && GetWindowLongPtrA(window, ForwardMouseSlot) != 0) {
        return ForwardMouse(window, message, wParam, lParam);
    }
    if (message == WM_PAINT) {
        Paint(window);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

} // namespace

HWND CreatePictureBox(HWND parent, const PixelRect& place, DWORD style, DWORD exStyle,
                      bool isContainer, int id) {
    RegisterPictureBoxClass();
    if (isContainer) {
        style |= WS_CLIPCHILDREN;
        exStyle |= WS_EX_CONTROLPARENT;
    }
    HWND box = CreateWindowExA(exStyle, PictureBoxClassName, "", WS_CHILD | style, place.X, place.Y,
                               place.Width, place.Height, parent,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                               GetModuleHandleA(nullptr), nullptr);
    if (box != nullptr) {
        SetWindowLongPtrA(box, ForwardMouseSlot, isContainer ? 1 : 0);
    }
    return box;
}

void SetPicture(HWND box, HICON picture) {
    SetWindowLongPtrA(box, PictureSlot, reinterpret_cast<LONG_PTR>(picture));
    InvalidateRect(box, nullptr, TRUE);
}

HICON PictureOf(HWND box) {
    return reinterpret_cast<HICON>(GetWindowLongPtrA(box, PictureSlot));
}

} // namespace glaze
