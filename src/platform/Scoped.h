#pragma once
// One small owner per kind of platform handle; each converts to the raw handle at the call site.

#include <windows.h>

#include <utility>

namespace glaze {

template <typename Handle, typename Traits> class Scoped {
public:
    Scoped() = default;
    explicit Scoped(Handle handle) : handle_(handle) {}
    ~Scoped() { Reset(); }
    Scoped(Scoped&& other) noexcept : handle_(std::exchange(other.handle_, Traits::Empty())) {}
    Scoped& operator=(Scoped&& other) noexcept {
        if (this != &other) {
            Reset(std::exchange(other.handle_, Traits::Empty()));
        }
        return *this;
    }
    Scoped(const Scoped&) = delete;
    Scoped& operator=(const Scoped&) = delete;

    operator Handle() const { return handle_; }
    Handle Get() const { return handle_; }
    explicit operator bool() const { return !IsEmpty(handle_); }
    void Reset(Handle handle = Traits::Empty()) {
        if (!IsEmpty(handle_)) {
            Traits::Close(handle_);
        }
        handle_ = handle;
    }

private:
    // A kind whose functions report failure in more than one way says which values are empty.
    static bool IsEmpty(Handle handle) {
        if constexpr (requires { Traits::IsEmpty(handle); }) {
            return Traits::IsEmpty(handle);
        } else {
            return handle == Traits::Empty();
        }
    }

    Handle handle_ = Traits::Empty();
};

// Kernel objects: CreateFile fails with INVALID_HANDLE_VALUE, most other creators with null; a
// handle holds neither.
struct KernelHandleTraits {
    static HANDLE Empty() { return nullptr; }
    static bool IsEmpty(HANDLE h) { return h == nullptr || h == INVALID_HANDLE_VALUE; }
    static void Close(HANDLE h) { CloseHandle(h); }
};
struct FindHandleTraits {
    static HANDLE Empty() { return INVALID_HANDLE_VALUE; }
    static void Close(HANDLE h) { FindClose(h); }
};
struct FontTraits {
    static HFONT Empty() { return nullptr; }
    static void Close(HFONT font) { DeleteObject(font); }
};
struct GlobalTraits {
    static HGLOBAL Empty() { return nullptr; }
    static void Close(HGLOBAL memory) { GlobalFree(memory); }
};

struct MenuTraits {
    static HMENU Empty() { return nullptr; }
    static void Close(HMENU menu) { DestroyMenu(menu); }
};
struct WindowTraits {
    static HWND Empty() { return nullptr; }
    static void Close(HWND window) { DestroyWindow(window); }
};
struct WinEventHookTraits {
    static HWINEVENTHOOK Empty() { return nullptr; }
    static void Close(HWINEVENTHOOK hook) { UnhookWinEvent(hook); }
};
struct RegistryKeyTraits {
    static HKEY Empty() { return nullptr; }
    static void Close(HKEY key) { RegCloseKey(key); }
};

using ScopedHandle = Scoped<HANDLE, KernelHandleTraits>;
using ScopedMenu = Scoped<HMENU, MenuTraits>;
using ScopedWindow = Scoped<HWND, WindowTraits>;
using ScopedWinEventHook = Scoped<HWINEVENTHOOK, WinEventHookTraits>;
using ScopedRegistryKey = Scoped<HKEY, RegistryKeyTraits>;
using ScopedFind = Scoped<HANDLE, FindHandleTraits>;
using ScopedFont = Scoped<HFONT, FontTraits>;
using ScopedGlobal = Scoped<HGLOBAL, GlobalTraits>;

// A window's device context, given back when the scope ends.
class WindowDc {
public:
    explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~WindowDc() {
        if (dc_ != nullptr) {
            ReleaseDC(window_, dc_);
        }
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    operator HDC() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// Keeps an object selected into a device context for the length of a scope.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~SelectedObject() { SelectObject(dc_, previous_); }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

} // namespace glaze
