// glaze-window-shot TITLE OUT.png [--client]
// Saves what the screen shows of the visible top-level window with exactly that title (its
// client area with --client) as an opaque PNG, and prints the rectangle taken (x y width
// height, screen pixels). Of several windows with the title, a layered one (a frame) is taken.
// For the pictures of the documentation.

#include "platform/AnsiText.h"
#include "platform/Canvas.h"
#include "platform/GdiPlus.h"
#include "platform/Scoped.h"

#include <windows.h>

#include <cstdio>
#include <cstring>

using namespace glaze;

namespace {

HWND FindShownWindow(const std::wstring& title) {
    struct Search {
        const std::wstring& Title;
        HWND Found = nullptr;
    } search{title};
    EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
            auto& s = *reinterpret_cast<Search*>(param);
            if (IsWindowVisible(window) && WindowTitle(window) == s.Title &&
                (s.Found == nullptr || (GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_LAYERED))) {
                s.Found = window;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.Found;
}

RECT RectToTake(HWND window, bool client) {
    RECT rect{};
    if (client) {
        GetClientRect(window, &rect);
        MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    } else {
        GetWindowRect(window, &rect);
    }
    return rect;
}

bool SaveScreenRect(const RECT& rect, const std::wstring& out) {
    const int32_t width = rect.right - rect.left;
    const int32_t height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0) {
        return false;
    }
    const WindowDc screen(nullptr);
    const Canvas canvas = CreateCanvas(screen, MakeBitmapInfo(width, height));
    if (!canvas || !BitBlt(canvas, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY)) {
        return false;
    }
    // The screen has no alpha of its own.
    std::vector<uint32_t> pixels = ReadCanvasPixels(canvas, width, height);
    for (uint32_t& pixel : pixels) {
        pixel |= 0xFF000000u;
    }
    return SaveArgbAsPng(std::move(pixels), width, height, out);
}

} // namespace

int main(int argc, char** argv) {
    const bool client = argc == 4 && std::strcmp(argv[3], "--client") == 0;
    if (argc != 3 && !client) {
        std::fprintf(stderr, "usage: glaze-window-shot TITLE OUT.png [--client]\n");
        return 2;
    }
    HWND window = FindShownWindow(FromAnsi(argv[1]));
    if (window == nullptr) {
        std::fprintf(stderr, "no visible window titled %s\n", argv[1]);
        return 1;
    }
    const RECT rect = RectToTake(window, client);
    const GdiPlusSession gdiPlus;
    const bool saved = gdiPlus.Started() && SaveScreenRect(rect, FromAnsi(argv[2]));
    if (!saved) {
        std::fprintf(stderr, "cannot write %s\n", argv[2]);
        return 1;
    }
    std::printf("%ld %ld %ld %ld\n", rect.left, rect.top, rect.right - rect.left,
                rect.bottom - rect.top);
    return 0;
}
