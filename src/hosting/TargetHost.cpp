// The content window's side of framing another program: taking its window in, keeping it
// filling the content window, following what its program does to it, and giving it back at the
// end.

#include "hosting/TargetHost.h"

#include "frame/FollowFrame.h"
#include "frame/FrameWindow.h"
#include "hosting/CaptureGeometry.h"
#include "platform/AnsiText.h"
#include "platform/Captions.h"
#include "platform/Screens.h"
#include "settings/RunSettings.h"

namespace glaze {
namespace {

// How long a program may take to answer while its window is taken in.
constexpr DWORD CaptureLimitMs = 3000;

// Whether the window's program handles its messages within the time: one that is hung now would
// hold every call that changes its window.
bool Answers(HWND window, DWORD limitMs) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG | SMTO_BLOCK, limitMs,
                               &result) != 0;
}

// Whether the window is maximised, and where its client area lies when it is not. The normal
// place comes in workspace coordinates, which start at the corner of the work area.
TargetHost::TakenPlacement PlacementOf(HWND target, const WINDOWPLACEMENT& placement,
                                       const CapturedBorders& borders) {
    RECT normal = placement.rcNormalPosition;
    if ((GetWindowLongA(target, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) == 0) {
        const MonitorArea monitor = MonitorOf(target);
        OffsetRect(&normal, monitor.Work.X - monitor.Monitor.X, monitor.Work.Y - monitor.Monitor.Y);
    }
    return {IsZoomed(target) != FALSE,
            ClientAreaOf({normal.left, normal.top, normal.right, normal.bottom}, borders)};
}

// The window as its program left it: its own shown and maximised states, and where it lies on
// the content window.
FramedWindowFacts FactsOf(HWND window, HWND content) {
    const auto style = static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE));
    RECT outer{};
    GetWindowRect(window, &outer);
    MapWindowPoints(nullptr, content, reinterpret_cast<POINT*>(&outer), 2);
    return {(style & WS_VISIBLE) != 0,
            (style & WS_MAXIMIZE) != 0,
            outer.left,
            outer.top,
            {outer.right - outer.left, outer.bottom - outer.top}};
}

// Whether the window in front belongs to the window's thread: the window itself or a dialog.
bool ItsProgramInFront(HWND window) {
    const HWND foreground = GetForegroundWindow();
    return foreground != nullptr && GetWindowThreadProcessId(foreground, nullptr) ==
                                        GetWindowThreadProcessId(window, nullptr);
}

} // namespace

TargetHost::TargetHost(Form& content, FrameWindow& frame) : content_(content), frame_(frame) {}

TargetHost::Captured TargetHost::Capture(HWND target) {
    // Nothing has changed on the window until its program has shown that it answers.
    if (!Answers(target, CaptureLimitMs)) {
        return Captured::NoAnswer;
    }
    CapturedTarget captured{target,
                            GetAncestor(target, GA_PARENT),
                            GetWindow(target, GW_OWNER),
                            GetWindowLongA(target, GWL_STYLE),
                            {},
                            {},
                            GetWindowThreadProcessId(target, nullptr)};
    RECT outer{}, client{};
    GetWindowRect(target, &outer);
    GetClientRect(target, &client);
    POINT topLeft{outer.left, outer.top}, bottomRight{outer.right, outer.bottom};
    ScreenToClient(target, &topLeft);
    ScreenToClient(target, &bottomRight);
    const CapturePlan plan =
        PlanCapture({outer.left, outer.top, outer.right, outer.bottom}, client.right, client.bottom,
                    topLeft.x, topLeft.y, bottomRight.x, bottomRight.y);
    captured.Borders = plan.Borders;
    captured.Placement.length = sizeof captured.Placement;
    GetWindowPlacement(target, &captured.Placement);
    taken_ = PlacementOf(target, captured.Placement, plan.Borders);
    content_.Move(plan.Content.Left, plan.Content.Top, plan.Content.Right - plan.Content.Left,
                  plan.Content.Bottom - plan.Content.Top);

    // Recorded before the first change: a process failing from here on gives the window back.
    keeper_.Keep(captured,
                 [this](const CapturedBorders& borders) { return ReleasePlace(borders); });
    switch (keeper_.TakeIn(content_.Hwnd(), content_.ScaleWidth(), content_.ScaleHeight(),
                           CaptureLimitMs)) {
    case WindowKeeper::Taken::InContent:
        break;
    case WindowKeeper::Taken::Refused:
        return Captured::Refused;
    case WindowKeeper::Taken::Late:
        // The program stopped answering on the way: it is not framed, and gets back whatever
        // was changed once it answers again.
        keeper_.GiveBack(false);
        return Captured::NoAnswer;
    }
    titleSeen_ = WindowTitle(target);
    AskIcons(target);
    Watch(target);
    return Captured::InFrame;
}

