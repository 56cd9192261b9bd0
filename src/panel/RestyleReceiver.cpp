#include "panel/RestyleReceiver.h"

#include "frame/Form1.h"
#include "lifecycle/ProcessValues.h"
#include "platform/AnsiText.h"
#include "settings/Modmyset.h"

namespace glaze {

void ReceiveRestyle(Form1& frame) {
    Process.ProfilePath = Modmyset::GetTempFilePath();
    // Read whole: a caption longer than an ordinary value's 127 bytes must still match.
    if (Modmyset::ReadWholeProfile(L"SETTING", L"SetReCaption") != frame.Caption()) {
        return;
    }
    Process.StyleIndex = Modmyset::ReadProfileNumber(L"SETTING", L"SetReSTYL");
    Process.QuitFlag = Modmyset::ReadProfileNumber(L"SETTING", L"SetReQUIT");
    DeleteFileA(ToAnsi(Process.ProfilePath).c_str());
    frame.ReTrans();
}

} // namespace glaze
