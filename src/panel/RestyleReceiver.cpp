#include "panel/RestyleReceiver.h"

#include "frame/Form1.h"
#include "lifecycle/ProcessValues.h"
#include "platform/AnsiText.h"
#include "settings/Modmyset.h"

namespace glaze {

void ReceiveRestyle(Form1& frame) {
    Process.ProfilePath = Modmyset::GetTempFilePath();
    if (Modmyset::ReadProfile(L"SETTING", L"SetReCaption") != frame.Caption()) {
        return;
    }
    Process.StyleIndex = Modmyset::ReadProfileNumber(L"SETTING", L"SetReSTYL");
    Process.QuitFlag = Modmyset::ReadProfileNumber(L"SETTING", L"SetReQUIT");
    DeleteFileA(ToAnsi(Process.ProfilePath).c_str());
    frame.ReTrans();
}

} // namespace glaze