void TargetHost::Watch(HWND window) {
    filling_ = true;
    // The frame comes up with the captured window whenever it comes to the front, and hands it
    // the keyboard whenever it is made active itself.
    FollowFrame::Values().FramedWindow = window;
    follower_.emplace(FactsOf(window, content_.Hwnd()));
    watch_.Start(window, content_.Hwnd(), WatchTimer,
                 [this](bool titleToo) { return Follow(titleToo); });
}

void TargetHost::Fill() {
    if (!filling_) {
        return;
    }
    const WindowSize size{content_.ScaleWidth(), content_.ScaleHeight()};
    follower_->Asked(size);
    // While the frame follows the program, the program chose the size: only what the frame
    // could not give it is asked of it afterwards.
    if (!following_) {
        FillWith(size, FactsOf(keeper_.Target().Window, content_.Hwnd()));
    }
}

void TargetHost::FillWith(WindowSize size, const FramedWindowFacts& now) {
    // A window that fills the content window already is left alone: a request on its way could
    // land after a change its program makes meanwhile, and undo it.
    if (now.Left == 0 && now.Top == 0 && now.Size == size) {
        return;
    }
    // Asynchronous: a program that does not answer must not hold up the frame being sized. The
    // program's own thread makes the move, and repaints what it uncovers.
    SetWindowPos(keeper_.Target().Window, nullptr, 0, 0, size.Width, size.Height,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_ASYNCWINDOWPOS);
}

bool TargetHost::Follow(bool titleToo) {
    if (!filling_) {
        return false;
    }
    const HWND window = keeper_.Target().Window;
    // The program closed its window or ended: the frame has nothing left to dress. The close
    // runs the ordinary shutdown.
    if (!keeper_.Target().StillThere()) {
        watch_.Stop();
        PostMessageA(frame_.Hwnd(), WM_CLOSE, 0, 0);
        return true;
    }
    const FramedWindowFacts now = FactsOf(window, content_.Hwnd());
    // The monitor is asked about only when the window changed: looks are frequent.
    const PixelRect monitor =
        now == follower_->Last() ? PixelRect{} : MonitorOf(content_.Hwnd()).Monitor;
    const FollowReaction reaction = follower_->Seen(now, {monitor.Width, monitor.Height});
    following_ = true;
    Apply(reaction);
    following_ = false;
    if (reaction.FullScreen || reaction.Maximised || reaction.ContentSize || reaction.Refill) {
        // Whatever the frame could give it, the window fills the content window again.
        const WindowSize size{content_.ScaleWidth(), content_.ScaleHeight()};
        follower_->Asked(size);
        FillWith(size, now);
    }
    const bool retitled = titleToo && FollowTitle(window);
    return reaction != FollowReaction{} || retitled;
}

void TargetHost::Apply(const FollowReaction& reaction) {
    if (reaction.Shown) {
        ShowFrame(*reaction.Shown);
    }
    if (reaction.FullScreen) {
        GiveWholeMonitor(*reaction.FullScreen);
    }
    if (reaction.Maximised) {
        frame_.SetState(*reaction.Maximised ? WindowState::Maximized : WindowState::Normal);
    }
    if (reaction.ContentSize) {
        frame_.FitAroundContent(reaction.ContentSize->Width, reaction.ContentSize->Height);
    }
}

