#include "frame/Form1.h"

#include "frame/FrameGeometry.h"
#include "frame/SkinMessages.h"
#include "hosting/ModMoveFrm.h"
#include "lifecycle/ModProcEmpty.h"
#include "lifecycle/Modunfrms.h"
#include "lifecycle/ProcessValues.h"
#include "lifecycle/TheForms.h"
#include "panel/Form2.h"
#include "panel/RestyleReceiver.h"
#include "platform/AnsiText.h"
#include "platform/Canvas.h"
#include "platform/TestFaults.h"

namespace glaze {
namespace {

constexpr wchar_t ErrorCaption[] = L"错误";

ScreenFacts CurrentScreen(const RECT& trayRect) {
    RECT workArea{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &workArea, 0);
    return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
            PixelRect{trayRect.left, trayRect.top, trayRect.right - trayRect.left,
                      trayRect.bottom - trayRect.top},
            workArea.bottom};
}

// From the window's outer top-left corner to its client origin. Hit areas are child windows,
// placed in client pixels, so this is measured for every composition: the frame's non-client
// border comes and goes (a skin load that sizes the frame while the frame's messages are held
// back leaves it without one until the next size change).
POINT ClientOffsetOf(HWND window) {
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    RECT outer{};
    GetWindowRect(window, &outer);
    return {origin.x - outer.left, origin.y - outer.top};
}

} // namespace

Form1::Form1() : Form(L"模拟Glaze窗体*") {
    hitAreaCallbacks_.Place = [this](int32_t item, const PixelRect& rect) {
        PicContl[static_cast<size_t>(item)]->MoveTo(
            {rect.X - ClientOffsetX, rect.Y - ClientOffsetY, rect.Width, rect.Height});
    };
    hitAreaCallbacks_.IsEnabled = [this](int32_t item) {
        return PicContl[static_cast<size_t>(item)]->IsEnabled();
    };
}

Form1::~Form1() = default;

Form::WindowStyle Form1::DesignStyle() const {
    // A sizable window with a system menu: start-up takes its caption away and makes it
    // layered; the thick frame stays, so the frame can be sized at its outer edge.
    return {WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 400, 300};
}

void Form1::OnResize() {
    Compose();
}

std::optional<LRESULT> Form1::OnMessage(UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_ENDSESSION) {
        // Log-off or shut-down: the process is ended once this returns. The ordinary shutdown
        // runs first, so a framed window goes back to the desktop, and the panel keeps its
        // settings.
        if (wParam != FALSE) {
            Unload();
        }
        return 0;
    }
    return std::nullopt;
}

void Form1::ReTrans() {
    Process.SkinReady = false;
    LockWindowUpdate(Hwnd());
    std::wstring skinName;
    try {
        LoadSkinAroundContent(skinName);
    } catch (...) {
        // Out of memory for a huge image, or any other failure inside the load: the skin cannot
        // be used, and the frame ends the way it ends for a faulty skin, giving the window back.
        FailSkinLoad(FaultySkinMessage(skinName, Skin.ItemCount));
    }
}

void Form1::LoadSkinAroundContent(std::wstring& skinName) {
    ReleaseSkin();

    ScreenBitmapInfo = MakeScreenBitmapInfo();
    FrameDC = CreateCanvas(WindowDc(Hwnd()), ScreenBitmapInfo);
    FrameOrigin = {0, 0};
    FrameSize = {ScaleWidth(), ScaleHeight()};
    FrameBlend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};

    Form2& content = TheForm2();
    const int32_t skinCount = content.Combo1Count();
    if (skinCount == 0) {
        FailSkinLoad(std::wstring(NoSkinMessage));
        return;
    }
    if (Process.StyleIndex > skinCount - 1 || Process.StyleIndex < 0) {
        Process.StyleIndex = 0;
    }
    content.SetCombo1Index(Process.StyleIndex);
    skinName = content.Combo1Text(Process.StyleIndex);
    Process.SkinDir = Process.AppDir + L"SKIN\\" + skinName;

    if (!LoadSkin()) {
        FailSkinLoad(FaultySkinMessage(skinName, Skin.ItemCount));
        return;
    }
    Process.MarginLeft = Skin.MarginLeft();
    Process.MarginTop = Skin.MarginTop();
    Process.MarginH = Skin.MarginH();
    Process.MarginV = Skin.MarginV();

    // A frame process composes every size change of the placement with the new items
    // already; the control panel waits for the final composition.
    if (Process.IsFrameProcess()) {
        Process.SkinReady = true;
    }
    PlaceAroundContent();
    Skin.InteriorWidth = Width() - Process.MarginH;
    Skin.InteriorHeight = Height() - Process.MarginV;

    Process.SkinReady = true;
    Compose();
    LockWindowUpdate(nullptr);
}

