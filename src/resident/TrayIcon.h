#pragma once
// The resident glaze's one icon in the notification area: its tooltip, a balloon now and then,
// and the messages it sends to the window behind it.

#include <windows.h>

#include <shellapi.h>

#include <string>

namespace glaze {

class TrayIcon {
public:
    // The icon reports mouse events to `window` as `callbackMessage`, with the mouse message in
    // lParam.
    TrayIcon(HWND window, UINT callbackMessage);
    ~TrayIcon();
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;

    // Puts the icon (back) into the notification area: at the start, and when the taskbar has
    // been made again. False while the shell does not take it (busy at log-on, or not there yet).
    bool Show();
    // The tooltip says how things stand, and under it the last note.
    void SetStatus(const std::wstring& status);
    // A note in a balloon, kept in the tooltip until the next one.
    void Say(const std::wstring& note);

private:
    NOTIFYICONDATAW Data() const;
    std::wstring Tip() const;
    void ShowTip();

    HWND window_;
    UINT callbackMessage_;
    HICON icon_;
    std::wstring status_;
    std::wstring note_;
};

} // namespace glaze
