#include "panel/LaunchCommand.h"

#include "platform/Captions.h"

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
    if (closeOption == 1) {
        line += L"/q";
    }
    return line;
}

} // namespace glaze
