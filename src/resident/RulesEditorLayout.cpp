#include "resident/RulesEditorLayout.h"

#include "panel/PanelFont.h"
#include "platform/DpiScale.h"
#include "platform/Screens.h"
#include "resident/RulesEditor.h"

#include <commctrl.h>

#include <array>

namespace glaze {
namespace {

constexpr int ClientWidth = 600;
constexpr int ClientHeight = 539;

struct ControlDesign {
    int Id; // 0 for labels
    const wchar_t* ClassName;
    const wchar_t* Text;
    DWORD Style;
    DWORD ExStyle;
    RECT Place; // left, top, width, height
};

constexpr DWORD Label = SS_LEFT | SS_NOPREFIX;
constexpr DWORD Edit = WS_TABSTOP | ES_AUTOHSCROLL;
constexpr DWORD Button = WS_TABSTOP | BS_PUSHBUTTON;
constexpr DWORD Check = WS_TABSTOP | BS_AUTOCHECKBOX;
constexpr DWORD DropDown = WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST;

// In tab order.
// clang-format off
const std::array<ControlDesign, 31> Controls{{
    {0, L"STATIC", L"规则（自上而下，第一条符合的规则起作用）：", Label, 0, {8, 8, 584, 18}},
    {RuleListId, WC_LISTVIEWW, L"", WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER, WS_EX_CLIENTEDGE, {8, 28, 584, 168}},
    {0, L"STATIC", L"程序：", Label, 0, {8, 209, 50, 18}},
    {RuleProgramId, L"EDIT", L"", Edit, WS_EX_CLIENTEDGE, {58, 206, 150, 23}},
    {0, L"STATIC", L"窗口类：", Label, 0, {218, 209, 60, 18}},
    {RuleClassId, L"EDIT", L"", Edit, WS_EX_CLIENTEDGE, {278, 206, 120, 23}},
    {0, L"STATIC", L"标题：", Label, 0, {408, 209, 40, 18}},
    {RuleTitleId, L"EDIT", L"", Edit, WS_EX_CLIENTEDGE, {448, 206, 144, 23}},
    {0, L"STATIC", L"皮肤：", Label, 0, {8, 240, 50, 18}},
    {RuleSkinId, L"COMBOBOX", L"", DropDown | CBS_SORT, 0, {58, 237, 150, 200}},
    {RuleCloseId, L"BUTTON", L"能够关闭被加载的程序", Check, 0, {218, 238, 170, 20}},
    {RuleEnabledId, L"BUTTON", L"启用", Check, 0, {398, 238, 80, 20}},
    {RuleOnTopId, L"BUTTON", L"总在最前", Check, 0, {58, 269, 150, 20}},
    {0, L"STATIC", L"透明度：", Label, 0, {218, 271, 60, 18}},
    {RuleOpacityId, L"COMBOBOX", L"", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN, 0, {278, 268, 70, 200}},
    {0, L"STATIC", L"%（60–100）", Label, 0, {354, 271, 120, 18}},
    {0, L"STATIC", L"从窗口添加：", Label, 0, {8, 302, 80, 18}},
    {RuleFromWindowId, L"COMBOBOX", L"", DropDown, 0, {88, 299, 504, 300}},
    {RuleAddId, L"BUTTON", L"添加", Button, 0, {8, 331, 64, 25}},
    {RuleChangeId, L"BUTTON", L"更改", Button, 0, {78, 331, 64, 25}},
    {RuleRemoveId, L"BUTTON", L"删除", Button, 0, {148, 331, 64, 25}},
    {RulePauseId, L"BUTTON", L"暂停/启用", Button, 0, {218, 331, 80, 25}},
    {0, L"STATIC", L"不框的程序（以逗号分隔）：", Label, 0, {8, 372, 170, 18}},
    {NeverFramedId, L"EDIT", L"", Edit, WS_EX_CLIENTEDGE, {178, 369, 414, 23}},
    {0, L"STATIC", L"热键：", Label, 0, {8, 403, 50, 18}},
    {HotkeyBoxId, L"EDIT", L"", Edit, WS_EX_CLIENTEDGE, {58, 400, 150, 23}},
    {0, L"STATIC", L"（例如 Ctrl+Alt+G）", Label, 0, {218, 403, 200, 18}},
    {0, L"STATIC", L"rules.ini 中无法使用的行：", Label, 0, {8, 431, 300, 18}},
    {RuleProblemsId, L"EDIT", L"", WS_VSCROLL | ES_MULTILINE | ES_READONLY, WS_EX_CLIENTEDGE, {8, 449, 584, 52}},
    {RulesSaveId, L"BUTTON", L"保存", Button | BS_DEFPUSHBUTTON, 0, {456, 508, 64, 25}},
    {RulesCancelId, L"BUTTON", L"取消", Button, 0, {528, 508, 64, 25}},
}};
// clang-format on

struct Column {
    const wchar_t* Title;
    int Width;
};
constexpr std::array<Column, static_cast<size_t>(RuleColumn::Count)> Columns{{
    {L"程序", 100},
    {L"窗口类", 86},
    {L"标题", 124},
    {L"皮肤", 80},
    {L"关闭程序", 60},
    {L"最前", 40},
    {L"透明度", 50},
    {L"状态", 40},
}};

MonitorArea MonitorForOwner(HWND owner) {
    if (owner != nullptr) {
        return MonitorOf(owner);
    }
    POINT pointer{};
    GetCursorPos(&pointer);
    return MonitorNearest({pointer.x, pointer.y, 1, 1});
}

} // namespace

std::vector<HWND> CreateEditorControls(HWND editor) {
    const HINSTANCE module = GetModuleHandleW(nullptr);
    std::vector<HWND> controls;
    for (const ControlDesign& design : Controls) {
        controls.push_back(CreateWindowExW(design.ExStyle, design.ClassName, design.Text,
                                           WS_CHILD | WS_VISIBLE | design.Style, 0, 0, 0, 0, editor,
                                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(design.Id)),
                                           module, nullptr));
    }
    const HWND list = GetDlgItem(editor, RuleListId);
    SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    for (size_t i = 0; i < Columns.size(); ++i) {
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT;
        column.pszText = const_cast<wchar_t*>(Columns[i].Title);
        SendMessageW(list, LVM_INSERTCOLUMNW, i, reinterpret_cast<LPARAM>(&column));
    }
    for (const wchar_t* choice : {L"100", L"90", L"80", L"70", L"60"}) {
        SendDlgItemMessageW(editor, RuleOpacityId, CB_ADDSTRING, 0,
                            reinterpret_cast<LPARAM>(choice));
    }
    return controls;
}

