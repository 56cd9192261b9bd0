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

// The smallest frame a frame process may be sized to, at 96 DPI.
constexpr int32_t SmallestFrame = 200;

} // namespace

FrameWindow::FrameWindow(std::function<void(FrameWindow&)> startUp)
    : Form(L"模拟Glaze窗体*"), startUp_(std::move(startUp)) {
    hitAreaCallbacks_.Place = [this](int32_t item, const PixelRect& rect) {
        hitAreas_.Place(item, rect);
    };
    hitAreaCallbacks_.IsEnabled = [this](int32_t item) { return hitAreas_.IsEnabled(item); };
}

FrameWindow::~FrameWindow() = default;

Form::WindowStyle FrameWindow::DesignStyle() const {
    // A sizable window with a system menu: start-up takes its caption away and makes it
    // layered; the thick frame stays, so the frame can be sized at its outer edge.
    return {WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 400, 300};
}

void FrameWindow::OnLoad() {
    skin_ = {};
    hitAreas_.Start(Hwnd(), *this);
    startUp_(*this);
}

bool FrameWindow::StartGdiPlus() {
    return gdiPlus_.emplace().Started();
}

bool FrameWindow::OnQueryUnload() {
    // A close during a skin load waits for the load: unloading now would free what the load is
    // building. The close comes again once the skin is ready.
    if (loading_) {
        closeAfterLoad_ = true;
        return false;
    }
    // The framed window goes back before anything of the frame goes: where the system refuses,
    // it stays framed, and the frame stays with it.
    if (!content_->GiveBackFramedWindow()) {
        if (!endingSession_) {
            MessageBoxW(Hwnd(), std::wstring(RefusedGiveBackMessage).c_str(),
                        std::wstring(ErrorCaption).c_str(), MB_ICONERROR);
        }
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
        gdiPlus_.reset(); // after the canvases
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
            endingSession_ = true;
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
    case WM_DISPLAYCHANGE:
        FollowDesk(DeskChange::Display);
        return std::nullopt;
    case WM_SETTINGCHANGE:
        if (wParam == SPI_SETWORKAREA) {
            FollowDesk(DeskChange::WorkArea);
        }
        return std::nullopt;
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
        snapping_.Begin(Hwnd(), content_->ContentHwnd(), WindowDpi(Hwnd()),
                        skin_.Model().ShadowMargin, ReadSnapping(TheRun().AppDir));
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
    LoadSkinAt(WindowDpi(skin_.Dpi() == 0 ? content_->ContentHwnd() : Hwnd()));
}

void FrameWindow::LoadSkinAt(int32_t dpi, const std::optional<RECT>& frameRect) {
    TheLoadedSkin().Ready = false;
    loading_ = true;
    LockWindowUpdate(Hwnd());
    std::wstring skinName;
    try {
        // Until the new skin is ready the content window is laid out without being put back on
        // the frame's interior.
        if (frameRect) {
            content_->ScaleTo(dpi);
        }
        LoadSkinAroundContent(skinName, dpi, frameRect);
    } catch (...) {
        // Out of memory for a huge image, or any other failure inside the load: the skin cannot
        // be used, and the frame ends the way it ends for a faulty skin, giving the window back.
        FailSkinLoad(FaultySkinMessage(skinName, skin_.Model().ItemCount));
    }
    loading_ = false;
    if (std::exchange(closeAfterLoad_, false)) {
        PostMessageA(Hwnd(), WM_CLOSE, 0, 0);
        return;
    }
    FollowChangesDuringLoad();
}

void FrameWindow::LoadSkinAroundContent(std::wstring& skinName, int32_t dpi,
                                        const std::optional<RECT>& frameRect) {
    ReleaseSkin();
    surface_.SetOpacity(ShownOpacity());

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
        FailSkinLoad(FaultySkinMessage(skinName, skin_.Model().ItemCount));
        return;
    }
    const SkinModel& model = skin_.Model();
    TheLoadedSkin().MarginLeft = model.MarginLeft();
    TheLoadedSkin().MarginTop = model.MarginTop();
    TheLoadedSkin().MarginH = model.MarginH();
    TheLoadedSkin().MarginV = model.MarginV();
    if (frameRect) {
        MoveContentOnto(*frameRect);
    }

    // A frame process composes every size change of the placement with the new items
    // already; the control panel waits for the final composition.
    if (TheRun().IsFrameProcess()) {
        TheLoadedSkin().Ready = true;
    }
    // A move to a monitor of another DPI leaves a maximised frame maximised there, and a frame
    // process's frame where the system suggests.
    if (frameRect && TheRun().IsFrameProcess()) {
        TakePlaceAsGiven(*frameRect);
        SetSizeLimits(dpi, {});
    } else {
        SetSizeLimits(dpi, PlaceAroundContent(!frameRect));
    }
    skin_.FitFrame(Width(), Height());

    TheLoadedSkin().Ready = true;
    Compose();
    LockWindowUpdate(nullptr);
}

