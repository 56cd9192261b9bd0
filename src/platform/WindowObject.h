#pragma once
// A window that keeps its object with it: the object is made first and handed to
// CreateWindowEx as the creation parameter; the window procedure finds it in the window's user
// data and hands it each message once it knows its window (Owner::Hwnd), and nothing thrown
// escapes into the platform.

#include <windows.h>

namespace glaze {

template <typename Owner>
LRESULT CALLBACK ObjectWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* owner = reinterpret_cast<Owner*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (owner == nullptr || owner->Hwnd() == nullptr) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    try {
        return owner->Handle(message, wParam, lParam);
    } catch (...) {
        return 0;
    }
}

} // namespace glaze
