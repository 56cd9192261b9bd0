#pragma once
// The content window's job in a frame process: taking the framed program's window in, keeping it
// filling the content window, watching that it is still there, and giving it back at the end.

#include "hosting/CapturedTarget.h"
#include "platform/Forms.h"

#include <string>

namespace glaze {

class TargetHost {
public:
    // content: the window the captured window lies on; frame: the frame around it, which is
    // hidden at the release and closed when the captured window goes.
    TargetHost(Form& content, Form& frame);

    // Takes the window with this title (outer blanks trimmed) in, with its client area where it
    // was. False, with nothing touched, when there is no such window.
    bool Capture(const std::wstring& title);
    // The content window changed size: the captured window follows.
    void Fill();
    // Closes the frame once the captured window is gone; runs on the content window's timer.
    void Watch();
    // Gives the captured window back, and asks its program to close when the user asked for it.
    void Release();
    // For a process that is going down: gives the captured window back from wherever it is,
    // without a message loop. Nothing when no window is captured.
    void ReleaseAtOnce();

    // Whether the captured window lies on the content window, taking its whole client area.
    bool TargetCaptured() const { return Captured.Window != nullptr; }
    // The captured window with what it had before, to be given back with it; recorded once the
    // capture is complete.
    CapturedTarget Captured;

    // The content window's timer that runs Watch.
    static constexpr UINT_PTR WatchTimer = 1;

private:
    // Where the captured window goes back to: its client area on the content window's.
    ScreenRect ReleasePlace() const;
    // The window has been given back, or is gone: nothing is captured any more.
    void Forget();

    Form& content_;
    Form& frame_;
};

} // namespace glaze
