#pragma once
// The content window's job in a frame process: taking the framed program's window in, keeping it
// filling the content window, watching that it is still there, and giving it back at the end.

#include "hosting/WindowKeeper.h"
#include "platform/Forms.h"

#include <atomic>

namespace glaze {

class TargetHost {
public:
    // content: the window the captured window lies on; frame: the frame around it, which is
    // hidden at the release and closed when the captured window goes.
    TargetHost(Form& content, Form& frame);

    // Takes the window in, with its client area where it was. False when its program does not
    // answer within a few seconds: the window is then left as it was, or given back once its
    // program answers again when it stopped answering half-way.
    bool Capture(HWND target);
    // The content window changed size: the captured window follows.
    void Fill();
    // Closes the frame once the captured window is gone; runs on the content window's timer.
    void Watch();
    // Gives the captured window back, and asks its program to close when the user asked for it.
    void Release();

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

    // The content window's timer that runs Watch.
    static constexpr UINT_PTR WatchTimer = 1;

private:
    // Where the captured window goes back to: its client area on the content window's. Asked on
    // the keeper's thread, which reads the content window's place without sending it anything.
    ScreenRect ReleasePlace(const CapturedBorders& borders) const;

    Form& content_;
    Form& frame_;
    WindowKeeper keeper_;
    // The window lies on the content window and follows its size.
    bool filling_ = false;
    TakenPlacement taken_;
    // Written once, before the flag; read on the keeper's thread after it.
    ScreenRect placedInReach_;
    std::atomic<bool> broughtIntoReach_{false};
};

} // namespace glaze