void TargetHost::ShowFrame(bool shown) {
    if (!shown) {
        ShowWindow(frame_.Hwnd(), SW_HIDE);
        ShowWindow(content_.Hwnd(), SW_HIDE);
        return;
    }
    ShowWindow(frame_.Hwnd(), SW_SHOWNA);
    ShowWindow(content_.Hwnd(), SW_SHOWNA);
    // In front when the program put its window in front as it showed it.
    if (ItsProgramInFront(keeper_.Target().Window)) {
        SetWindowPos(frame_.Hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    FollowFrame::KeepFollowersAbove();
}

void TargetHost::GiveWholeMonitor(bool fullScreen) {
    FollowFrame::Values().OnInterior = !fullScreen;
    frame_.StandAside(fullScreen);
    if (fullScreen) {
        GetWindowRect(content_.Hwnd(), &framedContent_);
        // As it would be unframed: its monitor, in front of the other windows.
        const PixelRect monitor = MonitorOf(content_.Hwnd()).Monitor;
        SetWindowPos(content_.Hwnd(), HWND_TOP, monitor.X, monitor.Y, monitor.Width, monitor.Height,
                     SWP_NOACTIVATE);
    } else {
        // Framed again where the frame kept its place meanwhile.
        FollowFrame::PlaceFollowers();
        FollowFrame::KeepFollowersAbove();
    }
}

bool TargetHost::FollowTitle(HWND window) {
    std::wstring title = WindowTitle(window);
    if (title == titleSeen_) {
        return false;
    }
    // The frame's caption is what the taskbar and Alt+Tab show, and how the panel finds the
    // frame: always the program's title now, as at the start.
    frame_.SetCaption(std::wstring(TrimBlanks(title)) + std::wstring(FrameCaptionSuffix));
    titleSeen_ = std::move(title);
    AskIcons(window);
    return true;
}

void TargetHost::AskIcons(HWND window) {
    // Asked without waiting: a program that does not answer now answers later, or never.
    for (const WPARAM which : {WPARAM{ICON_BIG}, WPARAM{ICON_SMALL}}) {
        SendMessageCallbackW(window, WM_GETICON, which, 0, &OnIconAnswer,
                             reinterpret_cast<ULONG_PTR>(this) | which);
    }
}

void CALLBACK TargetHost::OnIconAnswer(HWND window, UINT, ULONG_PTR asked, LRESULT answer) {
    auto* host = reinterpret_cast<TargetHost*>(asked & ~ULONG_PTR{1});
    const bool big = (asked & 1) != 0;
    auto icon = reinterpret_cast<HICON>(answer);
    if (icon == nullptr) { // the icons of its window class, which every window of it shows
        icon = reinterpret_cast<HICON>(GetClassLongPtrW(window, big ? GCLP_HICON : GCLP_HICONSM));
    }
    if (icon == nullptr || !host->filling_) {
        return;
    }
    (big ? host->bigIcon_ : host->smallIcon_) = icon;
    host->frame_.SetIcons(host->bigIcon_ != nullptr ? host->bigIcon_ : icon,
                          host->smallIcon_ != nullptr ? host->smallIcon_ : icon);
}

void TargetHost::NoteBroughtIntoReach() {
    RECT content{};
    GetWindowRect(content_.Hwnd(), &content);
    placedInReach_ = {content.left, content.top, content.right, content.bottom};
    broughtIntoReach_.store(true, std::memory_order_release);
}

ScreenRect TargetHost::ReleasePlace(const CapturedBorders& borders) const {
    RECT content{};
    GetWindowRect(content_.Hwnd(), &content);
    const std::optional<ScreenRect> inReach = broughtIntoReach_.load(std::memory_order_acquire)
                                                  ? std::optional(placedInReach_)
                                                  : std::nullopt;
    return PlanRelease(borders, content.left, content.top, content_.ScaleWidth(),
                       content_.ScaleHeight(), inReach);
}

bool TargetHost::Release() {
    if (!keeper_.Holds()) {
        return true;
    }
    watch_.Stop();
    filling_ = false;
    const HWND window = keeper_.Target().Window;
    const HWND foreground = GetForegroundWindow();
    const bool inFront =
        foreground == frame_.Hwnd() || foreground == content_.Hwnd() || ItsProgramInFront(window);
    // Off the screen at once, even while the program takes its time to answer.
    ShowFrame(false);
    // A program that has its whole monitor goes back where it was framed.
    const bool fullScreen = !FollowFrame::Values().OnInterior;
    if (fullScreen) {
        FollowFrame::Values().OnInterior = true;
        const RECT& framed = framedContent_;
        content_.Move(framed.left, framed.top, framed.right - framed.left,
                      framed.bottom - framed.top);
    }
    if (!keeper_.GiveBack(TheRun().CloseProgram == 1)) {
        // Refused: the window is framed again where the frame is, and the frame shows again.
        if (fullScreen) {
            frame_.StandAside(false);
        }
        ShowFrame(true);
        Watch(window);
        return false;
    }
    FollowFrame::Values().FramedWindow = nullptr;
    // In front as it was while framed; with a dialog of its up, the dialog.
    if (inFront && IsWindow(window) && IsWindowVisible(window)) {
        SetForegroundWindow(GetLastActivePopup(window));
    }
    return true;
}

} // namespace glaze
