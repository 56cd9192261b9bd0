#include "frame/HitArea.h"

namespace glaze {
namespace {

constexpr char HitAreaClassName[] = "GlazeHitArea";

void RegisterHitAreaClass() {
    static const bool registered = [] {
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = DefWindowProcA; // replaced per window below
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)); // IDC_ARROW
        wc.lpszClassName = HitAreaClassName;
        return RegisterClassExA(&wc) != 0;
    }();
    (void)registered;
}

} // namespace

HitArea::HitArea(HWND parent, int32_t item, HitAreaEvents& events) : item_(item), events_(events) {
    RegisterHitAreaClass();
    hwnd_ = CreateWindowExA(0, HitAreaClassName, "", WS_CHILD | WS_CLIPSIBLINGS, 0, 0, 0, 0, parent,
                            nullptr, GetModuleHandleA(nullptr), nullptr);
    if (hwnd_ != nullptr) {
        SetWindowLongPtrA(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        SetWindowLongPtrA(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&HitArea::WindowProc));
    }
}

HitArea::~HitArea() {
    if (hwnd_ != nullptr) {
        SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
        DestroyWindow(hwnd_);
    }
}

void HitArea::SetVisible(bool visible) {
    ShowWindow(hwnd_, visible ? SW_SHOWNA : SW_HIDE);
}
void HitArea::SetEnabled(bool enabled) {
    EnableWindow(hwnd_, enabled ? TRUE : FALSE);
}
bool HitArea::IsEnabled() const {
    return IsWindowEnabled(hwnd_) != FALSE;
}

void HitArea::BringToFront() {
    SetWindowPos(hwnd_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void HitArea::MoveTo(const PixelRect& client) {
    MoveWindow(hwnd_, client.X, client.Y, client.Width, client.Height, FALSE);
}

PixelRect HitArea::Rect() const {
    RECT rect{};
    GetWindowRect(hwnd_, &rect);
    MapWindowPoints(nullptr, GetParent(hwnd_), reinterpret_cast<POINT*>(&rect), 2);
    return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

LRESULT CALLBACK HitArea::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* area = reinterpret_cast<HitArea*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (area == nullptr) {
        return DefWindowProcA(window, message, wParam, lParam);
    }
    try {
        switch (message) {
        case WM_NCHITTEST:
            // A disabled item lets the mouse through to the frame underneath.
            if (!area->IsEnabled()) {
                return HTTRANSPARENT;
            }
            break;
        case WM_MOUSEMOVE:
            area->events_.OnHitAreaMouseMove(area->item_, MouseEventOf(message, wParam, lParam));
            return 0;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
            area->events_.OnHitAreaMouseDown(area->item_, MouseEventOf(message, wParam, lParam));
            return 0;
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP:
            area->events_.OnHitAreaMouseUp(area->item_, MouseEventOf(message, wParam, lParam));
            return 0;
        case WM_PAINT: {
            PAINTSTRUCT paint;
            BeginPaint(window, &paint); // paints nothing: the item is seen in the frame's image
            EndPaint(window, &paint);
            return 0;
        }
        case WM_ERASEBKGND:
            return 1;
        default:
            break;
        }
    } catch (...) {
        return 0; // an error inside a handler ends that handler; the next event starts afresh
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

} // namespace glaze
