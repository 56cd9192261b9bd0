#include "panel/ControlPanel.h"

#include "GlazeVersion.h"
#include "panel/ControlIds.h"

#include "frame/FrameWindow.h"
#include "settings/RunSettings.h"
#include "frame/LoadedSkin.h"
#include "panel/PanelFont.h"
#include "panel/PictureBox.h"
#include "panel/SkinList.h"
#include "platform/AnsiText.h"
#include "platform/DpiScale.h"
#include "platform/Screens.h"
#include "res/resource.h"
#include "settings/UserSettings.h"

#include <commctrl.h>

#include <algorithm>
#include <array>

namespace glaze {
namespace {

constexpr std::wstring_view UsageNote = L"模拟Glaze透明窗体 V1.6\r\n"
                                        L"刷新查找可模拟的活动窗口,或拖放\r\n"
                                        L"右上角的图标进行搜索.请注意选择\r\n"
                                        L"要模拟的窗口.\r\n";
constexpr std::wstring_view CreditsNote = L"glaze 玻璃窗框 " GLAZE_VERSION_TEXT L"\r\n"
                                          L"2026 glaze 开发组 版权所有";

constexpr DWORD LabelStyle = WS_VISIBLE | SS_LEFTNOWORDWRAP | SS_NOPREFIX;
constexpr DWORD ButtonStyle = WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON;
// The check boxes can show a third, dimmed state; a click by the user only ever ticks or clears.
constexpr DWORD CheckStyle = WS_VISIBLE | WS_TABSTOP | BS_3STATE;
// The notes lie on the window list until it is first filled; they are part of the list's face.
constexpr DWORD NoteStyle = WS_VISIBLE | ES_MULTILINE | ES_READONLY;

// What a control shows besides its one line of text, which must fit in it at every DPI.
enum class TextFit { None, Label, Button, CheckBox };

struct ControlDesign {
    HWND ControlPanel::*Control;
    ControlId Id;
    const char* ClassName;
    std::wstring_view Text;
    DWORD Style;
    DWORD ExStyle;
    PixelRect Place; // at 96 DPI
    bool PanelFont;
    TextFit Fit;
};

// The controls on ControlsPane after the finder tool, in tab order, which is also their z-order.
// The skin list's height makes room for its drop-down part.
// clang-format off
const std::array<ControlDesign, 13> Controls{{
    {&ControlPanel::TitleBox, TitleBoxId, "EDIT", L"", WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE,
     {8, 24, 265, 25}, true, TextFit::None},
    {&ControlPanel::ApplyButton, ApplyButtonId, "BUTTON", L"应用", ButtonStyle, 0, {280, 176, 57, 25}, true, TextFit::Button},
    {&ControlPanel::TitleLabel, TitleLabelId, "STATIC", L"请输入要加载的程序窗口名称：", LabelStyle, 0,
     {8, 8, 168, 16}, true, TextFit::Label}, // ends where the title box begins
    {&ControlPanel::RefreshButton, RefreshButtonId, "BUTTON", L"刷新", ButtonStyle, 0, {280, 136, 57, 25}, true, TextFit::Button},
    {&ControlPanel::WindowList, WindowListId, "LISTBOX", L"",
     WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | WS_HSCROLL | LBS_SORT | LBS_NOTIFY |
         LBS_NOINTEGRALHEIGHT,
     WS_EX_CLIENTEDGE, {8, 56, 265, 140}, true, TextFit::None},
    {&ControlPanel::CloseProgramBox, CloseProgramBoxId, "BUTTON", L"能够关闭被加载的程序", CheckStyle, 0, {8, 220, 145, 17}, true, TextFit::CheckBox},
    {&ControlPanel::CollectedTitles, CollectedTitlesId, "LISTBOX", L"", WS_VSCROLL | LBS_NOINTEGRALHEIGHT, WS_EX_CLIENTEDGE,
     {224, 168, 41, 21}, true, TextFit::None},
    {&ControlPanel::UsageText, UsageTextId, "EDIT", UsageNote, NoteStyle, 0, {48, 75, 193, 81}, true, TextFit::None},
    {&ControlPanel::SaveSettingsBox, SaveSettingsBoxId, "BUTTON", L"保存当前的设置", CheckStyle, 0, {8, 200, 105, 17}, true, TextFit::CheckBox},
    {&ControlPanel::SkinList, SkinListId, "COMBOBOX", L"",
     WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_SORT, 0,
     {160, 200, 113, 200}, false, TextFit::None},
    {&ControlPanel::SkinLabel, SkinLabelId, "STATIC", L"*选择皮肤样式*", LabelStyle, 0, {168, 220, 90, 17}, true, TextFit::Label}, // wide enough for its text in this font
    {&ControlPanel::CreditsText, CreditsTextId, "EDIT", CreditsNote, NoteStyle, 0, {48, 152, 177, 41}, true, TextFit::None},
    {&ControlPanel::Emblem, EmblemId, "STATIC", L"", WS_VISIBLE | SS_ICON, 0, {312, 208, 32, 32}, false, TextFit::None},
}};
// clang-format on

constexpr PixelRect ControlsPanePlace{0, 0, 345, 241};
constexpr PixelRect FinderToolPlace{288, 16, 36, 36};
constexpr int SkinListClosedHeight = 20;

HMENU ControlMenu(ControlId id) {
    return reinterpret_cast<HMENU>(static_cast<INT_PTR>(id));
}

// The default font of controls is made for the system's DPI; on a monitor of another DPI the
// skin list takes it at that scale. Nothing where the stock font fits.
ScopedFont CreateSkinListFont(int32_t dpi) {
    const WindowDc screen(nullptr);
    const int systemDpi = GetDeviceCaps(screen, LOGPIXELSY);
    LOGFONTA face{};
    if (dpi == systemDpi ||
        GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof face, &face) != sizeof face) {
        return {};
    }
    face.lfHeight = MulDiv(face.lfHeight, dpi, systemDpi);
    return ScopedFont(CreateFontIndirectA(&face));
}

// The width the control needs to show its whole text in its own font.
int32_t NeededWidth(HWND control, TextFit fit, int32_t dpi) {
    if (fit == TextFit::None) {
        return 0;
    }
    const std::string text = ToAnsi(WindowTitle(control));
    const WindowDc dc(control);
    const HGDIOBJ before =
        SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(control, WM_GETFONT, 0, 0)));
    SIZE extent{};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    SelectObject(dc, before);
    switch (fit) {
    case TextFit::CheckBox: // the box, and the gap the control leaves before its text
        return extent.cx + SystemMetricAt(SM_CXMENUCHECK, dpi) + ScaleForDpi(4, dpi);
    case TextFit::Button: // the button's edges
        return extent.cx + ScaleForDpi(12, dpi);
    default:
        return extent.cx;
    }
}

