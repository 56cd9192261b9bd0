// glaze-skin-preview: a skin author's tool. Everything it reports or draws comes from the
// program's own skin loading and composition code, run without a window.
//
//   glaze-skin-preview SKINDIR WIDTH HEIGHT OUT.png          compose the frame at that outer size
//   glaze-skin-preview --states SKINDIR OUT.png              the buttons in their four states
//   glaze-skin-preview --check SKINDIR                       what the program will do with the
//                                                            skin; exit status 0 when it loads it
//   glaze-skin-preview --watch SKINDIR WIDTH HEIGHT OUT.png  compose again whenever a file of
//                                                            the skin changes (until stopped)

#include "SkinCheck.h"
#include "SkinPictures.h"
#include "Utf8.h"
#include "frame/SkinLoader.h"
#include "platform/AnsiText.h"
#include "platform/GdiPlus.h"
#include "settings/ProfileNumber.h"

#include <windows.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>
#include <vector>

using namespace glaze;
using namespace glaze::tools;

namespace {

constexpr char Usage[] = "usage: glaze-skin-preview SKINDIR WIDTH HEIGHT OUT.png\n"
                         "       glaze-skin-preview --states SKINDIR OUT.png\n"
                         "       glaze-skin-preview --check SKINDIR\n"
                         "       glaze-skin-preview --watch SKINDIR WIDTH HEIGHT OUT.png\n";

struct FrameSize {
    int32_t Width = 0;
    int32_t Height = 0;
};

std::optional<FrameSize> ReadFrameSize(const char* width, const char* height) {
    const FrameSize size{ProfileNumber(FromAnsi(width)), ProfileNumber(FromAnsi(height))};
    if (size.Width <= 0 || size.Height <= 0) {
        std::fprintf(stderr, "WIDTH and HEIGHT must be positive\n");
        return std::nullopt;
    }
    return size;
}

int Compose(const std::wstring& skinDir, FrameSize size, const std::wstring& out) {
    const PreviewSkin skin = LoadSkin(skinDir);
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

int States(const std::wstring& skinDir, const std::wstring& out) {
    const PreviewSkin skin = LoadSkin(skinDir);
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

int Watch(const std::wstring& skinDir, FrameSize size, const std::wstring& out) {
    SkinFiles seen;
    for (;;) {
        SkinFiles now = ReadSkinFiles(skinDir);
        if (now != seen) {
            seen = std::move(now);
            if (Compose(skinDir, size, out) == 0) {
                std::printf("written %s\n", Utf8(out).c_str());
            }
            std::fflush(stdout);
            std::fflush(stderr);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
    }
}

int Run(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "--check" && argc == 3) {
        return CheckSkin(FromAnsi(argv[2]), stdout);
    }
    if (mode == "--states" && argc == 4) {
        return States(FromAnsi(argv[2]), FromAnsi(argv[3]));
    }
    if (mode == "--watch" && argc == 6) {
        const auto size = ReadFrameSize(argv[3], argv[4]);
        return size ? Watch(FromAnsi(argv[2]), *size, FromAnsi(argv[5])) : 2;
    }
    if (argc == 5 && mode.rfind("--", 0) != 0) {
        const auto size = ReadFrameSize(argv[2], argv[3]);
        return size ? Compose(FromAnsi(argv[1]), *size, FromAnsi(argv[4])) : 2;
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
