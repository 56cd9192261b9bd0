#pragma once
// A small forms layer: two forms share one window class; a form is loaded on first use, which
// runs its on-load; unloading runs query-unload, then unload, then destroys the window; the
// loaded forms are listed in load order. All geometry is in pixels.

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace glaze {

enum class WindowState { Normal, Minimized, Maximized };

// Mouse buttons as the handlers receive them.
enum MouseButton : int { LeftButton = 1, RightButton = 2, MiddleButton = 4 };

struct MouseEvent {
    int Button = 0; // the button that changed, or for a move the buttons held
    int X = 0;      // client pixels of the window that received the event
    int Y = 0;
};

class Form {
public:
    explicit Form(std::wstring designCaption);
    virtual ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    HWND Hwnd() const { return hwnd_; }
    bool IsLoaded() const { return hwnd_ != nullptr; }
    // First use: creates the window, hidden, lists the form and runs its on-load.
    void Load();
    // Query-unload, unload, then the window goes. False when refused, or when this form's
    // unload is already under way further up the stack: the form is then still loaded.
    bool Unload();

    void Show();
    std::wstring Caption() const;
    void SetCaption(std::wstring_view caption);
    WindowState State() const;
    void SetState(WindowState state);

    // Outer rectangle in screen pixels, and the client size.
    RECT WindowRect() const;
    int Top() const { return WindowRect().top; }
    int Width() const;
    int Height() const;
    int ScaleWidth() const;
    int ScaleHeight() const;
    void Move(int left, int top, int width, int height);

    // The window procedure of every form: hooks chain back to it.
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

protected:
    struct WindowStyle {
        DWORD Style = WS_OVERLAPPEDWINDOW;
        DWORD ExStyle = 0;
        int Width = CW_USEDEFAULT;
        int Height = CW_USEDEFAULT;
        bool CenterOnScreen = false; // otherwise where the system puts new windows
    };
    virtual WindowStyle DesignStyle() const { return {}; }

    virtual void OnLoad() {}
    virtual bool OnQueryUnload() { return true; } // false refuses the unload
    virtual void OnUnload() {}
    virtual void OnResize() {}
    virtual void OnMouseDown(const MouseEvent&) {}
    virtual void OnMouseMove(const MouseEvent&) {}
    virtual void OnMouseUp(const MouseEvent&) {}
    virtual void OnDoubleClick() {}
    // Any other message; nothing means the default handling.
    virtual std::optional<LRESULT> OnMessage(UINT, WPARAM, LPARAM) { return std::nullopt; }

private:
    LRESULT Dispatch(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void Forget();

    std::wstring designCaption_;
    HWND hwnd_ = nullptr;
    bool unloading_ = false;
};

// The loaded forms, in load order.
const std::vector<Form*>& LoadedForms();

// Mouse event fields of a mouse message.
MouseEvent MouseEventOf(UINT message, WPARAM wParam, LPARAM lParam);

} // namespace glaze