void FrameWindow::ReleaseSkin() {
    DropSkinObjects();
    skin_.Drop();
    TrimWorkingSet();
}

void FrameWindow::DropSkinObjects() {
    hitAreas_.DropItems();
    skin_.DropImages();
    surface_.Drop();
}

bool FrameWindow::LoadSkin(int32_t dpi) {
    TestFaults::InSkinLoad();
    return skin_.Load(TheLoadedSkin().Dir, WindowDc(Hwnd()), dpi,
                      [this](int32_t item, const SkinItemFields& fields) {
                          return hitAreas_.Prepare(item, fields);
                      });
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

void FrameWindow::SetIcons(HICON big, HICON small) {
    SendMessageW(Hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
    SendMessageW(Hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
}

OuterSize FrameWindow::PlaceAroundContent(bool restoreFirst) {
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
    return size;
}

void FrameWindow::SetSizeLimits(int32_t dpi, OuterSize size) {
    MINMAXINFO& limits = FrameLimits::Values().Limits;
    if (TheRun().IsFrameProcess()) {
        const int32_t smallest = ScaleForDpi(SmallestFrame, dpi);
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
    MessageBoxA(Hwnd(), ToAnsi(message).c_str(), ToAnsi(std::wstring(ErrorCaption)).c_str(),
                MB_ICONERROR);
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
    DrawWhole();
    ShowCanvas();
    FollowFrame::KeepFollowersAbove();
    content_->Repaint();
}

void FrameWindow::DrawWhole() {
    surface_.Cover(Hwnd(), {Width(), Height()});
    hitAreas_.MeasureClientOffset();
    shownCell_.assign(static_cast<size_t>(skin_.Model().ItemCount), 0);
    if (const auto last = skin_.Draw(surface_.Dc(), surface_.Frame(), hitAreaCallbacks_)) {
        lastItem_ = *last;
    }
}

void FrameWindow::SetOpacity(BYTE alpha) {
    opacity_ = alpha;
    surface_.SetOpacity(ShownOpacity());
    if (TheLoadedSkin().Ready && surface_) {
        ShowCanvas();
    }
}

void FrameWindow::StandAside(bool aside) {
    standingAside_ = aside;
    surface_.SetOpacity(ShownOpacity());
    if (TheLoadedSkin().Ready && surface_) {
        ShowCanvas();
    }
}

void FrameWindow::ShowCanvas(const std::optional<PixelRect>& changed) {
    if (surface_.Show(Hwnd(), changed)) {
        return;
    }
    // Refused: a canvas smaller than the frame (the system gave no larger one), or one the
    // system no longer takes. Once more, whole, from a new canvas; a frame of no size shows
    // nothing either way.
    const SIZE frame = surface_.Frame();
    if (frame.cx <= 0 || frame.cy <= 0) {
        return;
    }
    surface_.Renew(Hwnd());
    DrawWhole();
    surface_.Show(Hwnd());
}

} // namespace glaze
