// The panel's Apply button: a title starts a new frame process for its window; a frame's caption
// hands the panel's skin and close option over to that running frame.

#include "panel/ControlPanel.h"

#include "platform/SysCommand.h"
#include "platform/Captions.h"
#include "platform/WindowTitles.h"
#include "settings/RunSettings.h"
#include "panel/FrameProcess.h"
#include "panel/LaunchCommand.h"
#include "platform/AnsiText.h"
#include "settings/HandOverFile.h"

namespace glaze {

void ControlPanel::OnApply() {
    const std::wstring text = TitleBoxText();
    switch (ApplyActionFor(text)) {
    case ApplyAction::Nothing:
        return;
    case ApplyAction::Restyle:
        RestyleFrame(text);
        return;
    case ApplyAction::Launch:
        LaunchFrame(text);
        return;
    }
}

void ControlPanel::RestyleFrame(const std::wstring& caption) {
    // The frame reads the hand-over file when it is minimised, so the file is written first;
    // with no frame of that caption the file waits for one.
    HWND frame = FindWindowA(nullptr, ToAnsi(caption).c_str());
    WriteHandOver(caption, {TheRun().StyleIndex, CloseProgramValue()});
    if (frame != nullptr) {
        SysCommand::PostSysCommand(frame, SC_MINIMIZE);
    }
}

void ControlPanel::LaunchFrame(const std::wstring& title) {
    if (!StartFrameProcess(title, TheRun().StyleIndex, CloseProgramValue())) {
        return;
    }
    // When the window is framed already, the title box offers that frame for a re-style.
    const std::wstring frameCaption = title + std::wstring(FrameCaptionSuffix);
    if (TitleExists(frameCaption)) {
        SetTitleBoxText(frameCaption);
    }
}

} // namespace glaze
