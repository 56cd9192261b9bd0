#include "panel/ContentWindow.h"

#include "frame/FollowFrame.h"
#include "frame/FrameWindow.h"
#include "frame/SkinMessages.h"
#include "platform/AnsiText.h"
#include "platform/Captions.h"
#include "platform/DpiScale.h"
#include "platform/Screens.h"
#include "settings/RunSettings.h"

namespace glaze {
namespace {

// The panel's client area at 96 DPI.
constexpr int32_t PanelWidth = 350;
constexpr int32_t PanelHeight = 240;

} // namespace

ContentWindow::ContentWindow(FrameWindow& frame)
    : Form(std::wstring(TitleMarker)), panel_(frame), host_(*this, frame) {
    frame.SetContent(*this);
}

ContentWindow::~ContentWindow() = default;

Form::WindowStyle ContentWindow::DesignStyle() const {
    return {WS_POPUP | WS_CLIPCHILDREN, WS_EX_TOOLWINDOW, PanelWidth, PanelHeight, true};
}

void ContentWindow::OnLoad() {
    FollowFrame::InstallMoveHook(*this, false);
    const int32_t dpi = WindowDpi(Hwnd());
    panel_.Create(Hwnd(), dpi);
    TakePanelSize(dpi);
}

void ContentWindow::ScaleTo(int32_t dpi) {
    if (host_.TargetCaptured()) {
        return;
    }
    panel_.LayOut(dpi);
    TakePanelSize(dpi);
}

void ContentWindow::TakePanelSize(int32_t dpi) {
    const RECT now = WindowRect();
    const int32_t width = ScaleForDpi(PanelWidth, dpi);
    const int32_t height = ScaleForDpi(PanelHeight, dpi);
    if (width != now.right - now.left || height != now.bottom - now.top) {
        Move(now.left - (width - (now.right - now.left)) / 2,
             now.top - (height - (now.bottom - now.top)) / 2, width, height);
    }
}

void ContentWindow::CaptureTarget(HWND target) {
    switch (host_.Capture(target)) {
    case TargetHost::Captured::InFrame:
        panel_.Hide();
        return;
    case TargetHost::Captured::Refused:
        MessageBoxW(nullptr, RefusedCaptureMessage(WindowTitle(target)).c_str(),
                    std::wstring(ErrorCaption).c_str(), MB_ICONERROR);
        break;
    case TargetHost::Captured::NoAnswer:
        break;
    }
    ExitProcess(0); // nothing was taken, or it is back already
}

void ContentWindow::Repaint() {
    RedrawWindow(Hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_NOCHILDREN);
    // Every resize step comes here: a frame process's hidden panel has nothing to show.
    if (!host_.TargetCaptured()) {
        panel_.Repaint();
    }
}

void ContentWindow::OnResize() {
    host_.Fill();
}

bool ContentWindow::OnQueryUnload() {
    host_.Release();
    return true;
}

void ContentWindow::OnUnload() {
    FollowFrame::RemoveMoveHook(*this);
    // Only the control panel keeps settings; a frame process never touches them.
    if (!TheRun().IsFrameProcess()) {
        panel_.SaveSettings();
    }
}

void ContentWindow::OnMouseMove(const MouseEvent& event) {
    panel_.OnMouseMove(event);
}

void ContentWindow::OnMouseUp(const MouseEvent& event) {
    panel_.OnMouseUp(event);
}

std::optional<LRESULT> ContentWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_TIMER && wParam == TargetHost::WatchTimer) {
        host_.OnWatchTimer();
        return 0;
    }
    // This window's own notice of another DPI is left alone, deliberately: it lies on the frame's
    // interior, and the frame, which hears of the same move, leads. The frame scales this window
    // (ScaleTo) with its skin and puts it on its interior; taking the rectangle suggested here
    // would move it off the interior, and laying the panel out here would do it a second time,
    // at a DPI the frame may not take (the two can lie mostly on different monitors).
    if (message == WM_DPICHANGED) {
        return 0;
    }
    return panel_.OnMessage(message, wParam, lParam);
}

} // namespace glaze
