// glaze_target: an ordinary Win32 program for the end-to-end tests to frame.
//
// Usage: glaze_target.exe [--ask] [--owned] [--twin] [--keepfocus] <logfile> <title...>
//
// --ask: like a program with unsaved work, it asks before it closes (a message box with the
// caption "glaze_target", answered Yes, No or Cancel); Cancel keeps it open.
// --owned: like a program made with an older RAD tool or a dialog-based one, its main window is
// a popup owned by a hidden application window of the same title.
// --twin: a hidden window of the same title lies in front of the main window in the window
// order, where a search by title finds it first.
// --keepfocus: like most plain Win32 programs, it does not pass the focus on to its text box when
// it is activated: the focus stays wherever the system or a click put it.
//
// Requests a test may post to the window: TargetRequests.h.
//
// Everything after the log file argument and its single separating blank is the window title,
// taken byte for byte in the ANSI code page. If that remainder is wrapped in double quotes the
// quotes are removed and the inside is kept verbatim, so a title may start or end with blanks.
//
// Every event of interest is appended to the log file as one ASCII line, written and closed at
// once so a test can read the file while the program runs. Events that happen while the window
// is still being created are not logged: the first line is always START.
//
//   START pid=<pid> hwnd=0x<hex>
//   SYSCOMMAND 0x<hex>          wParam & 0xFFF0
//   CLOSE
//   ASKED                       --ask: the question is on screen
//   KEPT                        --ask: the user cancelled; the program stays open
//   CLICK                       a left press in the window's text box
//   HANG <ms> / AWAKE           stopped answering, and answering again
//   STYLE old=0x<hex> new=0x<hex>
//   EXSTYLE old=0x<hex> new=0x<hex>
//   PARENT 0x<hex>              new parent window; the desktop is written as 0x0
//   MOVE <x> <y>                as delivered by WM_MOVE
//   SIZE <w> <h> type=<n>       as delivered by WM_SIZE
//   LOST DATA                   destroyed without being asked to close first
//   DESTROY                     WM_DESTROY, or the window found gone without one
//   DIALOG hwnd=0x<hex>         DialogRequest: the dialog-class window is shown
//   TITLE <n>                   RetitleRequest: its title is now n characters long
//   FULLSCREEN <0|1>            FullScreenRequest: it left or entered full screen
//   MODAL / MODAL DONE          ModalRequest: its message box is up, and closed again
//   QUIT
//   EXIT

#include "TargetRequests.h"

#include <windows.h>

#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace {

// Thread timer (not bound to the window) that polls for changes no message tells us about:
// a parent swap done from another process, or the window vanishing under us.
constexpr UINT kPollMs = 100;

char g_logPath[MAX_PATH * 2];
HWND g_hwnd = nullptr;
HWND g_edit = nullptr;
WNDPROC g_editProc = nullptr;
HWND g_lastParent = nullptr; // 0 means the desktop
bool g_started = false;      // log only once START has been written
bool g_closeRequested = false;
bool g_quitting = false; // we are destroying the window ourselves after WM_QUIT
bool g_destroyed = false;
bool g_askBeforeClose = false;
bool g_ownedByHiddenWindow = false;
bool g_hiddenTwin = false;
bool g_plainFocus = false;
char g_title[4096];
// Its style and place before it went full screen.
LONG g_windowedStyle = 0;
WINDOWPLACEMENT g_windowedPlace{};

using glaze::target::CloseRequest;
using glaze::target::DialogRequest;
using glaze::target::ExitRequest;
using glaze::target::FullScreenRequest;
using glaze::target::HangRequest;
using glaze::target::ModalRequest;
using glaze::target::ResizeRequest;
using glaze::target::RetitleRequest;
using glaze::target::ShowRequest;

void logLine(const char* fmt, ...) __attribute__((format(printf, 1, 2)));

