// glaze_bench SKINSDIR [DPI]
// Median wall-clock microseconds of the frame's drawing steps, with the skins at DPI (96 when not
// given: 144 is 1.5 times, 192 twice), measured with
// QueryPerformanceCounter: DrawFrame per skin and frame size, the layered-window update of a
// frame that size (whole, and with only a button's rectangle dirty), a memcpy of the same bytes
// as the floor, and a skin load per skin with the committed private memory it adds, together
// with its frame canvas, against its decoded images plus one screen-sized canvas and 1 MB.
// Prints Markdown tables.

#include "BenchSupport.h"
#include "frame/FrameCanvas.h"
#include "frame/SkinLoader.h"
#include "platform/AnsiText.h"
#include "platform/Canvas.h"
#include "platform/DpiScale.h"
#include "platform/GdiPlus.h"

#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

using namespace glaze;
using bench::MedianMicroseconds;
using bench::Memory;
using bench::MemoryInMegabytes;
using bench::PumpMessages;

namespace {

struct FrameSize {
    int32_t Width;
    int32_t Height;
};

constexpr FrameSize Sizes[] = {{800, 600}, {1280, 800}, {1920, 1080}};

std::vector<std::wstring> SkinDirs(const std::wstring& root) {
    std::vector<std::wstring> dirs;
    WIN32_FIND_DATAA found;
    const ScopedFind find(FindFirstFileA(ToAnsi(root + L"\\*").c_str(), &found));
    if (!find) {
        return dirs;
    }
    do {
        const std::wstring name = FromAnsi(found.cFileName);
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 && name != L"." &&
            name != L".." &&
            GetFileAttributesA(ToAnsi(root + L"\\" + name + L"\\skin.ini").c_str()) !=
                INVALID_FILE_ATTRIBUTES) {
            dirs.push_back(root + L"\\" + name);
        }
    } while (FindNextFileA(find, &found));
    std::sort(dirs.begin(), dirs.end());
    return dirs;
}

std::wstring NameOf(const std::wstring& dir) {
    return dir.substr(dir.find_last_of(L'\\') + 1);
}

bool Fits(const FrameSize& size) {
    return size.Width <= GetSystemMetrics(SM_CXSCREEN) &&
           size.Height <= GetSystemMetrics(SM_CYSCREEN);
}

// The DPI the skins are loaded at.
int32_t skinDpi = DesignDpi;

bool LoadSkin(const std::wstring& dir, HDC screen, SkinModel& skin, SkinImages& images) {
    return LoadSkinItems(dir, screen, MakeScreenBitmapInfo(), skin, images, skinDpi);
}

void DrawOnce(HDC canvas, SkinModel& skin, const SkinImages& images, const FrameSize& size) {
    skin.FitFrame(size.Width, size.Height);
    DrawFrame(canvas, skin, images, size.Width, size.Height, {});
}

// The image bytes a loaded skin holds at the least: each decoded image, 4 bytes a pixel.
double DecodedMegabytes(const SkinModel& skin) {
    double bytes = 0;
    for (size_t i = 0; i < static_cast<size_t>(skin.ItemCount); ++i) {
        bytes += 4.0 * skin.ItemImageWidth[i] * skin.ItemImageHeight[i];
    }
    return bytes / (1024.0 * 1024.0);
}

void BenchSkins(const std::vector<std::wstring>& dirs, HDC screen, HDC canvas) {
    const double screenMegabytes =
        4.0 * GetSystemMetrics(SM_CXSCREEN) * GetSystemMetrics(SM_CYSCREEN) / (1024.0 * 1024.0);
    std::printf("| skin | items | load (µs) | committed private pages before / after load (MB) | "
                "added by the skin and its frame canvas (MB) | goal: images + frame canvas + 1 MB "
                "(MB) |");
    for (const FrameSize& size : Sizes) {
        if (Fits(size)) {
            std::printf(" DrawFrame %dx%d (µs) |", static_cast<int>(size.Width),
                        static_cast<int>(size.Height));
        }
    }
    std::printf("\n|---|---|---|---|---|---|");
    for (const FrameSize& size : Sizes) {
        if (Fits(size)) {
            std::printf("---|");
        }
    }
    std::printf("\n");
    for (const std::wstring& dir : dirs) {
        // As the frame loads a skin: a screen-sized frame canvas, then the items.
        const Memory before = MemoryInMegabytes();
        const Canvas frameCanvas = CreateCanvas(screen, MakeScreenBitmapInfo());
        SkinModel skin;
        SkinImages images;
        if (!LoadSkin(dir, screen, skin, images)) {
            std::printf("| %s | does not load |\n", ToAnsi(NameOf(dir)).c_str());
            continue;
        }
        const Memory after = MemoryInMegabytes();
        const double load = MedianMicroseconds(15, [&] { LoadSkin(dir, screen, skin, images); });
        const double added = after.PrivateCommit - before.PrivateCommit;
        const double goal = DecodedMegabytes(skin) + screenMegabytes + 1.0;
        std::printf("| %s | %d | %.0f | %.1f / %.1f | %.1f | %.1f (%s) |",
                    ToAnsi(NameOf(dir)).c_str(), static_cast<int>(skin.ItemCount), load,
                    before.PrivateCommit, after.PrivateCommit, added, goal,
                    added <= goal ? "met" : "missed");
        for (const FrameSize& size : Sizes) {
            if (Fits(size)) {
                std::printf(" %.0f |",
                            MedianMicroseconds(301, [&] { DrawOnce(canvas, skin, images, size); }));
            }
        }
        std::printf("\n");
    }
}