void MoveTo(HWND control, const PixelRect& place) {
    MoveWindow(control, place.X, place.Y, place.Width, place.Height, FALSE);
}

// A check box's value: 0 clear, 1 ticked, 2 dimmed.
int32_t CheckValue(HWND box) {
    return static_cast<int32_t>(SendMessageA(box, BM_GETCHECK, 0, 0));
}

// Any value but the three shows a clear box. Setting the state runs no click handler.
void ShowCheckValue(HWND box, int32_t value) {
    const bool known = value == BST_CHECKED || value == BST_INDETERMINATE;
    SendMessageA(box, BM_SETCHECK, known ? static_cast<WPARAM>(value) : BST_UNCHECKED, 0);
}

// A click ticks a clear box and clears a ticked or dimmed one, as the platform's own three-state
// boxes leave the dimmed state.
void ToggleCheck(HWND box) {
    ShowCheckValue(box, CheckValue(box) == BST_UNCHECKED ? BST_CHECKED : BST_UNCHECKED);
}

int WindowHeight(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect.bottom - rect.top;
}

// The closed box's height follows from its selection field, the only height it lets set. What
// that number covers differs between platforms (Wine adds padding of its own), so the result is
// measured and corrected once.
void SetClosedHeight(HWND combo, int height) {
    auto field =
        static_cast<int>(SendMessageA(combo, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0));
    for (int round = 0; round < 2; ++round) {
        const int closed = WindowHeight(combo);
        field += height - closed;
        if (closed == height || field <= 0) {
            return;
        }
        SendMessageA(combo, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), field);
    }
}

