#include "frame/FrameWindow.h"

#include "frame/FrameGeometry.h"
#include "frame/FollowFrame.h"
#include "platform/WorkingSet.h"
#include "platform/UnloadAll.h"
#include "settings/RunSettings.h"
#include "settings/SkinIni.h"
#include "frame/LoadedSkin.h"
#include "frame/FrameLimits.h"
#include "frame/HandOverReceiver.h"
#include "frame/SkinMessages.h"
#include "platform/AnsiText.h"
#include "platform/Canvas.h"
#include "platform/GdiPlus.h"
#include "platform/DpiScale.h"
#include "platform/Screens.h"
#include "platform/TestFaults.h"
#include "settings/UserSettings.h"

#include <algorithm>

#include <utility>

namespace glaze {
namespace {

constexpr wchar_t ErrorCaption[] = L"错误";

// The smallest frame a frame process may be sized to, at 96 DPI.
constexpr int32_t SmallestFrame = 200;

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

FrameWindow::FrameWindow(std::function<void(FrameWindow&)> startUp)
    : Form(L"模拟Glaze窗体*"), startUp_(std::move(startUp)) {
    hitAreaCallbacks_.Place = [this](int32_t item, const PixelRect& rect) {
        HitAreas[static_cast<size_t>(item)]->MoveTo(
            {rect.X - ClientOffsetX, rect.Y - ClientOffsetY, rect.Width, rect.Height});
    };
    hitAreaCallbacks_.IsEnabled = [this](int32_t item) {
        return HitAreas[static_cast<size_t>(item)]->IsEnabled();
    };
}

FrameWindow::~FrameWindow() = default;

Form::WindowStyle FrameWindow::DesignStyle() const {
    // A sizable window with a system menu: start-up takes its caption away and makes it
    // layered; the thick frame stays, so the frame can be sized at its outer edge.
    return {WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 400, 300};
}

void FrameWindow::OnLoad() {
    HitAreas.clear();
    HitAreas.push_back(std::make_unique<HitArea>(
        Hwnd(), 0, static_cast<HitAreaEvents&>(*this))); // never shown or placed
    startUp_(*this);
}

bool FrameWindow::OnQueryUnload() {
    // A close during a skin load waits for the load: unloading now would free what the load is
    // building. The close comes again once the skin is ready.
    if (loading_) {
        closeAfterLoad_ = true;
        return false;
    }
    return true;
}

// The frame's unload ends a process: hooks off, canvases and GDI+ released, hit areas gone,
// then every other form unloaded, which gives a captured window back.
void FrameWindow::OnUnload() {
    // The give-back below still handles the frame's messages: nothing may draw from the
    // canvases once they are gone.
    TheLoadedSkin().Ready = false;
    try {
        TestFaults::InUnload();
        FollowFrame::RemoveMoveHook(*this);
        DropSkinObjects();
        GdiPlus.reset(); // after the canvases
        UnloadAllForms(false);
    } catch (...) {
        // Whatever failed, the process ends with the framed window given back.
        content_->GiveBackFramedWindow();
        ExitProcess(3);
    }
}

void FrameWindow::OnResize() {
    Compose();
}

std::optional<LRESULT> FrameWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    // The low four bits of a system command are the platform's own.
    if (message == WM_SYSCOMMAND && menuCommands_ && menuCommands_(wParam & 0xFFF0)) {
        return 0;
    }
    switch (message) {
    case WM_ENDSESSION:
        // Log-off or shut-down: the process is ended once this returns. The ordinary shutdown
        // runs first, so a framed window goes back to the desktop, and the panel keeps its
        // settings; during a skin load, which the shutdown must not free under it, the window
        // is given back alone.
        if (wParam != FALSE) {
            if (loading_) {
                content_->GiveBackFramedWindow();
            } else {
                Unload();
            }
        }
        return 0;
    case WM_DPICHANGED:
        OnDpiChanged(LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_NCLBUTTONDOWN:
        // The outer edge sizes the frame in the system's loop, asked for as a system command as
        // the default handling does, without first activating the frame: the framed program in
        // front keeps the keyboard.
        if (wParam >= HTLEFT && wParam <= HTBOTTOMRIGHT) {
            SendMessageA(Hwnd(), WM_SYSCOMMAND, SC_SIZE + (wParam - HTLEFT + WMSZ_LEFT), lParam);
            return 0;
        }
        return std::nullopt;
    case WM_ENTERSIZEMOVE:
        snapping_.Begin(Hwnd(), content_->ContentHwnd(), TheLoadedSkin().Dpi, Skin.ShadowMargin,
                        ReadSnapping(TheRun().AppDir));
        return std::nullopt;
    case WM_MOVING:
        snapping_.Adjust(*reinterpret_cast<RECT*>(lParam));
        return TRUE;
    case WM_EXITSIZEMOVE:
        snapping_.End();
        return std::nullopt;
    default:
        return std::nullopt;
    }
}

void FrameWindow::ReloadSkin() {
    // The first load draws the frame where the content window is; every later one where the
    // frame is.
    LoadSkinAt(WindowDpi(TheLoadedSkin().Dpi == 0 ? content_->ContentHwnd() : Hwnd()));
}

void FrameWindow::OnDpiChanged(int32_t dpi, const RECT& suggested) {
    if (dpi == TheLoadedSkin().Dpi) {
        return; // placed by its own skin load onto a monitor of the DPI it was loaded for
    }
    // Until the new skin is ready the content window is laid out without being put back on the
    // frame's interior.
    TheLoadedSkin().Ready = false;
    content_->ScaleTo(dpi);
    LoadSkinAt(dpi, suggested);
}

void FrameWindow::LoadSkinAt(int32_t dpi, const std::optional<RECT>& frameRect) {
    TheLoadedSkin().Ready = false;
    loading_ = true;
    LockWindowUpdate(Hwnd());
    std::wstring skinName;
    try {
        LoadSkinAroundContent(skinName, dpi, frameRect);
    } catch (...) {
        // Out of memory for a huge image, or any other failure inside the load: the skin cannot
        // be used, and the frame ends the way it ends for a faulty skin, giving the window back.
        FailSkinLoad(FaultySkinMessage(skinName, Skin.ItemCount));
    }
    loading_ = false;
    if (std::exchange(closeAfterLoad_, false)) {
        PostMessageA(Hwnd(), WM_CLOSE, 0, 0);
    }
}

void FrameWindow::LoadSkinAroundContent(std::wstring& skinName, int32_t dpi,
                                        const std::optional<RECT>& frameRect) {
    ReleaseSkin();

    ScreenBitmapInfo = MakeScreenBitmapInfo();
    FrameDC = CreateCanvas(WindowDc(Hwnd()), ScreenBitmapInfo);
    FrameOrigin = {0, 0};
    FrameSize = {ScaleWidth(), ScaleHeight()};
    FrameBlend = {AC_SRC_OVER, 0, standingAside_ ? BYTE{0} : opacity_, AC_SRC_ALPHA};

    FramedContent& content = *content_;
    const int32_t skinCount = content.SkinCount();
    if (skinCount == 0) {
        FailSkinLoad(std::wstring(NoSkinMessage));
        return;
    }
    TheRun().KeepStyleIndexWithin(skinCount);
    content.SelectSkinAt(TheRun().StyleIndex);
    skinName = content.SkinName(TheRun().StyleIndex);
    TheLoadedSkin().Dir = SkinDirOf(TheRun().AppDir, skinName);

    if (!LoadSkin(dpi)) {
        FailSkinLoad(FaultySkinMessage(skinName, Skin.ItemCount));
        return;
    }
    TheLoadedSkin().MarginLeft = Skin.MarginLeft();
    TheLoadedSkin().MarginTop = Skin.MarginTop();
    TheLoadedSkin().MarginH = Skin.MarginH();
    TheLoadedSkin().MarginV = Skin.MarginV();
    TheLoadedSkin().Dpi = dpi;
    if (frameRect) {
        MoveContentOnto(*frameRect);
    }

    // A frame process composes every size change of the placement with the new items
    // already; the control panel waits for the final composition.
    if (TheRun().IsFrameProcess()) {
        TheLoadedSkin().Ready = true;
    }
    // A move to a monitor of another DPI leaves a maximised frame maximised there.
    PlaceAroundContent(!frameRect);
    Skin.FitFrame(Width(), Height());

    TheLoadedSkin().Ready = true;
    Compose();
    LockWindowUpdate(nullptr);
}

void FrameWindow::ReleaseSkin() {
    DropSkinObjects();
    Skin.ItemAction.clear();
    TrimWorkingSet();
}

void FrameWindow::DropSkinObjects() {
    while (HitAreas.size() > 1) { // the first is never shown and stays
        HitAreas.pop_back();
    }
    Images.ItemDC.clear();
    FrameDC.Reset();
}

bool FrameWindow::LoadSkin(int32_t dpi) {
    TestFaults::InSkinLoad();
    const PrepareHitArea prepare = [this](int32_t item, const SkinItemFields& fields) {
        const auto index = static_cast<size_t>(item);
        if (HitAreas.size() <= index) {
            HitAreas.resize(index + 1);
        }
        if (!HitAreas[index]) {
            HitAreas[index] =
                std::make_unique<HitArea>(Hwnd(), item, static_cast<HitAreaEvents&>(*this));
        }
        HitArea& area = *HitAreas[index];
        if (area.Hwnd() == nullptr) {
            return false;
        }
        area.Tag = fields.Label;
        area.SetVisible(true);
        area.BringToFront();
        area.SetEnabled(fields.Disabled != 1);
        return true;
    };
    return LoadSkinItems(TheLoadedSkin().Dir, WindowDc(Hwnd()), ScreenBitmapInfo, Skin, Images, dpi,
                         prepare);
}

void FrameWindow::MoveContentOnto(const RECT& frameRect) {
    const LoadedSkin& skin = TheLoadedSkin();
    RECT content{};
    GetWindowRect(content_->ContentHwnd(), &content);
    // A panel keeps the size it has at this scale; a framed window takes the interior.
    const bool takesInterior = TheRun().IsFrameProcess();
    const int width = takesInterior ? frameRect.right - frameRect.left - skin.MarginH
                                    : content.right - content.left;
    const int height = takesInterior ? frameRect.bottom - frameRect.top - skin.MarginV
                                     : content.bottom - content.top;
    MoveWindow(content_->ContentHwnd(), frameRect.left + skin.MarginLeft,
               frameRect.top + skin.MarginTop, std::max(width, 0), std::max(height, 0), TRUE);
}

bool FrameWindow::BringIntoReach() {
    const RECT outer = WindowRect();
    const PixelRect frame{outer.left, outer.top, outer.right - outer.left,
                          outer.bottom - outer.top};
    const PixelRect reachable =
        ReachablePlace(frame, TheLoadedSkin().MarginTop,
                       ButtonArea(Skin, frame.Width, frame.Height), MonitorNearest(frame).Work);
    if (reachable == frame) {
        return false;
    }
    SetWindowPos(Hwnd(), nullptr, reachable.X, reachable.Y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return true;
}

void FrameWindow::MaximiseAround(const RECT& normalContent) {
    // Placed first where it goes back to when restored: maximising keeps that place.
    const LoadedSkin& skin = TheLoadedSkin();
    SetWindowPos(
        Hwnd(), nullptr, normalContent.left - skin.MarginLeft, normalContent.top - skin.MarginTop,
        normalContent.right - normalContent.left + skin.MarginH,
        normalContent.bottom - normalContent.top + skin.MarginV, SWP_NOZORDER | SWP_NOACTIVATE);
    BringIntoReach();
    SetState(WindowState::Maximized);
}

void FrameWindow::FitAroundContent(int32_t width, int32_t height) {
    // A maximised frame keeps its monitor: the program fills what the frame holds.
    if (State() != WindowState::Normal) {
        return;
    }
    const LoadedSkin& skin = TheLoadedSkin();
    const auto size =
        FrameSizeAround(width, height, skin.MarginH, skin.MarginV, MonitorOf(Hwnd()).Monitor);
    SetWindowPos(Hwnd(), nullptr, 0, 0, size.Width, size.Height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    BringIntoReach();
}

void FrameWindow::StandAside(bool aside) {
    standingAside_ = aside;
    FrameBlend.SourceConstantAlpha = aside ? 0 : opacity_;
    if (TheLoadedSkin().Ready && FrameDC) {
        ShowCanvas();
    }
}

void FrameWindow::SetIcons(HICON big, HICON small) {
    SendMessageW(Hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
    SendMessageW(Hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
}

void FrameWindow::PlaceAroundContent(bool restoreFirst) {
    if (restoreFirst && State() != WindowState::Normal) {
        SetState(WindowState::Normal);
    }
    RECT around{};
    GetWindowRect(content_->ContentHwnd(), &around);
    const auto size = FrameSizeAround(around.right - around.left, around.bottom - around.top,
                                      TheLoadedSkin().MarginH, TheLoadedSkin().MarginV,
                                      MonitorOf(content_->ContentHwnd()).Monitor);
    SetWindowPos(Hwnd(), nullptr, around.left - TheLoadedSkin().MarginLeft,
                 around.top - TheLoadedSkin().MarginTop, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(Hwnd(), nullptr, 0, 0, size.Width, size.Height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);

    MINMAXINFO& limits = FrameLimits::Values().Limits;
    if (TheRun().IsFrameProcess()) {
        const int32_t smallest = ScaleForDpi(SmallestFrame, TheLoadedSkin().Dpi);
        limits.ptMinTrackSize = {smallest, smallest};
        FrameLimits::Values().MaximiseOnItsMonitor = true;
    } else {
        // The panel's frame keeps the size it was loaded with.
        limits.ptMinTrackSize = {size.Width, size.Height};
        limits.ptMaxSize = {size.Width, size.Height};
    }
}

void FrameWindow::FailSkinLoad(const std::wstring& message) {
    LockWindowUpdate(nullptr);
    MessageBoxA(Hwnd(), ToAnsi(message).c_str(), ToAnsi(ErrorCaption).c_str(), MB_ICONERROR);
    loading_ = false; // over, for good: the frame's unload runs with the others
    UnloadAllForms(true);
}

void FrameWindow::Compose() {
    if (!TheLoadedSkin().Ready) {
        return;
    }
    if (State() == WindowState::Minimized) {
        if (TheRun().IsFrameProcess()) {
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
    FollowFrame::KeepFollowersAbove();
    content_->Repaint();
}

void FrameWindow::SetOpacity(BYTE alpha) {
    opacity_ = alpha;
    FrameBlend.SourceConstantAlpha = standingAside_ ? 0 : alpha;
    if (TheLoadedSkin().Ready && FrameDC) {
        ShowCanvas();
    }
}

void FrameWindow::ShowCanvas(std::optional<PixelRect> changed) {
    // A changed rectangle alone is handed over when there is one: under Wine that halves the
    // cost of a button's change of cell on a large frame.
    ++LayeredUpdates;
    const WindowDc screen(Hwnd());
    RECT dirty{};
    if (changed) {
        dirty = {changed->X, changed->Y, changed->X + changed->Width, changed->Y + changed->Height};
    }
    const UPDATELAYEREDWINDOWINFO info{sizeof(UPDATELAYEREDWINDOWINFO),
                                       screen,
                                       nullptr,
                                       &FrameSize,
                                       FrameDC,
                                       &FrameOrigin,
                                       0,
                                       &FrameBlend,
                                       ULW_ALPHA,
                                       changed ? &dirty : nullptr};
    UpdateLayeredWindowIndirect(Hwnd(), &info);
}

} // namespace glaze
