#include "panel/ContentWindow.h"

#include "frame/FollowFrame.h"
#include "frame/FrameWindow.h"
#include "platform/Captions.h"
#include "settings/RunSettings.h"

namespace glaze {

ContentWindow::ContentWindow(FrameWindow& frame)
    : Form(std::wstring(TitleMarker)), panel_(frame), host_(*this, frame) {
    frame.SetContent(*this);
}

ContentWindow::~ContentWindow() = default;

Form::WindowStyle ContentWindow::DesignStyle() const {
    return {WS_POPUP | WS_CLIPCHILDREN, WS_EX_TOOLWINDOW, 350, 240, true};
}

void ContentWindow::OnLoad() {
    FollowFrame::InstallMoveHook(*this, false);
    panel_.Create(Hwnd());
}

void ContentWindow::CaptureTarget(HWND target) {
    if (!host_.Capture(target)) {
        ExitProcess(0); // nothing was taken, or it is back already
    }
    panel_.Hide();
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
        host_.Watch();
        return 0;
    }
    return panel_.OnMessage(message, wParam, lParam);
}

} // namespace glaze
