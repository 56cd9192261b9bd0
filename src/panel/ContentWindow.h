#pragma once
// The content window: a borderless top-level window lying exactly on the frame's interior. It
// carries the control panel; in a frame process it hosts the captured window instead, and the
// panel's controls are hidden.

#include "frame/FramedContent.h"
#include "hosting/TargetHost.h"
#include "panel/ControlPanel.h"
#include "platform/Forms.h"

#include <optional>
#include <string>

namespace glaze {

class FrameWindow;

class ContentWindow : public Form, public FramedContent {
public:
    // The frame is the one this window lies in; it learns of this window here.
    explicit ContentWindow(FrameWindow& frame);
    ~ContentWindow() override;

    ControlPanel& Panel() { return panel_; }
    const ControlPanel& Panel() const { return panel_; }
    TargetHost& Host() { return host_; }

    // A frame process takes the window in, in place of the panel; the process ends at once when
    // the window cannot be taken, with a message when the system refuses it.
    void CaptureTarget(HWND target);

    HWND ContentHwnd() const override { return Hwnd(); }
    int32_t SkinCount() const override { return panel_.SkinCount(); }
    std::wstring SkinName(int32_t index) const override { return panel_.SkinName(index); }
    void SelectSkinAt(int32_t index) override { panel_.SelectSkinAt(index); }
    bool GiveBackFramedWindow() override { return host_.Release(); }
    // Paints the window and the panel's controls at once. A framed window is left alone: its
    // program repaints it when it is resized, and even marking it for painting from here makes
    // this thread wait for the program the next time it paints.
    void Repaint() override;
    void ScaleTo(int32_t dpi) override;

protected:
    WindowStyle DesignStyle() const override;
    void OnLoad() override;
    bool OnQueryUnload() override;
    void OnUnload() override;
    void OnResize() override;
    void OnMouseMove(const MouseEvent& event) override;
    void OnMouseUp(const MouseEvent& event) override;
    std::optional<LRESULT> OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // The panel's size at the DPI, keeping the window's centre.
    void TakePanelSize(int32_t dpi);

    ControlPanel panel_;
    TargetHost host_;
};

} // namespace glaze
