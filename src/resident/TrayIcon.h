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
    void SetTip(const std::wstring& tip);
    void ShowBalloon(const std::wstring& title, const std::wstring& text);

private:
    NOTIFYICONDATAW Data() const;

    HWND window_;
    UINT callbackMessage_;
    HICON icon_;
    std::wstring tip_;
};

} // namespace glaze