LRESULT CALLBACK BenchWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(window, message, wParam, lParam);
}

// The layered-window update of a frame that size, and a memcpy of its bytes.
void BenchPerSize(const std::wstring& firstSkin, HDC screen, HDC canvas) {
    SkinModel skin;
    SkinImages images;
    const bool loaded = !firstSkin.empty() && LoadSkin(firstSkin, screen, skin, images);
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = BenchWindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "glaze-bench";
    RegisterClassA(&windowClass);

    std::printf("\n| frame | memcpy of its bytes (µs) | UpdateLayeredWindow (µs) | "
                "UpdateLayeredWindowIndirect, 26x18 dirty rectangle (µs) |\n|---|---|---|---|\n");
    for (const FrameSize& size : Sizes) {
        if (!Fits(size)) {
            continue;
        }
        const size_t bytes = static_cast<size_t>(size.Width) * static_cast<size_t>(size.Height) * 4;
        std::vector<uint8_t> from(bytes, 0x5A);
        std::vector<uint8_t> to(bytes);
        volatile uint8_t sink = 0;
        const double copy = MedianMicroseconds(301, [&] {
            std::memcpy(to.data(), from.data(), bytes);
            sink = to[bytes / 2];
        });
        (void)sink;

        if (loaded) {
            DrawOnce(canvas, skin, images, size);
        }
        HWND window = CreateWindowExA(WS_EX_LAYERED | WS_EX_TOOLWINDOW, "glaze-bench", "", WS_POPUP,
                                      0, 0, size.Width, size.Height, nullptr, nullptr,
                                      GetModuleHandleA(nullptr), nullptr);
        POINT origin{0, 0};
        POINT source{0, 0};
        SIZE extent{size.Width, size.Height};
        BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
        const auto update = [&] {
            UpdateLayeredWindow(window, screen, &origin, &extent, canvas, &source, 0, &blend,
                                ULW_ALPHA);
        };
        update();
        ShowWindow(window, SW_SHOWNOACTIVATE);
        PumpMessages();
        const double layered = MedianMicroseconds(31, [&] {
            update();
            PumpMessages();
        });
        // What a caption button's change would hand over with only its rectangle dirty.
        const RECT dirty{size.Width - 44, 11, size.Width - 18, 29};
        UPDATELAYEREDWINDOWINFO info{sizeof(UPDATELAYEREDWINDOWINFO),
                                     screen,
                                     &origin,
                                     &extent,
                                     canvas,
                                     &source,
                                     0,
                                     &blend,
                                     ULW_ALPHA,
                                     &dirty};
        const double dirtyOnly = MedianMicroseconds(31, [&] {
            UpdateLayeredWindowIndirect(window, &info);
            PumpMessages();
        });
        DestroyWindow(window);
        PumpMessages();
        std::printf("| %dx%d | %.0f | %.0f | %.0f |\n", static_cast<int>(size.Width),
                    static_cast<int>(size.Height), copy, layered, dirtyOnly);
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: glaze_bench SKINSDIR [DPI]\n");
        return 2;
    }
    if (argc == 3) {
        skinDpi = UsableDpi(std::atoi(argv[2]));
    }
    const GdiPlusSession gdiPlus;
    {
        const WindowDc screen(nullptr);
        const Canvas canvas = CreateCanvas(screen, MakeScreenBitmapInfo());
        const Memory start = MemoryInMegabytes();
        std::printf("screen %dx%d, skins at %d DPI; at start: private bytes %.1f MB, committed "
                    "private pages %.1f MB\n\n",
                    GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                    static_cast<int>(skinDpi), start.PrivateUsage, start.PrivateCommit);
        const std::vector<std::wstring> dirs = SkinDirs(FromAnsi(argv[1]));
        BenchSkins(dirs, screen, canvas);
        BenchPerSize(dirs.empty() ? std::wstring() : dirs.front(), screen, canvas);
    }
    return 0;
}
