// glaze: dresses another program's window in a skinned glass frame. Started without arguments
// it is the control panel; started with "title/letter[/q]" it frames the window of that title.

#include "frame/FrameWindow.h"
#include "settings/ArgumentText.h"
#include "lifecycle/LastResort.h"
#include "settings/RunSettings.h"
#include "lifecycle/TheForms.h"
#include "panel/ContentWindow.h"
#include "platform/AnsiText.h"
#include "platform/TestFaults.h"

#include <commctrl.h>
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    using namespace glaze;
    InstallLastResort(TheContentWindow().Host().Keeper());
    TheRun().ArgumentText = std::wstring(ArgumentTextOf(FromAnsi(GetCommandLineA())));

    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);

    FrameWindow& frame = TheFrameWindow();
    frame.Load();
    if (frame.IsLoaded()) {
        frame.Show();
    }
    TestFaults::AfterStartUp();

    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TestFaults::InMessageLoop(msg);
        // Tab and arrow keys move between the panel's controls.
        ContentWindow& panel = TheContentWindow();
        if (panel.IsLoaded() && IsDialogMessageA(panel.Hwnd(), &msg)) {
            continue;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