void logLine(const char* fmt, ...) {
    char line[256];
    va_list args;
    va_start(args, fmt);
    int n = vsnprintf(line, sizeof(line) - 1, fmt, args);
    va_end(args);
    if (n < 0)
        return;
    if (n > static_cast<int>(sizeof(line)) - 2)
        n = static_cast<int>(sizeof(line)) - 2; // truncated; keep room for the newline
    line[n++] = '\n'; // plain LF so the log reads the same from Windows and Linux

    // Open, append and close per line: the file is always complete on disk, and other
    // processes may read (or even delete) it at any time.
    HANDLE file = CreateFileA(g_logPath, FILE_APPEND_DATA,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    DWORD written = 0;
    WriteFile(file, line, static_cast<DWORD>(n), &written, nullptr);
    CloseHandle(file);
}

unsigned long long handleValue(HWND hwnd) {
    return static_cast<unsigned long long>(reinterpret_cast<ULONG_PTR>(hwnd));
}

// Whoever frames us re-parents the window without making it WS_CHILD, and for such a window
// GetParent() reports no parent under Wine; GetAncestor(GA_PARENT) always tells the truth.
HWND currentParent(HWND hwnd) {
    HWND parent = GetAncestor(hwnd, GA_PARENT);
    return parent == GetDesktopWindow() ? nullptr : parent;
}

void checkParent() {
    if (!g_started || g_destroyed || !IsWindow(g_hwnd))
        return;
    HWND parent = currentParent(g_hwnd);
    if (parent != g_lastParent) {
        g_lastParent = parent;
        logLine("PARENT 0x%llx", handleValue(parent));
    }
}

// Split the command line into the log path and the raw title. Follows the usual rules for
// quoted arguments but leaves the title bytes alone: in DBCS code pages such as 936 a trail
// byte may be a backslash, so no escape processing is done at all.
bool parseCommandLine(const char* cmd, char* logPath, size_t logPathSize, const char** title,
                      size_t* titleLen) {
    const char* p = cmd;

    // Program name: quotes only toggle, no escapes.
    if (*p == '"') {
        ++p;
        while (*p && *p != '"')
            ++p;
        if (*p == '"')
            ++p;
    } else {
        while (*p && *p != ' ' && *p != '\t')
            ++p;
    }
    while (*p == ' ' || *p == '\t')
        ++p;

    const struct {
        const char* name;
        bool* flag;
    } options[] = {{"--ask ", &g_askBeforeClose},
                   {"--owned ", &g_ownedByHiddenWindow},
                   {"--twin ", &g_hiddenTwin},
                   {"--keepfocus ", &g_plainFocus}};
    for (bool found = true; found;) {
        found = false;
        for (const auto& option : options) {
            const size_t length = strlen(option.name);
            if (strncmp(p, option.name, length) == 0) {
                *option.flag = true;
                p += length;
                found = true;
            }
        }
    }

    // Log path: a plain word or a quoted string.
    const char* start = p;
    const char* end;
    if (*p == '"') {
        start = ++p;
        while (*p && *p != '"')
            ++p;
        end = p;
        if (*p == '"')
            ++p;
    } else {
        while (*p && *p != ' ' && *p != '\t')
            ++p;
        end = p;
    }
    size_t len = static_cast<size_t>(end - start);
    if (len == 0 || len >= logPathSize)
        return false;
    memcpy(logPath, start, len);
    logPath[len] = '\0';

    // Exactly one separating blank; anything after it belongs to the title.
    if (*p == ' ' || *p == '\t')
        ++p;
    len = strlen(p);
    if (len >= 2 && p[0] == '"' && p[len - 1] == '"') {
        ++p;
        len -= 2;
    }
    *title = p;
    *titleLen = len;
    return true;
}

LRESULT CALLBACK editProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_LBUTTONDOWN)
        logLine("CLICK");
    return CallWindowProcA(g_editProc, hwnd, msg, wParam, lParam);
}

