#include "panel/FrameProcess.h"

#include "panel/LaunchCommand.h"
#include "platform/AnsiText.h"
#include "settings/CommandLine.h"

#include <array>

namespace glaze {

std::optional<std::wstring> ThisProgramPath() {
    std::array<wchar_t, MAX_PATH> program{};
    const DWORD length = GetModuleFileNameW(nullptr, program.data(), MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        return std::nullopt;
    }
    return std::wstring(program.data(), length);
}

ScopedHandle StartProcess(const std::wstring& commandLine) {
    // Through the A interface: the new process reads its argument text in the ANSI code page,
    // as the frame's grammar counts its characters.
    std::string line = ToAnsi(commandLine);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION started{};
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &started)) {
        return {};
    }
    const ScopedHandle thread(started.hThread);
    return ScopedHandle(started.hProcess);
}

ScopedHandle StartThisProgram(std::wstring_view argumentText) {
    const auto program = ThisProgramPath();
    if (!program) {
        return {};
    }
    return StartProcess(L"\"" + *program + L"\" " + std::wstring(argumentText));
}

ScopedHandle StartFrameProcess(const std::wstring& title, int32_t styleIndex, int32_t closeOption,
                               const std::optional<FrameExtras>& extras) {
    const auto program = ThisProgramPath();
    if (!program) {
        return {};
    }
    const auto commandLine = FrameCommandLine(*program, title, styleIndex, closeOption);
    if (!commandLine) {
        return {};
    }
    // The new process inherits the variable; it is set for this start only, so that no other
    // process started from here takes it along.
    const std::wstring extrasText = extras ? FrameExtrasText(*extras) : std::wstring();
    SetEnvironmentVariableW(FrameExtrasVariable, extras ? extrasText.c_str() : nullptr);
    ScopedHandle process = StartProcess(*commandLine);
    SetEnvironmentVariableW(FrameExtrasVariable, nullptr);
    return process;
}

} // namespace glaze
