// glaze-skin-preview: a skin author's tool. Everything it reports or draws comes from the
// program's own skin loading and composition code, run without a window.
//
//   glaze-skin-preview SKINDIR WIDTH HEIGHT OUT.png          compose the frame at that outer size
//   glaze-skin-preview --states SKINDIR OUT.png              the buttons in their four states
//   glaze-skin-preview --check SKINDIR                       what the program will do with the
//                                                            skin; exit status 0 when it loads it
//   glaze-skin-preview --watch SKINDIR WIDTH HEIGHT OUT.png  compose again whenever a file of
//                                                            the skin changes (until stopped)
//
// Each may begin with --scale S (1.25, 1.5, 2, ...): the skin as the program draws it on a
// screen of S times 96 DPI. WIDTH and HEIGHT are at 96 DPI and scale with the rest.

#include "SkinCheck.h"
#include "SkinPictures.h"
#include "Utf8.h"
#include "frame/SkinLoader.h"
#include "platform/AnsiText.h"
#include "platform/GdiPlus.h"
#include "settings/ProfileNumber.h"

#include <windows.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>
#include <vector>

using namespace glaze;
using namespace glaze::tools;

namespace {

constexpr char Usage[] =
    "usage: glaze-skin-preview [--scale S] SKINDIR WIDTH HEIGHT OUT.png\n"
    "       glaze-skin-preview [--scale S] --states SKINDIR OUT.png\n"
    "       glaze-skin-preview [--scale S] --check SKINDIR\n"
    "       glaze-skin-preview [--scale S] --watch SKINDIR WIDTH HEIGHT OUT.png\n"
    "S: 1.25, 1.5, 2, ... times 96 DPI (1 when not given)\n";

struct FrameSize {
    int32_t Width = 0;
    int32_t Height = 0;
};

// The DPI of a scale such as "1.5": nothing for anything but a number from 0.25 to 32.
std::optional<int32_t> DpiOfScale(const char* text) {
    char* end = nullptr;
    const double scale = std::strtod(text, &end);
    if (end == text || *end != '\0' || !(scale >= 0.25 && scale <= MaxDpi / DesignDpi)) {
        return std::nullopt;
    }
    return static_cast<int32_t>(std::lround(scale * DesignDpi));
}

// Sizes at 96 DPI, in pixels at the DPI.
std::optional<FrameSize> ReadFrameSize(const char* width, const char* height, int32_t dpi) {
    const FrameSize size{ProfileNumber(FromAnsi(width)), ProfileNumber(FromAnsi(height))};
    if (size.Width <= 0 || size.Height <= 0) {
        std::fprintf(stderr, "WIDTH and HEIGHT must be positive\n");
        return std::nullopt;
    }
    return FrameSize{ScaleForDpi(size.Width, dpi), ScaleForDpi(size.Height, dpi)};
}

int Compose(const std::wstring& skinDir, FrameSize size, const std::wstring& out, int32_t dpi) {
    const PreviewSkin skin = LoadSkin(skinDir, dpi);
    if (!skin.Loaded) {
        std::fprintf(stderr, "the program cannot load the skin: item %d is faulty or missing\n",
                     static_cast<int>(skin.Model.ItemCount));
        return 1;
    }
    if (!SaveFramePicture(skin, size.Width, size.Height, out)) {
        std::fprintf(stderr, "cannot write %s\n", Utf8(out).c_str());
        return 1;
    }
    return 0;
}

int States(const std::wstring& skinDir, const std::wstring& out, int32_t dpi) {
    const PreviewSkin skin = LoadSkin(skinDir, dpi);
    if (!skin.Loaded || !SaveButtonStatesPicture(skin, out)) {
        std::fprintf(stderr, "no buttons to show, or %s cannot be written\n", Utf8(out).c_str());
        return 1;
    }
    return 0;
}

// Every file under the skin's directory with its contents. Skins are small, and comparing
// contents sees every change, even one that keeps a file's size within the same second.
using SkinFiles = std::vector<std::pair<std::wstring, std::vector<uint8_t>>>;

SkinFiles ReadSkinFiles(const std::wstring& skinDir) {
    SkinFiles files;
    std::error_code error;
    for (std::filesystem::recursive_directory_iterator it(skinDir, error), end; !error && it != end;
         it.increment(error)) {
        files.emplace_back(it->path().wstring(), ReadFileBytes(it->path().wstring()));
    }
    return files;
}

int Watch(const std::wstring& skinDir, FrameSize size, const std::wstring& out, int32_t dpi) {
    SkinFiles seen;
    for (;;) {
        SkinFiles now = ReadSkinFiles(skinDir);
        if (now != seen) {
            seen = std::move(now);
            if (Compose(skinDir, size, out, dpi) == 0) {
                std::printf("written %s\n", Utf8(out).c_str());
            }
            std::fflush(stdout);
            std::fflush(stderr);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
    }
}

int Run(int argc, char** argv) {
    int32_t dpi = DesignDpi;
    if (argc > 2 && std::string(argv[1]) == "--scale") {
        const std::optional<int32_t> scaled = DpiOfScale(argv[2]);
        if (!scaled) {
            std::fprintf(stderr, "--scale takes a number such as 1.25, 1.5 or 2\n");
            return 2;
        }
        dpi = *scaled;
        argc -= 2;
        argv += 2;
    }
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "--check" && argc == 3) {
        return CheckSkin(FromAnsi(argv[2]), stdout, dpi);
    }
    if (mode == "--states" && argc == 4) {
        return States(FromAnsi(argv[2]), FromAnsi(argv[3]), dpi);
    }
    if (mode == "--watch" && argc == 6) {
        const auto size = ReadFrameSize(argv[3], argv[4], dpi);
        return size ? Watch(FromAnsi(argv[2]), *size, FromAnsi(argv[5]), dpi) : 2;
    }
    if (argc == 5 && mode.rfind("--", 0) != 0) {
        const auto size = ReadFrameSize(argv[2], argv[3], dpi);
        return size ? Compose(FromAnsi(argv[1]), *size, FromAnsi(argv[4]), dpi) : 2;
    }
    std::fputs(Usage, stderr);
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    SetConsoleOutputCP(CP_UTF8); // everything the tool writes is UTF-8
    const GdiPlusSession gdiPlus;
    if (!gdiPlus.Started()) {
        std::fprintf(stderr, "GDI+ does not start\n");
        return 1;
    }
    return Run(argc, argv);
}
