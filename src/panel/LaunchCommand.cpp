#include "panel/LaunchCommand.h"

#include "lifecycle/ArgumentText.h"
#include "lifecycle/Captions.h"
#include "lifecycle/CommandLine.h"

namespace glaze {
namespace {

// A frame's caption ends in the suffix; its leading blank is not required.
constexpr std::wstring_view FrameCaptionTail = FrameCaptionSuffix.substr(1);
constexpr int32_t LastStyleIndex = 0x7F - L'A';

} // namespace

ApplyAction ApplyActionFor(std::wstring_view text) {
    if (text.empty() || text == TitleMarker) {
        return ApplyAction::Nothing;
    }
    return text.ends_with(FrameCaptionTail) ? ApplyAction::Restyle : ApplyAction::Launch;
}

std::optional<std::wstring> FrameCommandLine(std::wstring_view programPath, std::wstring_view title,
                                             int32_t styleIndex, int32_t closeOption) {
    if (styleIndex < 0 || styleIndex > LastStyleIndex) {
        return std::nullopt;
    }
    std::wstring line = L"\"";
    line += programPath;
    line += L"\" ";
    line += title;
    line += L'/';
    line += static_cast<wchar_t>(L'A' + styleIndex);
    const int32_t quitFlag = closeOption == 1 ? 1 : 0;
    if (quitFlag == 1) {
        line += L"/q";
    }
    // The new process must read back what was meant. Skin 49's letter is "q": "title/q"
    // without the close option would read as the close option with another skin, and no
    // other spelling says it, so such a frame is not launched.
    const auto letterCode = [](wchar_t c) { return static_cast<int32_t>(c); };
    const auto read = ParseArgumentText(ArgumentTextOf(line), letterCode);
    if (!read || read->Title != title || read->StyleIndex != styleIndex ||
        read->QuitFlag != quitFlag) {
        return std::nullopt;
    }
    return line;
}

} // namespace glaze
