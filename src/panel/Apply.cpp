// The panel's Apply button: a title starts a new frame process for its window; a frame's caption
// hands the panel's skin and close option over to that running frame.

#include "panel/ControlPanel.h"

#include "platform/SysCommand.h"
#include "platform/Captions.h"
#include "platform/WindowTitles.h"
#include "settings/RunSettings.h"
#include "panel/LaunchCommand.h"
#include "platform/AnsiText.h"
#include "settings/HandOverFile.h"

#include <array>

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
    std::array<wchar_t, MAX_PATH> program{};
    const DWORD length = GetModuleFileNameW(nullptr, program.data(), MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        return;
    }
    const auto commandLine = FrameCommandLine(std::wstring_view(program.data(), length), title,
                                              TheRun().StyleIndex, CloseProgramValue());
    if (!commandLine) {
        return;
    }
    std::string line = ToAnsi(*commandLine);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION started{};
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &started)) {
        return;
    }
    const ScopedHandle process(started.hProcess);
    const ScopedHandle thread(started.hThread);
    // When the window is framed already, the title box offers that frame for a re-style.
    const std::wstring frameCaption = title + std::wstring(FrameCaptionSuffix);
    if (TitleExists(frameCaption)) {
        SetTitleBoxText(frameCaption);
    }
}

} // namespace glaze