void SetControlFont(HWND control, HFONT font) {
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
}

} // namespace

ControlPanel::ControlPanel(FrameWindow& frame) : frame_(frame) {}

void ControlPanel::Create(HWND window, int32_t dpi) {
    window_ = window;
    CreateControls();
    LayOut(dpi);
    FillSkinList();
    TheRun().KeepStyleIndexWithin(SkinCount());
    if (SkinCount() > 0) {
        SelectSkinAt(TheRun().StyleIndex);
    }
    ShowSettings();
}

void ControlPanel::Hide() {
    ShowWindow(ControlsPane, SW_HIDE);
}

HWND ControlPanel::AddControl(const char* className, ControlId id, std::wstring_view text,
                              DWORD style, DWORD exStyle, const PixelRect& place) {
    // The notes lie on the list: each control is drawn only where no control above it in the
    // z-order lies.
    return CreateWindowExA(exStyle, className, ToAnsi(text).c_str(),
                           WS_CHILD | WS_CLIPSIBLINGS | style, place.X, place.Y, place.Width,
                           place.Height, ControlsPane, ControlMenu(id), GetModuleHandleA(nullptr),
                           nullptr);
}

void ControlPanel::CreateControls() {
    const HINSTANCE module = GetModuleHandleA(nullptr);
    ControlsPane =
        CreatePictureBox(window_, ControlsPanePlace, WS_VISIBLE, 0, true, ControlsPaneId);
    FinderTool = CreatePictureBox(ControlsPane, FinderToolPlace, WS_VISIBLE, WS_EX_CLIENTEDGE,
                                  false, FinderToolId);
    SetPicture(FinderTool, LoadCursorA(module, MAKEINTRESOURCEA(IDC_FINDER)));
    for (const ControlDesign& design : Controls) {
        this->*design.Control = AddControl(design.ClassName, design.Id, design.Text, design.Style,
                                           design.ExStyle, design.Place);
    }

    // The notes are drawn over the window list, the credits over the usage text's blank last
    // rows: they go just above the list, which leaves the order of the controls that take the
    // focus as it is.
    constexpr UINT keepPlace = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
    SetWindowPos(CreditsText, GetWindow(WindowList, GW_HWNDPREV), 0, 0, 0, 0, keepPlace);
    SetWindowPos(UsageText, CreditsText, 0, 0, 0, 0, keepPlace);

    const auto self = reinterpret_cast<DWORD_PTR>(this);
    SetWindowSubclass(WindowList, ControlMouseProc, 0, self);
    SetWindowSubclass(FinderTool, ControlMouseProc, 0, self);
}

void ControlPanel::LayOut(int32_t dpi) {
    // The new fonts go to the controls before the old ones are deleted.
    ScopedFont panelFont = CreatePanelFont(dpi);
    ScopedFont skinListFont = CreateSkinListFont(dpi);
    MoveTo(ControlsPane, ScaleRectForDpi(ControlsPanePlace, dpi));
    MoveTo(FinderTool, ScaleRectForDpi(FinderToolPlace, dpi));
    for (const ControlDesign& design : Controls) {
        HWND control = this->*design.Control;
        if (design.PanelFont) {
            SetControlFont(control, panelFont);
        } else if (control == SkinList) {
            SetControlFont(control, skinListFont
                                        ? static_cast<HFONT>(skinListFont)
                                        : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
        }
        // The places are scaled; a text that a font's own proportions make wider than its
        // scaled place widens the control.
        PixelRect place = ScaleRectForDpi(design.Place, dpi);
        place.Width = std::max(place.Width, NeededWidth(control, design.Fit, dpi));
        MoveTo(control, place);
    }
    panelFont_ = std::move(panelFont);
    skinListFont_ = std::move(skinListFont);
    dpi_ = dpi;
    FitListExtent(); // the titles are as wide as the new font makes them
    SetClosedHeight(SkinList, ScaleForDpi(SkinListClosedHeight, dpi));
    const int32_t emblemSide = ScaleForDpi(32, dpi);
    SendMessageA(
        Emblem, STM_SETICON,
        reinterpret_cast<WPARAM>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_EMBLEM),
                                            IMAGE_ICON, emblemSide, emblemSide, LR_SHARED)),
        0);
    InvalidateRect(ControlsPane, nullptr, TRUE);
}

