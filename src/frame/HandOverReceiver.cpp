#include "frame/HandOverReceiver.h"

#include "frame/FrameWindow.h"
#include "lifecycle/ProcessValues.h"
#include "platform/AnsiText.h"
#include "settings/ProfileFile.h"

namespace glaze {

void ReceiveRestyle(FrameWindow& frame) {
    Process.ProfilePath = ProfileFile::GetTempFilePath();
    // Read whole: a caption longer than an ordinary value's 127 bytes must still match.
    if (ProfileFile::ReadWholeProfile(L"SETTING", L"SetReCaption") != frame.Caption()) {
        return;
    }
    Process.StyleIndex = ProfileFile::ReadProfileNumber(L"SETTING", L"SetReSTYL");
    Process.QuitFlag = ProfileFile::ReadProfileNumber(L"SETTING", L"SetReQUIT");
    DeleteFileA(ToAnsi(Process.ProfilePath).c_str());
    frame.ReloadSkin();
}

} // namespace glaze
