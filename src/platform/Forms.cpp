#include "platform/Forms.h"

#include "platform/AnsiText.h"

#include <windowsx.h>

#include <algorithm>
#include <vector>

namespace glaze {
namespace {

constexpr char FormClassName[] = "GlazeForm";

std::vector<Form*>& FormList() {
    static std::vector<Form*> forms;
    return forms;
}

void RegisterFormClass() {
    static const bool registered = [] {
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof wc;
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = Form::WindowProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hIcon = LoadIconA(wc.hInstance, MAKEINTRESOURCEA(1));
        wc.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)); // IDC_ARROW
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = FormClassName;
        return RegisterClassExA(&wc) != 0;
    }();
    (void)registered;
}

} // namespace

const std::vector<Form*>& LoadedForms() {
    return FormList();
}

MouseEvent MouseEventOf(UINT message, WPARAM wParam, LPARAM lParam) {
    MouseEvent event;
    event.X = GET_X_LPARAM(lParam);
    event.Y = GET_Y_LPARAM(lParam);
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
        event.Button = LeftButton;
        break;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
        event.Button = RightButton;
        break;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK:
        event.Button = MiddleButton;
        break;
    default: // a move reports the buttons held
        event.Button = ((wParam & MK_LBUTTON) ? LeftButton : 0) |
                       ((wParam & MK_RBUTTON) ? RightButton : 0) |
                       ((wParam & MK_MBUTTON) ? MiddleButton : 0);
        break;
    }
    return event;
}

Form::Form(std::wstring designCaption) : designCaption_(std::move(designCaption)) {}

Form::~Form() {
    if (hwnd_ != nullptr) {
        HWND window = hwnd_;
        Forget();
        DestroyWindow(window);
    }
}

void Form::Load() {
    if (hwnd_ != nullptr) {
        return;
    }
    RegisterFormClass();
    const WindowStyle design = DesignStyle();
    int x = CW_USEDEFAULT;
    int y = CW_USEDEFAULT;
    if (design.CenterOnScreen) {
        x = (GetSystemMetrics(SM_CXSCREEN) - design.Width) / 2;
        y = (GetSystemMetrics(SM_CYSCREEN) - design.Height) / 2;
    }
    CreateWindowExA(design.ExStyle, FormClassName, ToAnsi(designCaption_).c_str(),
                    design.Style & ~static_cast<DWORD>(WS_VISIBLE), x, y, design.Width,
                    design.Height, nullptr, nullptr, GetModuleHandleA(nullptr), this);
    if (hwnd_ == nullptr) {
        return;
    }
    FormList().push_back(this);
    OnLoad();
}

bool Form::Unload() {
    if (hwnd_ == nullptr || unloading_) {
        return false;
    }
    unloading_ = true;
    if (!OnQueryUnload()) {
        unloading_ = false;
        return false;
    }
    OnUnload();
    HWND window = hwnd_;
    Forget();
    DestroyWindow(window);
    if (FormList().empty()) {
        PostQuitMessage(0); // no form left: the process ends
    }
    return true;
}

void Form::Forget() {
    std::erase(FormList(), this);
    if (hwnd_ != nullptr) {
        SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
    }
    hwnd_ = nullptr;
    unloading_ = false;
}

void Form::Show() {
    ShowWindow(hwnd_, SW_SHOW);
}
std::wstring Form::Caption() const {
    return WindowTitle(hwnd_);
}
void Form::SetCaption(std::wstring_view caption) {
    SetWindowTextA(hwnd_, ToAnsi(caption).c_str());
}

WindowState Form::State() const {
    if (IsIconic(hwnd_)) {
        return WindowState::Minimized;
    }
    return IsZoomed(hwnd_) ? WindowState::Maximized : WindowState::Normal;
}

void Form::SetState(WindowState state) {
    switch (state) {
    case WindowState::Minimized:
        ShowWindow(hwnd_, SW_MINIMIZE);
        break;
    case WindowState::Maximized:
        ShowWindow(hwnd_, SW_MAXIMIZE);
        break;
    case WindowState::Normal:
        ShowWindow(hwnd_, SW_RESTORE);
        break;
    }
}

RECT Form::WindowRect() const {
    RECT rect{};
    GetWindowRect(hwnd_, &rect);
    return rect;
}

int Form::Width() const {
    const RECT rect = WindowRect();
    return rect.right - rect.left;
}

int Form::Height() const {
    const RECT rect = WindowRect();
    return rect.bottom - rect.top;
}

int Form::ScaleWidth() const {
    RECT client{};
    GetClientRect(hwnd_, &client);
    return client.right;
}

int Form::ScaleHeight() const {
    RECT client{};
    GetClientRect(hwnd_, &client);
    return client.bottom;
}

void Form::Move(int left, int top, int width, int height) {
    MoveWindow(hwnd_, left, top, width, height, TRUE);
}

LRESULT CALLBACK Form::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* form = static_cast<Form*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        form->hwnd_ = window;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
    }
    auto* form = reinterpret_cast<Form*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (form == nullptr) {
        return DefWindowProcA(window, message, wParam, lParam);
    }
    try {
        return form->Dispatch(window, message, wParam, lParam);
    } catch (...) {
        // A handler's failure ends that handler; the window goes on with the default handling,
        // but for a close: the default would destroy the window without its unload.
        return message == WM_CLOSE ? 0 : DefWindowProcA(window, message, wParam, lParam);
    }
}

LRESULT Form::Dispatch(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SIZE:
        OnResize();
        break;
    case WM_CLOSE:
        Unload();
        return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        OnMouseDown(MouseEventOf(message, wParam, lParam));
        return 0;
    case WM_MOUSEMOVE:
        OnMouseMove(MouseEventOf(message, wParam, lParam));
        return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
        OnMouseUp(MouseEventOf(message, wParam, lParam));
        return 0;
    case WM_LBUTTONDBLCLK:
        OnDoubleClick();
        return 0;
    case WM_NCDESTROY:
        // Destroyed without an unload (the platform took it down): it is no longer loaded.
        if (hwnd_ != nullptr) {
            Forget();
            if (FormList().empty()) {
                PostQuitMessage(0);
            }
        }
        break;
    default:
        if (const auto result = OnMessage(message, wParam, lParam)) {
            return *result;
        }
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

} // namespace glaze