LRESULT handleMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_CREATE: {
        g_edit = CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "",
                                 WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE |
                                     ES_AUTOVSCROLL | ES_WANTRETURN,
                                 0, 0, 0, 0, hwnd, nullptr, GetModuleHandleA(nullptr), nullptr);
        if (g_edit) {
            g_editProc = reinterpret_cast<WNDPROC>(
                SetWindowLongPtrA(g_edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(editProc)));
            SendMessageA(g_edit, WM_SETFONT,
                         reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
            // Wide text so the source file's encoding doesn't matter; the control keeps it in the
            // ANSI code page like the rest of this program.
            SetWindowTextW(g_edit, L"The quick brown fox jumps over the lazy dog.\r\n"
                                   L"\u6d4b\u8bd5\u6587\u672c\r\n");
        }
        return 0;
    }
    case WM_SETFOCUS:
        if (g_edit && !g_plainFocus)
            SetFocus(g_edit);
        return 0;
    case WM_SIZE:
        if (g_edit)
            MoveWindow(g_edit, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
        if (g_started)
            logLine("SIZE %d %d type=%u", static_cast<int>(LOWORD(lParam)),
                    static_cast<int>(HIWORD(lParam)), static_cast<unsigned>(wParam));
        return 0;
    case WM_MOVE:
        if (g_started)
            logLine("MOVE %d %d", static_cast<int>(static_cast<short>(LOWORD(lParam))),
                    static_cast<int>(static_cast<short>(HIWORD(lParam))));
        return 0;
    case WM_SYSCOMMAND:
        if (g_started)
            logLine("SYSCOMMAND 0x%x", static_cast<unsigned>(wParam & 0xFFF0));
        break;
    case WM_CLOSE:
        logLine("CLOSE");
        if (g_askBeforeClose) {
            logLine("ASKED");
            if (MessageBoxA(hwnd, "Save the changes?", "glaze_target", MB_YESNOCANCEL) ==
                IDCANCEL) {
                logLine("KEPT");
                return 0;
            }
        }
        g_closeRequested = true;
        break; // DefWindowProc destroys the window
    case HangRequest:
        logLine("HANG %u", static_cast<unsigned>(wParam));
        Sleep(static_cast<DWORD>(wParam));
        logLine("AWAKE");
        return 0;
    case CloseRequest:
        g_closeRequested = true;
        DestroyWindow(hwnd);
        return 0;
    case ExitRequest:
        ExitProcess(0);
    case DialogRequest: {
        // A window of the platform's dialog class: unowned, so that only its class tells it
        // from a main window; or, with wParam 1, owned by the main window as a message box is.
        char title[300];
        GetWindowTextA(hwnd, title, 200);
        strcat(title, " \xB6\xD4\xBB\xB0\xBF\xF2"); // " 对话框" in code page 936
        HWND dialog = CreateWindowExA(0, "#32770", title, WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE,
                                      100, 100, 300, 200, wParam == 1 ? hwnd : nullptr, nullptr,
                                      GetModuleHandleA(nullptr), nullptr);
        logLine("DIALOG hwnd=0x%llx", handleValue(dialog));
        return 0;
    }
    case ResizeRequest:
        SetWindowPos(hwnd, nullptr, 0, 0, static_cast<int>(wParam), static_cast<int>(lParam),
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        return 0;
    case RetitleRequest: {
        static char title[20000];
        const size_t length = wParam < sizeof(title) ? wParam : sizeof(title) - 1;
        const size_t own = strlen(g_title);
        for (size_t i = 0; i < length; ++i)
            title[i] = own > 0 ? g_title[i % own] : 'x';
        title[length] = '\0';
        SetWindowTextA(hwnd, title);
        logLine("TITLE %u", static_cast<unsigned>(length));
        return 0;
    }
    case ShowRequest:
        ShowWindow(hwnd, static_cast<int>(wParam));
        return 0;
    case FullScreenRequest:
        // As players and browsers do: caption and borders off, the monitor's whole rectangle on,
        // and back to the style and place it had.
        if (wParam != 0) {
            g_windowedStyle = GetWindowLongA(hwnd, GWL_STYLE);
            g_windowedPlace.length = sizeof g_windowedPlace;
            GetWindowPlacement(hwnd, &g_windowedPlace);
            MONITORINFO monitor{};
            monitor.cbSize = sizeof monitor;
            GetMonitorInfoA(MonitorFromWindow(hwnd, MONITOR_DEFAULTTONEAREST), &monitor);
            SetWindowLongA(hwnd, GWL_STYLE, g_windowedStyle & ~WS_OVERLAPPEDWINDOW);
            const RECT& all = monitor.rcMonitor;
            SetWindowPos(hwnd, HWND_TOP, all.left, all.top, all.right - all.left,
                         all.bottom - all.top, SWP_NOOWNERZORDER | SWP_FRAMECHANGED);
        } else {
            SetWindowLongA(hwnd, GWL_STYLE, g_windowedStyle);
            SetWindowPlacement(hwnd, &g_windowedPlace);
            SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                         SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOOWNERZORDER |
                             SWP_FRAMECHANGED);
        }
        logLine("FULLSCREEN %d", wParam != 0 ? 1 : 0);
        return 0;
    case ModalRequest:
        logLine("MODAL");
        MessageBoxA(hwnd, "Open a file?", "glaze_target", MB_OKCANCEL);
        logLine("MODAL DONE");
        return 0;
    case WM_STYLECHANGED: {
        const auto* ss = reinterpret_cast<const STYLESTRUCT*>(lParam);
        if (g_started && ss) {
            if (static_cast<int>(wParam) == GWL_STYLE)
                logLine("STYLE old=0x%lx new=0x%lx", ss->styleOld, ss->styleNew);
            else if (static_cast<int>(wParam) == GWL_EXSTYLE)
                logLine("EXSTYLE old=0x%lx new=0x%lx", ss->styleOld, ss->styleNew);
        }
        return 0;
    }
    case WM_DESTROY:
        // A window nobody asked to close is being torn down by someone else, typically because
        // the window it was re-parented into went away. A real program would lose unsaved work.
        if (!g_closeRequested && !g_quitting)
            logLine("LOST DATA");
        logLine("DESTROY");
        g_destroyed = true;
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK windowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    try {
        LRESULT result = handleMessage(hwnd, msg, wParam, lParam);
        // Any message may follow a parent swap (WM_WINDOWPOSCHANGED, WM_STYLECHANGED, ...).
        if (msg != WM_DESTROY && msg != WM_NCDESTROY)
            checkParent();
        return result;
    } catch (...) {
        return 0;
    }
}

