#pragma once
// The control panel: the controls on the content window of a process started without arguments,
// where the user chooses the window to frame, the skin and the options, and launches or
// re-styles frames. A frame process has the same controls, hidden; its skin list still names
// the skins.

#include "frame/ComposePlan.h"
#include "panel/ControlIds.h"
#include "platform/DpiScale.h"
#include "platform/Forms.h"
#include "platform/Scoped.h"

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace glaze {

class FrameWindow;

class ControlPanel {
public:
    // The frame is the one around the panel: a chosen skin reloads it.
    explicit ControlPanel(FrameWindow& frame);

    // Creates the controls on the window laid out for dpi, fills the skin list, selects the
    // run's skin and shows the run's options.
    void Create(HWND window, int32_t dpi);
    // Places and fonts for the DPI: the design's places and 9-point font at that scale, each
    // control wide enough for its whole text.
    void LayOut(int32_t dpi);
    void Hide();
    // Paints the controls at once.
    void Repaint();

    // The skin list: names of the usable skin directories, in alphabetical order.
    int32_t SkinCount() const;
    std::wstring SkinName(int32_t index) const;
    // Selects an entry; as with a choice by the user, the list's click handler runs.
    void SelectSkinAt(int32_t index);

    std::wstring TitleBoxText() const;
    void SetTitleBoxText(const std::wstring& text);

    // 应用: starts a frame process for the title in the title box, or hands the panel's skin and
    // close option to the running frame that the title box names.
    void OnApply();
    // 刷新: lists the titles of the windows that can be framed and offers the first.
    void OnRefresh();
    // Stores or deletes myset.ini, as the save box says.
    void SaveSettings();

    // The window's own events that concern the panel: the finder tool's drag.
    void OnMouseMove(const MouseEvent& event);
    void OnMouseUp(const MouseEvent& event);
    // Messages from the controls, and the finder's while it is dragged; nothing when not the
    // panel's.
    std::optional<LRESULT> OnMessage(UINT message, WPARAM wParam, LPARAM lParam);

    // The finder tool is being dragged: the window holds the mouse and the pointer is the reticle.
    bool FinderDragging = false;

    // The controls (child windows).
    HWND ControlsPane = nullptr; // container of all controls below
    HWND TitleLabel = nullptr;
    HWND TitleBox = nullptr;
    HWND FinderTool = nullptr;
    HWND WindowList = nullptr;
    HWND UsageText = nullptr;
    HWND CreditsText = nullptr;
    HWND RefreshButton = nullptr;
    HWND ApplyButton = nullptr;
    HWND CollectedTitles = nullptr;
    HWND SaveSettingsBox = nullptr;
    HWND SkinList = nullptr;
    HWND CloseProgramBox = nullptr;
    HWND SkinLabel = nullptr;
    HWND Emblem = nullptr;

private:
    void CreateControls();
    HWND AddControl(const char* className, ControlId id, std::wstring_view text, DWORD style,
                    DWORD exStyle, const PixelRect& place);
    void FillSkinList();
    void ShowSettings();
    void OnSkinChosen();
    void OnSaveSettingsClicked();
    int32_t CloseProgramValue() const;

    void CollectWindowTitles();
    void FilterWindowTitles();
    // Lets the window list scroll sideways as far as its widest title in its font.
    void FitListExtent();
    void OnWindowListClick(int x, int y);
    void OnFinderPressed();
    void EndFinderDrag();
    void ShowTextUnderPointer(const MouseEvent& event);
    std::optional<LRESULT> OnFinderMessage(UINT message);
    void RestyleFrame(const std::wstring& caption);
    void LaunchFrame(const std::wstring& title);
    // The list's button releases and the finder's presses reach the panel through this.
    static LRESULT CALLBACK ControlMouseProc(HWND window, UINT message, WPARAM wParam,
                                             LPARAM lParam, UINT_PTR id, DWORD_PTR self);
    std::optional<LRESULT> OnCommand(int id, HWND control, UINT code);
    std::optional<LRESULT> OnStaticColour(HWND control, HDC dc);

    FrameWindow& frame_;
    HWND window_ = nullptr; // the content window the controls lie on
    ScopedFont panelFont_;
    ScopedFont skinListFont_; // none: the stock font
    int32_t dpi_ = DesignDpi; // the scale of the layout
};

} // namespace glaze
