#include "MouseSupport.h"

#include "frame/SkinLoader.h"
#include "platform/Canvas.h"
#include "platform/GdiPlus.h"
#include "platform/Scoped.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <thread>

namespace glaze::e2e {
namespace {

// Absolute input addresses the virtual screen as 0..65536 on each axis; rounding up lands on
// the intended pixel, since the platform scales back by truncating.
LONG Normalised(LONG pixel, int origin, int extent) {
    return static_cast<LONG>((static_cast<int64_t>(pixel - origin) * 65536 + extent - 1) / extent);
}

DWORD ButtonFlag(int button, bool down) {
    switch (button) {
    case RightButton:
        return down ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_RIGHTUP;
    case MiddleButton:
        return down ? MOUSEEVENTF_MIDDLEDOWN : MOUSEEVENTF_MIDDLEUP;
    default:
        return down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
    }
}

GUITHREADINFO ThreadInfoOf(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
    return info;
}

std::vector<uint32_t> WithoutAlpha(std::vector<uint32_t> pixels) {
    for (auto& pixel : pixels) {
        pixel &= 0x00FFFFFFu;
    }
    return pixels;
}

std::chrono::steady_clock::time_point lastPress;
POINT pointer{}; // where the tests last put the pointer

// Every event names the pointer's place, buttons included: under Wine the system's idea of the
// pointer may lag behind or fall back to an older place for a moment after a move, and a
// button event of its own would land there.
void SendMouse(DWORD flags) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = Normalised(pointer.x, GetSystemMetrics(SM_XVIRTUALSCREEN),
                             GetSystemMetrics(SM_CXVIRTUALSCREEN));
    input.mi.dy = Normalised(pointer.y, GetSystemMetrics(SM_YVIRTUALSCREEN),
                             GetSystemMetrics(SM_CYVIRTUALSCREEN));
    input.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_VIRTUALDESK;
    SendInput(1, &input, sizeof input);
}

bool CursorAt(POINT at) {
    POINT now{};
    GetCursorPos(&now);
    return now.x == at.x && now.y == at.y;
}

} // namespace

void MovePointer(POINT at) {
    pointer = at;
    SendMouse(0);
}

void PointerTo(POINT at) {
    // Under Wine every move also moves the display's pointer, which reports it back a few to a
    // hundred milliseconds later as a move of its own, through whichever program's window lies
    // under it. Such an echo of an earlier move can arrive after this one and put the system's
    // pointer back there, while the echo of this move never comes: the window under the pointer
    // then last heard of the old place. The cursor is read from the system for 100 ms after it
    // changes and from the display after that. So a read elsewhere within 100 ms of the move,
    // or a read elsewhere that turns back into this place, was the system's own place, left
    // there by an echo: the move is made again. A read elsewhere that stays is only the
    // display's pointer, held by another program's grab (a move loop) where a move from here
    // cannot warp it; the system's pointer is here all the same.
    using namespace std::chrono;
    constexpr auto readEvery = milliseconds(10);
    constexpr auto systemReadTime = milliseconds(100);
    constexpr auto restingTime = milliseconds(200);
    constexpr auto heldElsewhereTime = milliseconds(120);
    const auto end = steady_clock::now() + seconds(3);
    MovePointer(at);
    auto moved = steady_clock::now();
    std::optional<steady_clock::time_point> elsewhereSince;
    while (steady_clock::now() < end) {
        test::PumpMessages();
        std::this_thread::sleep_for(readEvery);
        const auto now = steady_clock::now();
        const bool here = CursorAt(at);
        if ((!here && now - moved < systemReadTime) || (here && elsewhereSince)) {
            MovePointer(at);
            moved = steady_clock::now();
            elsewhereSince.reset();
            continue;
        }
        if (!here && !elsewhereSince) {
            elsewhereSince = now;
        }
        if (now - moved >= restingTime &&
            (!elsewhereSince || now - *elsewhereSince >= heldElsewhereTime)) {
            return;
        }
    }
    ADD_FAILURE() << "the pointer did not settle at " << at.x << "," << at.y;
}

void PressButton(int button) {
    SendMouse(ButtonFlag(button, true));
    lastPress = std::chrono::steady_clock::now();
}

void AwaitFreshClick() {
    std::this_thread::sleep_until(lastPress + std::chrono::milliseconds(GetDoubleClickTime() + 50));
}

