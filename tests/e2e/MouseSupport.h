#pragma once
// Real pointer input and what the screen shows: the tests move and press the system's own
// mouse through SendInput, so every window sees exactly what a user's mouse would give it, and
// they read the frame's picture back from the screen.

#include "E2eSupport.h"
#include "platform/Forms.h"

#include <windows.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace glaze::e2e {

// The system pointer, driven through SendInput. Buttons are LeftButton, RightButton or
// MiddleButton of platform/Forms.h.
// Moves the pointer and waits until it rests there.
void PointerTo(POINT at);
// Moves the pointer without waiting: the moves of a drag, while the system's move or size
// loop holds the display's pointer.
void MovePointer(POINT at);
void MoveInSteps(POINT from, POINT to);
void PressButton(int button);
void ReleaseButton(int button);
void ClickAt(POINT at, int button);
void DoubleClickAt(POINT at);
// Waits until a press can no longer make a double-click with the last one.
void AwaitFreshClick();
// Presses at `from`, moves to `to` in quick small steps, and releases there.
void DragFromTo(POINT from, POINT to, int button = LeftButton);
// A key pressed and released, to whatever window has the keyboard.
void TypeKey(WORD virtualKey);
// The characters typed as a user's keyboard would, to whatever window has the keyboard.
void TypeText(const std::wstring& text);

// The window holding the mouse capture on the thread that owns the window, and whether that
// thread is inside the system's move or size loop.
HWND CaptureOf(HWND window);
bool InMoveOrSize(HWND window);

// True when the condition holds throughout the time: for what must not happen.
bool StaysTrue(const std::function<bool()>& condition,
               std::chrono::milliseconds time = std::chrono::milliseconds(300));

// The screen's pixels in the rectangle, row by row from the top, as 0x00RRGGBB.
std::vector<uint32_t> ScreenPixels(const RECT& rect);

// Cell `cell` (width x height; cells side by side from the left) of an image as a frame shows
// it on a screen without a compositor: its premultiplied colours, 0x00RRGGBB.
std::vector<uint32_t> ImageCellPixels(const std::wstring& imagePath, int cell, int width,
                                      int height);

// How many pixels differ by more than a rounding step in any colour.
size_t DifferingPixels(const std::vector<uint32_t>& a, const std::vector<uint32_t>& b);

} // namespace glaze::e2e
