#pragma once
// The content window's job in a frame process: taking the framed program's window in, keeping it
// filling the content window, following what its program does to it (its size, full screen, its
// title and icons, hiding and showing it), and giving it back at the end.

#include "hosting/ProgramFollower.h"
#include "hosting/ProgramWatch.h"
#include "hosting/WindowKeeper.h"
#include "platform/Forms.h"

#include <atomic>
#include <optional>
#include <string>

namespace glaze {

class FrameWindow;

class TargetHost {
public:
    // content: the window the captured window lies on; frame: the frame around it, which follows
    // the window, is hidden at the release and closed when the captured window goes.
    TargetHost(Form& content, FrameWindow& frame);

    // Takes the window in, with its client area where it was. Where its program does not answer
    // within a few seconds the window is left as it was, or given back once its program answers
    // again when it stopped answering half-way; where the system refuses to re-parent it, it has
    // its own style, place and state as before.
    enum class Captured { InFrame, NoAnswer, Refused };
    Captured Capture(HWND target);
    // The content window changed size: the captured window follows.
    void Fill();
    // The content window's timer, which looks at what the program did to its window: the frame
    // follows it, and closes once the window is gone.
    void OnWatchTimer() { watch_.OnTimer(); }
    // Gives the captured window back, and asks its program to close when the user asked for it.
    // False when the system refused: the window stays framed, its frame shown as before.
    bool Release();

    // How the window lay when it was taken in: maximised or not, and its client area when not
    // maximised (screen pixels).
    struct TakenPlacement {
        bool Maximised = false;
        ScreenRect NormalClient;
    };
    const TakenPlacement& Taken() const { return taken_; }
    // The frame was just moved to bring it into reach: as long as the content window stays where
    // it is now, the window goes back exactly where it was taken from.
    void NoteBroughtIntoReach();

    // Whether a window of another program is held: from just before the first change to it
    // until it is back.
    bool TargetCaptured() const { return keeper_.Holds(); }
    // Makes every change to the captured window; the last resort asks it for the window too.
    WindowKeeper& Keeper() { return keeper_; }

    // The content window's timer that runs OnWatchTimer.
    static constexpr UINT_PTR WatchTimer = 1;

private:
    // Looks at the window and follows what its program did to it; true when it had changed.
    bool Follow(bool titleToo);
    void Apply(const FollowReaction& reaction);
    // Asks the window to take the size at the content window's corner, unless it lies so now.
    void FillWith(WindowSize size, const FramedWindowFacts& now);
    void ShowFrame(bool shown);
    // Follows the window from now on, as it lies in the content window.
    void Watch(HWND window);
    // The program has its whole monitor while `fullScreen`, the frame stands aside.
    void GiveWholeMonitor(bool fullScreen);
    bool FollowTitle(HWND window);
    void AskIcons(HWND window);
    static void CALLBACK OnIconAnswer(HWND window, UINT message, ULONG_PTR host, LRESULT icon);

    // Where the captured window goes back to: its client area on the content window's. Asked on
    // the keeper's thread, which reads the content window's place without sending it anything.
    ScreenRect ReleasePlace(const CapturedBorders& borders) const;

    Form& content_;
    FrameWindow& frame_;
    WindowKeeper keeper_;
    // The window lies on the content window and follows its size.
    bool filling_ = false;
    // The frame is following a change its program made.
    bool following_ = false;
    std::optional<ProgramFollower> follower_;
    ProgramWatch watch_;
    // The title the frame's caption was last made from, and the icons it shows.
    std::wstring titleSeen_;
    HICON bigIcon_ = nullptr;
    HICON smallIcon_ = nullptr;
    // Where the content window lay before the program took its whole monitor.
    RECT framedContent_{};
    TakenPlacement taken_;
    // Written once, before the flag; read on the keeper's thread after it.
    ScreenRect placedInReach_;
    std::atomic<bool> broughtIntoReach_{false};
};

} // namespace glaze