void ReleaseButton(int button) {
    SendMouse(ButtonFlag(button, false));
}

void ClickAt(POINT at, int button) {
    PointerTo(at);
    PressButton(button);
    ReleaseButton(button);
}

void DoubleClickAt(POINT at) {
    AwaitFreshClick();
    ClickAt(at, LeftButton);
    ClickAt(at, LeftButton);
}

void DragFromTo(POINT from, POINT to, int button) {
    PointerTo(from);
    PressButton(button);
    MoveInSteps(from, to);
    ReleaseButton(button);
}

void MoveInSteps(POINT from, POINT to) {
    constexpr int steps = 8;
    for (int step = 1; step <= steps; ++step) {
        MovePointer(
            {from.x + (to.x - from.x) * step / steps, from.y + (to.y - from.y) * step / steps});
        // Under Wine the move loop may miss the last of moves that come all at once.
        if (test::UnderWine()) {
            std::this_thread::sleep_for(std::chrono::milliseconds(15));
        }
    }
}

void TypeKey(WORD virtualKey) {
    PressKeys({virtualKey});
}

void PressKeys(std::initializer_list<WORD> virtualKeys) {
    std::vector<INPUT> keys;
    for (const WORD key : virtualKeys) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = key;
        keys.push_back(input);
    }
    // Released in the opposite order, as fingers leave a chord.
    for (auto key = virtualKeys.end(); key != virtualKeys.begin();) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = *--key;
        input.ki.dwFlags = KEYEVENTF_KEYUP;
        keys.push_back(input);
    }
    SendInput(static_cast<UINT>(keys.size()), keys.data(), sizeof keys[0]);
}

void TypeText(const std::wstring& text) {
    for (const wchar_t character : text) {
        INPUT keys[2]{};
        keys[0].type = INPUT_KEYBOARD;
        keys[0].ki.wScan = character;
        keys[0].ki.dwFlags = KEYEVENTF_UNICODE;
        keys[1] = keys[0];
        keys[1].ki.dwFlags = KEYEVENTF_UNICODE | KEYEVENTF_KEYUP;
        SendInput(2, keys, sizeof keys[0]);
    }
}

HWND CaptureOf(HWND window) {
    return ThreadInfoOf(window).hwndCapture;
}

bool InMoveOrSize(HWND window) {
    return (ThreadInfoOf(window).flags & GUI_INMOVESIZE) != 0;
}

bool StaysTrue(const std::function<bool()>& condition, std::chrono::milliseconds time) {
    return !WaitUntil([&] { return !condition(); }, time);
}

std::vector<uint32_t> ScreenPixels(const RECT& rect) {
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    const WindowDc screen(nullptr);
    const Canvas canvas = CreateCanvas(screen, MakeBitmapInfo(width, height));
    BitBlt(canvas, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
    return WithoutAlpha(ReadCanvasPixels(canvas, width, height));
}

std::vector<uint32_t> ImageCellPixels(const std::wstring& imagePath, int cell, int width,
                                      int height) {
    // One session for the test program: decoding needs it, and it may outlive every test.
    static const GdiPlusSession gdiPlus;
    const WindowDc screen(nullptr);
    const Canvas image = CreateCanvas(screen, MakeBitmapInfo((cell + 1) * width, height));
    const Canvas cellCanvas = CreateCanvas(screen, MakeBitmapInfo(width, height));
    constexpr int64_t anyScreen = int64_t{1} << 30;
    DrawImageBytes(ReadImageFile(imagePath, anyScreen), anyScreen,
                   [&](DecodedSize) { return HDC(image); });
    BitBlt(cellCanvas, 0, 0, width, height, image, cell * width, 0, SRCCOPY);
    return WithoutAlpha(ReadCanvasPixels(cellCanvas, width, height));
}

size_t DifferingPixels(const std::vector<uint32_t>& a, const std::vector<uint32_t>& b) {
    if (a.size() != b.size()) {
        return a.size() > b.size() ? a.size() : b.size();
    }
    size_t differing = 0;
    for (size_t i = 0; i < a.size(); ++i) {
        for (int shift = 0; shift < 24; shift += 8) {
            const int delta =
                static_cast<int>((a[i] >> shift) & 0xFF) - static_cast<int>((b[i] >> shift) & 0xFF);
            if (std::abs(delta) > 2) {
                ++differing;
                break;
            }
        }
    }
    return differing;
}

} // namespace glaze::e2e
