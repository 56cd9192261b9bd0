#pragma once
// The rules editor's window and controls as designed at 96 DPI, made and laid out at the DPI
// of the monitor the editor is on, and placed on its owner's monitor.

#include "platform/Scoped.h"

#include <windows.h>

#include <cstdint>
#include <vector>

namespace glaze {

// The style of the editor's window.
inline constexpr DWORD EditorStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
inline constexpr DWORD EditorExStyle = WS_EX_CONTROLPARENT;

// The columns of the list of rules, in order.
enum class RuleColumn : int { Program, Class, Title, Skin, Close, OnTop, Opacity, State, Count };

// Makes the controls on the editor's window, in tab order (labels too), with the list's
// columns and the opacity choices.
std::vector<HWND> CreateEditorControls(HWND editor);

// Places and sizes the editor and its controls (as made) and gives them their font for the DPI;
// the font is returned to be kept while the controls use it.
ScopedFont LayOutEditor(HWND editor, const std::vector<HWND>& controls, int32_t dpi);

// The point at which to make the editor: the work area's corner of the owner's monitor (of the
// pointer's without an owner), so that the window asks that monitor's DPI.
POINT EditorOrigin(HWND owner);
// Puts the laid-out editor in the middle of the work area of the monitor it is on.
void CentreEditor(HWND editor);

} // namespace glaze