void CALLBACK pollTimer(HWND, UINT, UINT_PTR, DWORD) {
    if (g_destroyed)
        return;
    if (!IsWindow(g_hwnd)) {
        // The window is gone without a WM_DESTROY ever reaching us. Wine does this when the
        // process we were re-parented into exits without destroying its windows: ours are
        // removed along with them. Nobody asked us to close, so report it like a destroy.
        g_destroyed = true;
        if (!g_closeRequested && !g_quitting)
            logLine("LOST DATA");
        logLine("DESTROY");
        PostQuitMessage(0);
        return;
    }
    checkParent();
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    const char* title = nullptr;
    size_t titleLen = 0;
    if (!parseCommandLine(GetCommandLineA(), g_logPath, sizeof(g_logPath), &title, &titleLen))
        return 2;

    if (titleLen >= sizeof(g_title))
        titleLen = sizeof(g_title) - 1;
    memcpy(g_title, title, titleLen);
    g_title[titleLen] = '\0';

    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = windowProc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = "GlazeTestTarget";
    if (!RegisterClassExA(&wc))
        return 3;

    // The hidden windows of the same title do nothing of their own.
    WNDCLASSEXA hidden = wc;
    hidden.lpfnWndProc = DefWindowProcA;
    hidden.lpszClassName = "GlazeTestHidden";
    if (!RegisterClassExA(&hidden))
        return 3;
    HWND owner = nullptr;
    if (g_ownedByHiddenWindow) {
        owner = CreateWindowExA(0, hidden.lpszClassName, g_title, WS_POPUP, 0, 0, 0, 0, nullptr,
                                nullptr, instance, nullptr);
    }
    const DWORD style = g_ownedByHiddenWindow ? WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME |
                                                    WS_MINIMIZEBOX | WS_MAXIMIZEBOX
                                              : WS_OVERLAPPEDWINDOW;
    g_hwnd = CreateWindowExA(0, wc.lpszClassName, g_title, style, CW_USEDEFAULT, CW_USEDEFAULT, 400,
                             300, owner, nullptr, instance, nullptr);
    if (!g_hwnd)
        return 4;
    ShowWindow(g_hwnd, SW_SHOWNORMAL);
    UpdateWindow(g_hwnd);
    // Made once the main window is shown, which brought that to the front.
    if (g_hiddenTwin) {
        HWND twin = CreateWindowExA(0, hidden.lpszClassName, g_title, WS_OVERLAPPEDWINDOW, 0, 0,
                                    300, 200, nullptr, nullptr, instance, nullptr);
        SetWindowPos(twin, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }

    // Only now is the window fully there for a test to act on.
    g_lastParent = currentParent(g_hwnd);
    g_started = true;
    logLine("START pid=%lu hwnd=0x%llx", GetCurrentProcessId(), handleValue(g_hwnd));
    checkParent();

    SetTimer(nullptr, 0, kPollMs, pollTimer);

    MSG msg;
    BOOL got;
    while ((got = GetMessageA(&msg, nullptr, 0, 0)) != 0) {
        if (got == -1)
            break;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    logLine("QUIT");

    if (!g_destroyed && IsWindow(g_hwnd)) {
        // Somebody posted WM_QUIT to a live window: a deliberate shutdown, so no data is lost.
        g_quitting = true;
        DestroyWindow(g_hwnd);
    }
    logLine("EXIT");
    return 0;
}