ScopedFont LayOutEditor(HWND editor, const std::vector<HWND>& controls, int32_t dpi) {
    ScopedFont font = CreatePanelFont(dpi);
    for (size_t i = 0; i < Controls.size() && i < controls.size(); ++i) {
        const RECT& design = Controls[i].Place;
        const PixelRect place =
            ScaleRectForDpi({design.left, design.top, design.right, design.bottom}, dpi);
        MoveWindow(controls[i], place.X, place.Y, place.Width, place.Height, FALSE);
        SendMessageW(controls[i], WM_SETFONT, reinterpret_cast<WPARAM>(font.Get()), FALSE);
    }
    for (size_t i = 0; i < Columns.size(); ++i) {
        SendMessageW(GetDlgItem(editor, RuleListId), LVM_SETCOLUMNWIDTH, i,
                     ScaleForDpi(Columns[i].Width, dpi));
    }
    // The borders and caption at the editor's own DPI, not the system's.
    const SIZE outer =
        OuterSizeForClient({ScaleForDpi(ClientWidth, dpi), ScaleForDpi(ClientHeight, dpi)},
                           EditorStyle, EditorExStyle, dpi);
    SetWindowPos(editor, nullptr, 0, 0, outer.cx, outer.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(editor, nullptr, TRUE);
    return font;
}

POINT EditorOrigin(HWND owner) {
    const PixelRect work = MonitorForOwner(owner).Work;
    return {work.X, work.Y};
}

void CentreEditor(HWND editor) {
    const PixelRect work = MonitorOf(editor).Work;
    RECT placed{};
    GetWindowRect(editor, &placed);
    const int width = placed.right - placed.left;
    const int height = placed.bottom - placed.top;
    SetWindowPos(editor, nullptr, work.X + (work.Width - width) / 2,
                 work.Y + (work.Height - height) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace glaze
