#include "panel/Form2.h"

#include "GlazeVersion.h"
#include "frame/Form1.h"
#include "hosting/ModMoveFrm.h"
#include "lifecycle/Captions.h"
#include "lifecycle/ProcessValues.h"
#include "lifecycle/TheForms.h"
#include "panel/PictureBox.h"
#include "platform/AnsiText.h"
#include "res/resource.h"
#include "settings/Modmyset.h"

#include <commctrl.h>

#include <array>

namespace glaze {
namespace {

constexpr std::wstring_view UsageText = L"模拟Glaze透明窗体 V1.6\r\n"
                                        L"刷新查找可模拟的活动窗口,或拖放\r\n"
                                        L"右上角的图标进行搜索.请注意选择\r\n"
                                        L"要模拟的窗口.\r\n";
constexpr std::wstring_view CreditsText = L"glaze 玻璃窗框 " GLAZE_VERSION_TEXT L"\r\n"
                                          L"2026 glaze 开发组 版权所有";

constexpr DWORD LabelStyle = WS_VISIBLE | SS_LEFTNOWORDWRAP | SS_NOPREFIX;
constexpr DWORD ButtonStyle = WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON;
// The check boxes can show a third, dimmed state; a click by the user only ever ticks or clears.
constexpr DWORD CheckStyle = WS_VISIBLE | WS_TABSTOP | BS_3STATE;
// The notes lie on the window list until it is first filled; they are part of the list's face.
constexpr DWORD NoteStyle = WS_VISIBLE | ES_MULTILINE | ES_READONLY;

struct ControlDesign {
    HWND Form2::*Control;
    const char* ClassName;
    std::wstring_view Text;
    DWORD Style;
    DWORD ExStyle;
    PixelRect Place;
    bool PanelFont;
};

// The controls on Picture1 after the finder tool, in tab order, which is also their z-order. The
// skin list's height makes room for its drop-down part.
// clang-format off
const std::array<ControlDesign, 13> Controls{{
    {&Form2::Text1, "EDIT", L"", WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE,
     {8, 24, 265, 25}, true},
    {&Form2::Command1, "BUTTON", L"应用", ButtonStyle, 0, {280, 176, 57, 25}, true},
    {&Form2::Label1, "STATIC", L"请输入要加载的程序窗口名称：", LabelStyle, 0,
     {8, 8, 168, 17}, true},
    {&Form2::Command2, "BUTTON", L"刷新", ButtonStyle, 0, {280, 136, 57, 25}, true},
    {&Form2::List1, "LISTBOX", L"",
     WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | WS_HSCROLL | LBS_SORT | LBS_NOTIFY |
         LBS_NOINTEGRALHEIGHT,
     WS_EX_CLIENTEDGE, {8, 56, 265, 140}, true},
    {&Form2::Check1, "BUTTON", L"能够关闭被加载的程序", CheckStyle, 0, {8, 220, 145, 17}, true},
    {&Form2::List2, "LISTBOX", L"", WS_VSCROLL | LBS_NOINTEGRALHEIGHT, WS_EX_CLIENTEDGE,
     {224, 168, 41, 21}, true},
    {&Form2::Text2, "EDIT", UsageText, NoteStyle, 0, {48, 75, 193, 81}, true},
    {&Form2::Check2, "BUTTON", L"保存当前的设置", CheckStyle, 0, {8, 200, 105, 17}, true},
    {&Form2::Combo1, "COMBOBOX", L"",
     WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_SORT, 0,
     {160, 200, 113, 200}, false},
    {&Form2::Label2, "STATIC", L"*选择皮肤样式*", LabelStyle, 0, {168, 220, 90, 17}, true}, // wide enough for its text in this font
    {&Form2::Text3, "EDIT", CreditsText, NoteStyle, 0, {48, 152, 177, 41}, true},
    {&Form2::Image1, "STATIC", L"", WS_VISIBLE | SS_ICON, 0, {312, 208, 32, 32}, false},
}};
// clang-format on

constexpr PixelRect Picture1Place{0, 0, 345, 241};
constexpr PixelRect Picture2Place{288, 16, 36, 36};
constexpr int Combo1ClosedHeight = 20;

ScopedFont CreatePanelFont() {
    const WindowDc screen(nullptr);
    const int height = -MulDiv(9, GetDeviceCaps(screen, LOGPIXELSY), 72);
    return ScopedFont(CreateFontA(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, GB2312_CHARSET,
                                  OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                  DEFAULT_PITCH | FF_DONTCARE, ToAnsi(L"微软雅黑").c_str()));
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

std::wstring SkinRoot() {
    return Process.AppDir + L"SKIN\\";
}

} // namespace

Form2::Form2() : Form(std::wstring(TitleMarker)) {}

Form2::~Form2() = default;

Form::WindowStyle Form2::DesignStyle() const {
    return {WS_POPUP | WS_CLIPCHILDREN, WS_EX_TOOLWINDOW, 350, 240, true};
}

void Form2::OnLoad() {
    CreateControls();
    ModMoveFrm::InstallMoveHook(*this, false);
    FillSkinList();
    if (Process.StyleIndex > Combo1Count() - 1 || Process.StyleIndex < 0) {
        Process.StyleIndex = 0;
    }
    if (Combo1Count() > 0) {
        SetCombo1Index(Process.StyleIndex);
    }
    ShowSettings();
}

HWND Form2::AddControl(const char* className, std::wstring_view text, DWORD style, DWORD exStyle,
                       const PixelRect& place) {
    // Controls overlap here and there (a label's last row under an edit box, the notes on the
    // list): each is drawn only where no control above it in the z-order lies.
    return CreateWindowExA(exStyle, className, ToAnsi(text).c_str(),
                           WS_CHILD | WS_CLIPSIBLINGS | style, place.X, place.Y, place.Width,
                           place.Height, Picture1, nullptr, GetModuleHandleA(nullptr), nullptr);
}

void Form2::CreateControls() {
    const HINSTANCE module = GetModuleHandleA(nullptr);
    panelFont_ = CreatePanelFont();

    Picture1 = CreatePictureBox(Hwnd(), Picture1Place, WS_VISIBLE, 0, true);
    Picture2 = CreatePictureBox(Picture1, Picture2Place, WS_VISIBLE, WS_EX_CLIENTEDGE, false);
    SetPicture(Picture2, LoadCursorA(module, MAKEINTRESOURCEA(IDC_FINDER)));
    for (const ControlDesign& design : Controls) {
        HWND control =
            AddControl(design.ClassName, design.Text, design.Style, design.ExStyle, design.Place);
        this->*design.Control = control;
        if (design.PanelFont) {
            SetControlFont(control, panelFont_);
        }
    }
    SetControlFont(Combo1, static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
    SetClosedHeight(Combo1, Combo1ClosedHeight);
    SendMessageA(Image1, STM_SETICON,
                 reinterpret_cast<WPARAM>(LoadImageA(module, MAKEINTRESOURCEA(IDI_EMBLEM),
                                                     IMAGE_ICON, 32, 32, LR_SHARED)),
                 0);

    // The notes are drawn over the window list, the credits over the usage text's blank last
    // rows: they go just above the list, which leaves the order of the controls that take the
    // focus as it is.
    constexpr UINT keepPlace = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
    SetWindowPos(Text3, GetWindow(List1, GW_HWNDPREV), 0, 0, 0, 0, keepPlace);
    SetWindowPos(Text2, Text3, 0, 0, 0, 0, keepPlace);

    const auto self = reinterpret_cast<DWORD_PTR>(this);
    SetWindowSubclass(List1, ControlMouseProc, 0, self);
    SetWindowSubclass(Picture2, ControlMouseProc, 0, self);
}

void Form2::FillSkinList() {
    const std::wstring root = SkinRoot();
    WIN32_FIND_DATAA found{};
    const ScopedFind search(FindFirstFileA(ToAnsi(root + L"*").c_str(), &found));
    if (search) {
        do {
            const std::wstring name = FromAnsi(found.cFileName);
            if (name == L"." || name == L"..") {
                continue;
            }
            const DWORD attributes = GetFileAttributesA(ToAnsi(root + name).c_str());
            if (attributes != INVALID_FILE_ATTRIBUTES &&
                (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
                SendMessageA(Combo1, CB_ADDSTRING, 0,
                             reinterpret_cast<LPARAM>(ToAnsi(name).c_str()));
            }
        } while (FindNextFileA(search, &found));
    }
    // A directory is a skin only with its skin.ini.
    for (int32_t i = Combo1Count(); i-- > 0;) {
        if (!Modmyset::FileExists(root + Combo1Text(i) + L"\\skin.ini")) {
            SendMessageA(Combo1, CB_DELETESTRING, static_cast<WPARAM>(i), 0);
        }
    }
}

void Form2::ShowSettings() {
    ShowCheckValue(Check1, Process.QuitFlag);
    ShowCheckValue(Check2, Process.SaveFlag);
}

int32_t Form2::Combo1Count() const {
    return static_cast<int32_t>(SendMessageA(Combo1, CB_GETCOUNT, 0, 0));
}

std::wstring Form2::Combo1Text(int32_t index) const {
    return ListEntryText(Combo1, CB_GETLBTEXTLEN, CB_GETLBTEXT, index);
}

void Form2::SetCombo1Index(int32_t index) {
    SendMessageA(Combo1, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    Combo1_Click();
}

std::wstring Form2::Text1Text() const {
    return WindowTitle(Text1);
}

void Form2::SetText1Text(const std::wstring& text) {
    SetWindowTextA(Text1, ToAnsi(text).c_str());
}

void Form2::Combo1_Click() {
    if (!Process.SkinReady) {
        return;
    }
    Process.StyleIndex = static_cast<int32_t>(SendMessageA(Combo1, CB_GETCURSEL, 0, 0));
    TheForm1().ReTrans();
}

void Form2::Check2_Click() {
    Process.SaveFlag = CheckValue(Check2);
}

void Form2::Repaint() {
    RedrawWindow(Hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_NOCHILDREN);
    RedrawWindow(Picture1, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void Form2::OnResize() {
    FillWithTarget();
}

bool Form2::OnQueryUnload() {
    ReleaseTarget();
    return true;
}

void Form2::OnUnload() {
    ModMoveFrm::RemoveMoveHook(*this);
    // Only the control panel keeps settings; a frame process never touches them.
    if (Process.IsFrameProcess()) {
        return;
    }
    SaveSettings();
}

void Form2::SaveSettings() {
    Process.ProfilePath = Process.AppDir + L"myset.ini";
    if (Process.SaveFlag != 1) {
        DeleteFileA(ToAnsi(Process.ProfilePath).c_str());
        return;
    }
    Modmyset::WriteProfile(L"SETTING", L"SAVE", L"1");
    Modmyset::WriteProfile(L"SETTING", L"APPSTYL", std::to_wstring(Process.StyleIndex));
    Modmyset::WriteProfile(L"SETTING", L"APPQUIT", std::to_wstring(Check1Value()));
}

int32_t Form2::Check1Value() const {
    return CheckValue(Check1);
}

std::optional<LRESULT> Form2::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        return OnCommand(reinterpret_cast<HWND>(lParam), HIWORD(wParam));
    case WM_CTLCOLORSTATIC:
        return OnStaticColour(reinterpret_cast<HWND>(lParam), reinterpret_cast<HDC>(wParam));
    case WM_TIMER:
        WatchTarget();
        return 0;
    default:
        return OnFinderMessage(message);
    }
}

std::optional<LRESULT> Form2::OnCommand(HWND control, WORD code) {
    if (control == Command1 && code == BN_CLICKED) {
        Command1_Click();
        return 0;
    }
    if (control == Command2 && code == BN_CLICKED) {
        Command2_Click();
        return 0;
    }
    if (control == Combo1 && code == CBN_SELCHANGE) {
        Combo1_Click();
        return 0;
    }
    if ((control == Check1 || control == Check2) && code == BN_CLICKED) {
        ToggleCheck(control);
        if (control == Check2) {
            Check2_Click();
        }
        return 0;
    }
    return std::nullopt;
}

std::optional<LRESULT> Form2::OnStaticColour(HWND control, HDC dc) {
    if (control != Text2 && control != Text3) {
        return std::nullopt;
    }
    // The notes share the list's white face; the credits are quieter than the usage text.
    SetBkColor(dc, GetSysColor(COLOR_WINDOW));
    SetTextColor(dc, GetSysColor(control == Text3 ? COLOR_GRAYTEXT : COLOR_WINDOWTEXT));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
}

} // namespace glaze
