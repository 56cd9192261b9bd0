#pragma once
// The content window: a borderless top-level window lying exactly on the frame's interior.
// In a control-panel process it is the control panel; in a frame process it hosts the
// captured window and its panel controls are hidden.

#include "frame/ComposePlan.h"
#include "hosting/CapturedTarget.h"
#include "platform/Forms.h"
#include "platform/Scoped.h"

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace glaze {

class Form2 : public Form {
public:
    Form2();
    ~Form2() override;

    // The skin list: names of the usable skin directories, in alphabetical order.
    int32_t Combo1Count() const;
    std::wstring Combo1Text(int32_t index) const;
    // Selects an entry; as with a choice by the user, the list's click handler runs.
    void SetCombo1Index(int32_t index);

    std::wstring Text1Text() const;
    void SetText1Text(const std::wstring& text);

    // 应用: starts a frame process for the title in Text1, or hands the panel's skin and close
    // option to the running frame that Text1 names.
    void Command1_Click();
    // 刷新: lists the titles of the windows that can be framed and offers the first.
    void Command2_Click();

    // Paints the window and the panel's controls at once. A framed window is left alone: its
    // program repaints it when it is resized, and even marking it for painting from here makes
    // this thread wait for the program the next time it paints.
    void Repaint();

    // The finder tool is being dragged: the form holds the mouse and the pointer is the reticle.
    bool FinderDragging = false;

    // A frame process takes the window with this title (outer blanks trimmed) in, with its
    // client area where it was; the process ends at once when there is no such window.
    void hadload(const std::wstring& title);

    // Whether the captured window lies on this form; it then takes the form's whole client area.
    bool TargetCaptured = false;
    // The captured window with what it had before, to be given back with it.
    CapturedTarget Captured;
    // For a process that is going down: gives the captured window back from wherever it is,
    // without a message loop. Nothing when no window is captured.
    void ReleaseTargetAtOnce();

    // Controls (child windows), named as the panel's design names them.
    HWND Picture1 = nullptr; // container of all controls below
    HWND Label1 = nullptr;
    HWND Text1 = nullptr;
    HWND Picture2 = nullptr; // the finder tool
    HWND List1 = nullptr;
    HWND Text2 = nullptr;
    HWND Text3 = nullptr;
    HWND Command2 = nullptr;
    HWND Command1 = nullptr;
    HWND List2 = nullptr;
    HWND Check2 = nullptr;
    HWND Combo1 = nullptr;
    HWND Check1 = nullptr;
    HWND Label2 = nullptr;
    HWND Image1 = nullptr;

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
    // Gives the captured window back, and asks its program to close when the user asked for it.
    void ReleaseTarget();
    // Where the captured window goes back to: its client area on the content window's.
    ScreenRect ReleasePlace() const;
    // Keeps the captured window filling the content window.
    void FillWithTarget();
    // Closes the frame once the captured window is gone.
    void WatchTarget();
    void CreateControls();
    HWND AddControl(const char* className, std::wstring_view text, DWORD style, DWORD exStyle,
                    const PixelRect& place);
    void FillSkinList();
    void ShowSettings();
    void SaveSettings();
    void Combo1_Click();
    void Check2_Click();
    int32_t Check1Value() const;

    void CollectWindowTitles();
    void FilterWindowTitles();
    void FitListExtent();
    void List1_MouseUp(int x, int y);
    void Picture2_MouseDown();
    void EndFinderDrag();
    void ShowTextUnderPointer(const MouseEvent& event);
    std::optional<LRESULT> OnFinderMessage(UINT message);
    void RestyleFrame(const std::wstring& caption);
    void LaunchFrame(const std::wstring& title);
    // The list's button releases and the finder's presses reach the form through this.
    static LRESULT CALLBACK ControlMouseProc(HWND window, UINT message, WPARAM wParam,
                                             LPARAM lParam, UINT_PTR id, DWORD_PTR form);
    std::optional<LRESULT> OnCommand(HWND control, WORD code);
    std::optional<LRESULT> OnStaticColour(HWND control, HDC dc);

    ScopedFont panelFont_;
};

} // namespace glaze