void ControlPanel::FillSkinList() {
    glaze::FillSkinList(SkinList, TheRun().AppDir);
}

void ControlPanel::ShowSettings() {
    ShowCheckValue(CloseProgramBox, TheRun().CloseProgram);
    ShowCheckValue(SaveSettingsBox, TheRun().SaveSettings);
}

int32_t ControlPanel::SkinCount() const {
    return static_cast<int32_t>(SendMessageA(SkinList, CB_GETCOUNT, 0, 0));
}

std::wstring ControlPanel::SkinName(int32_t index) const {
    return ListEntryText(SkinList, CB_GETLBTEXTLEN, CB_GETLBTEXT, index);
}

void ControlPanel::SelectSkinAt(int32_t index) {
    SendMessageA(SkinList, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    OnSkinChosen();
}

std::wstring ControlPanel::TitleBoxText() const {
    return WindowTitle(TitleBox);
}

void ControlPanel::SetTitleBoxText(const std::wstring& text) {
    SetWindowTextA(TitleBox, ToAnsi(text).c_str());
}

void ControlPanel::OnSkinChosen() {
    if (!TheLoadedSkin().Ready) {
        return;
    }
    TheRun().StyleIndex = static_cast<int32_t>(SendMessageA(SkinList, CB_GETCURSEL, 0, 0));
    frame_.ReloadSkin();
}

void ControlPanel::OnSaveSettingsClicked() {
    TheRun().SaveSettings = CheckValue(SaveSettingsBox);
}

void ControlPanel::Repaint() {
    RedrawWindow(ControlsPane, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void ControlPanel::SaveSettings() {
    // The box is saved, not the option the panel was started with.
    StoreUserSettings(TheRun().AppDir,
                      {TheRun().SaveSettings, TheRun().StyleIndex, CloseProgramValue(), {}});
}

int32_t ControlPanel::CloseProgramValue() const {
    return CheckValue(CloseProgramBox);
}

std::optional<LRESULT> ControlPanel::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        return OnCommand(LOWORD(wParam), reinterpret_cast<HWND>(lParam), HIWORD(wParam));
    case WM_CTLCOLORSTATIC:
        return OnStaticColour(reinterpret_cast<HWND>(lParam), reinterpret_cast<HDC>(wParam));
    default:
        return OnFinderMessage(message);
    }
}

std::optional<LRESULT> ControlPanel::OnCommand(int id, HWND control, UINT code) {
    if (code == BN_CLICKED) {
        switch (id) {
        case ApplyButtonId:
            OnApply();
            return 0;
        case RefreshButtonId:
            OnRefresh();
            return 0;
        case CloseProgramBoxId:
            ToggleCheck(control);
            return 0;
        case SaveSettingsBoxId:
            ToggleCheck(control);
            OnSaveSettingsClicked();
            return 0;
        default:
            return std::nullopt;
        }
    }
    if (id == SkinListId && code == CBN_SELCHANGE) {
        OnSkinChosen();
        return 0;
    }
    return std::nullopt;
}

std::optional<LRESULT> ControlPanel::OnStaticColour(HWND control, HDC dc) {
    if (control != UsageText && control != CreditsText) {
        return std::nullopt;
    }
    // The notes share the list's white face; the credits are quieter than the usage text.
    SetBkColor(dc, GetSysColor(COLOR_WINDOW));
    SetTextColor(dc, GetSysColor(control == CreditsText ? COLOR_GRAYTEXT : COLOR_WINDOWTEXT));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
}

} // namespace glaze