void Form1::ReleaseSkin() {
    for (size_t i = PicContl.size(); i-- > 1;) {
        PicContl[i].reset();
    }
    if (!PicContl.empty()) {
        PicContl.resize(1);
    }
    Images.ItemDC.clear();
    FrameDC.Reset();
    Skin.ItemAction.clear();
    ModProcEmpty::TrimWorkingSet();
}

bool Form1::LoadSkin() {
    TestFaults::InSkinLoad();
    const PrepareHitArea prepare = [this](int32_t item, const SkinItemFields& fields) {
        const auto index = static_cast<size_t>(item);
        if (PicContl.size() <= index) {
            PicContl.resize(index + 1);
        }
        if (!PicContl[index]) {
            PicContl[index] =
                std::make_unique<HitArea>(Hwnd(), item, static_cast<HitAreaEvents&>(*this));
        }
        HitArea& area = *PicContl[index];
        if (area.Hwnd() == nullptr) {
            return false;
        }
        area.Tag = fields.Label;
        area.SetVisible(true);
        area.BringToFront();
        area.SetEnabled(fields.Disabled != 1);
        return true;
    };
    return LoadSkinItems(Process.SkinDir, WindowDc(Hwnd()), ScreenBitmapInfo, Skin, Images,
                         prepare);
}

void Form1::PlaceAroundContent() {
    if (State() != WindowState::Normal) {
        SetState(WindowState::Normal);
    }
    const ScreenFacts screen = CurrentScreen(TrayRect);
    Form2& content = TheForm2();
    const RECT around = content.WindowRect();
    const auto size = FrameSizeAround(around.right - around.left, around.bottom - around.top,
                                      Process.MarginH, Process.MarginV, screen);
    SetWindowPos(Hwnd(), nullptr, around.left - Process.MarginLeft, around.top - Process.MarginTop,
                 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(Hwnd(), nullptr, 0, 0, size.Width, size.Height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);

    MINMAXINFO& limits = Process.FrameLimits;
    if (Process.IsFrameProcess()) {
        limits.ptMinTrackSize = {200, 200};
        limits.ptMaxSize = {screen.Width, MaximisedFrameHeight(screen)};
    } else {
        // The panel's frame keeps the size it was loaded with.
        limits.ptMinTrackSize = {size.Width, size.Height};
        limits.ptMaxSize = {size.Width, size.Height};
    }
}

void Form1::FailSkinLoad(const std::wstring& message) {
    LockWindowUpdate(nullptr);
    MessageBoxA(Hwnd(), ToAnsi(message).c_str(), ToAnsi(ErrorCaption).c_str(), MB_ICONERROR);
    Modunfrms::UnloadAllForms(true);
}

void Form1::Compose() {
    if (!Process.SkinReady) {
        return;
    }
    if (State() == WindowState::Minimized) {
        if (Process.IsFrameProcess()) {
            ReceiveRestyle(*this);
        }
        return;
    }
    FrameSize = {Width(), Height()};
    const POINT clientOffset = ClientOffsetOf(Hwnd());
    ClientOffsetX = clientOffset.x;
    ClientOffsetY = clientOffset.y;
    shownCell_.assign(static_cast<size_t>(Skin.ItemCount), 0);
    if (const auto last =
            DrawFrame(FrameDC, Skin, Images, FrameSize.cx, FrameSize.cy, hitAreaCallbacks_)) {
        DrawX = last->X;
        DrawY = last->Y;
        DrawWidth = last->Width;
        DrawHeight = last->Height;
    }
    ShowCanvas();
    ModMoveFrm::KeepFollowersAbove();
    TheForm2().Repaint();
}

void Form1::ShowCanvas() {
    ++LayeredUpdates;
    UpdateLayeredWindow(Hwnd(), WindowDc(Hwnd()), nullptr, &FrameSize, FrameDC, &FrameOrigin, 0,
                        &FrameBlend, ULW_ALPHA);
}

void Form1::ShowCanvasPart(const PixelRect& changed) {
    // Only the changed rectangle is handed over: under Wine that halves the cost of a
    // button's change of cell on a large frame.
    ++LayeredUpdates;
    const WindowDc screen(Hwnd());
    const RECT dirty{changed.X, changed.Y, changed.X + changed.Width, changed.Y + changed.Height};
    const UPDATELAYEREDWINDOWINFO info{sizeof(UPDATELAYEREDWINDOWINFO),
                                       screen,
                                       nullptr,
                                       &FrameSize,
                                       FrameDC,
                                       &FrameOrigin,
                                       0,
                                       &FrameBlend,
                                       ULW_ALPHA,
                                       &dirty};
    UpdateLayeredWindowIndirect(Hwnd(), &info);
}

} // namespace glaze
