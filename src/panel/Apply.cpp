// The panel's Apply button: a title starts a new frame process for its window; a frame's caption
// hands the panel's skin and close option over to that running frame.

#include "panel/Form2.h"

#include "frame/ModSysComd.h"
#include "lifecycle/Captions.h"
#include "lifecycle/ModFindTitle.h"
#include "lifecycle/ProcessValues.h"
#include "panel/LaunchCommand.h"
#include "platform/AnsiText.h"
#include "settings/Modmyset.h"

#include <array>

namespace glaze {

void Form2::Command1_Click() {
    const std::wstring text = Text1Text();
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

void Form2::RestyleFrame(const std::wstring& caption) {
    // The frame reads the hand-over file when it is minimised, so the file is written first;
    // with no frame of that caption the file waits for one.
    HWND frame = FindWindowA(nullptr, ToAnsi(caption).c_str());
    Process.ProfilePath = Modmyset::GetTempFilePath();
    Modmyset::WriteProfile(L"SETTING", L"SetReCaption", caption);
    Modmyset::WriteProfile(L"SETTING", L"SetReSTYL", std::to_wstring(Process.StyleIndex));
    Modmyset::WriteProfile(L"SETTING", L"SetReQUIT", std::to_wstring(Check1Value()));
    if (frame != nullptr) {
        ModSysComd::PostSysCommand(frame, SC_MINIMIZE);
    }
}

void Form2::LaunchFrame(const std::wstring& title) {
    std::array<wchar_t, MAX_PATH> program{};
    const DWORD length = GetModuleFileNameW(nullptr, program.data(), MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        return;
    }
    const auto commandLine = FrameCommandLine(std::wstring_view(program.data(), length), title,
                                              Process.StyleIndex, Check1Value());
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
    if (ModFindTitle::FindTitle(frameCaption)) {
        SetText1Text(frameCaption);
    }
}

} // namespace glaze
