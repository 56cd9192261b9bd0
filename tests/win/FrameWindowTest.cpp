// The frame form's start-up run in this process against the bundled skins beside the test
// program: the frame around the panel, its canvas, its hit areas, its size limits and skin
// reloads. Nothing is written beside the test program: a panel that is not told to save its
// settings only deletes a settings file, and there is none there.

#include "frame/FrameWindow.h"

#include "TestSupport.h"
#include "frame/FrameCanvas.h"
#include "settings/RunSettings.h"
#include "frame/LoadedSkin.h"
#include "frame/FrameLimits.h"
#include "lifecycle/TheForms.h"
#include "panel/ContentWindow.h"
#include "platform/Canvas.h"
#include "platform/DpiScale.h"
#include "platform/Screens.h"

#include <objbase.h>

#include <gdiplus.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

namespace glaze {
namespace {

namespace fs = std::filesystem;

// The bundled skins, listed alphabetically: Aurora first, Graphite second.
struct BundledSkin {
    const wchar_t* Name;
    int32_t Left, Top, MarginH, MarginV, ItemCount;
};
constexpr BundledSkin Aurora{L"Aurora", 14, 34, 28, 48, 6};
constexpr BundledSkin Graphite{L"Graphite", 13, 32, 26, 45, 7};

// A bundled skin's borders at a DPI: each border scaled.
BundledSkin Scaled(const BundledSkin& skin, int32_t dpi) {
    const auto scaled = [&](int32_t pixels) { return ScaleForDpi(pixels, dpi); };
    return {skin.Name,
            scaled(skin.Left),
            scaled(skin.Top),
            scaled(skin.Left) + scaled(skin.MarginH - skin.Left),
            scaled(skin.Top) + scaled(skin.MarginV - skin.Top),
            skin.ItemCount};
}
// Aurora's close button: 44 pixels in from the frame's right edge, 11 down, 26 x 18.
constexpr int32_t AuroraCloseItem = 5;
constexpr int32_t AuroraCloseFromRight = 44, AuroraCloseTop = 11;
constexpr int32_t AuroraCloseWidth = 26, AuroraCloseHeight = 18;

constexpr wchar_t TargetTitle[] = L"框架测试 Frame target";

RECT RectOf(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

bool SameRect(const RECT& a, const RECT& b) {
    return EqualRect(&a, &b) != FALSE;
}

std::string Describe(const RECT& r) {
    return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + ")-(" +
           std::to_string(r.right) + "," + std::to_string(r.bottom) + ")";
}

int32_t ChildWindowCount(HWND parent, bool visibleOnly) {
    struct Count {
        bool visibleOnly;
        int32_t n;
    } count{visibleOnly, 0};
    EnumChildWindows(
        parent,
        [](HWND window, LPARAM param) -> BOOL {
            auto* c = reinterpret_cast<Count*>(param);
            c->n += !c->visibleOnly || IsWindowVisible(window) ? 1 : 0;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&count));
    return count.n;
}

// An image file decoded by GDI+ on its own (from the file, not from the program's memory
// stream), as straight-alpha 0xAARRGGBB pixels.
struct Picture {
    int32_t Width = 0;
    int32_t Height = 0;
    std::vector<uint32_t> Pixels;
    uint32_t At(int32_t x, int32_t y) const {
        return Pixels[static_cast<size_t>(y) * static_cast<size_t>(Width) + static_cast<size_t>(x)];
    }
};

Picture DecodeFile(const std::wstring& path) {
    namespace Flat = Gdiplus::DllExports;
    Picture picture;
    Gdiplus::GpBitmap* bitmap = nullptr;
    if (Flat::GdipCreateBitmapFromFile(path.c_str(), &bitmap) != Gdiplus::Ok) {
        return picture;
    }
    UINT width = 0, height = 0;
    Flat::GdipGetImageWidth(bitmap, &width);
    Flat::GdipGetImageHeight(bitmap, &height);
    picture.Width = static_cast<int32_t>(width);
    picture.Height = static_cast<int32_t>(height);
    for (INT y = 0; y < static_cast<INT>(height); ++y) {
        for (INT x = 0; x < static_cast<INT>(width); ++x) {
            Gdiplus::ARGB argb = 0;
            Flat::GdipBitmapGetPixel(bitmap, x, y, &argb);
            picture.Pixels.push_back(argb);
        }
    }
    Flat::GdipDisposeImage(bitmap);
    return picture;
}

// Whether a canvas pixel (premultiplied) shows the straight-alpha pixel, allowing the one step
// of rounding that premultiplying may take.
bool ShowsPixel(uint32_t premultiplied, uint32_t straight) {
    const uint32_t alpha = straight >> 24;
    for (int shift = 0; shift < 32; shift += 8) {
        const uint32_t channel = (straight >> shift) & 0xFF;
        const auto expected =
            static_cast<int32_t>(shift == 24 ? alpha : (channel * alpha + 127) / 255);
        const auto seen = static_cast<int32_t>((premultiplied >> shift) & 0xFF);
        if (std::abs(seen - expected) > 1) {
            return false;
        }
    }
    return true;
}

// The pixels of a block of the canvas that do not show the picture's block at (fromX, fromY).
int32_t PixelsUnlike(const std::vector<uint32_t>& canvas, int32_t canvasWidth, int32_t atX,
                     int32_t atY, const Picture& picture, int32_t fromX, int32_t fromY,
                     int32_t width, int32_t height) {
    int32_t wrong = 0;
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x) {
            const uint32_t seen =
                canvas[static_cast<size_t>(atY + y) * static_cast<size_t>(canvasWidth) +
                       static_cast<size_t>(atX + x)];
            wrong += ShowsPixel(seen, picture.At(fromX + x, fromY + y)) ? 0 : 1;
        }
    }
    return wrong;
}

class FrameWindowShown : public ::testing::Test {
protected:
    void SetUp() override {
        test::ResetProcessValues();
        ASSERT_FALSE(fs::exists(SettingsFile())) << "a settings file beside the tests";
    }
    void TearDown() override {
        if (TheFrameWindow().IsLoaded()) {
            TheFrameWindow().Unload();
        }
        test::PumpMessages();
        test::ResetProcessValues();
        EXPECT_FALSE(fs::exists(SettingsFile()));
    }
    static fs::path SettingsFile() { return test::TestProgramDir() / L"myset.ini"; }

    // Loaded and shown as the program's entry does.
    FrameWindow& LoadPanel() {
        TheFrameWindow().Load();
        TheFrameWindow().Show();
        test::PumpMessages();
        return TheFrameWindow();
    }
    // A frame process around a window of this process (the frame is placed around the content
    // window; the target only has to be shown for the start-up to go on).
    FrameWindow& LoadFrame() {
        TheRun().ArgumentText = std::wstring(TargetTitle) + L"/A";
        return LoadPanel();
    }

    // Every hit area lies on screen over its item of the frame as it is now.
    static void ExpectHitAreasOverTheirItems(const FrameWindow& form) {
        const RECT frame = RectOf(form.Hwnd());
        const int32_t width = frame.right - frame.left;
        const int32_t height = frame.bottom - frame.top;
        ASSERT_EQ(form.Areas().Count(), static_cast<size_t>(form.Skin().ItemCount));
        for (int32_t item = 1; item < form.Skin().ItemCount; ++item) {
            const HitArea& area = form.Areas().At(item);
            const PixelRect at = PlaceItem(form.Skin(), item, width, height, area.IsEnabled()).Rect;
            const RECT expected{frame.left + at.X, frame.top + at.Y, frame.left + at.X + at.Width,
                                frame.top + at.Y + at.Height};
            EXPECT_PRED2(SameRect, RectOf(area.Hwnd()), expected)
                << "item " << item << " at " << Describe(RectOf(area.Hwnd())) << ", expected "
                << Describe(expected);
        }
        POINT client{0, 0};
        ClientToScreen(form.Hwnd(), &client);
        EXPECT_EQ(client.x - frame.left, form.Areas().ClientOffset().x);
        EXPECT_EQ(client.y - frame.top, form.Areas().ClientOffset().y);
    }

    // The frame lies around the content window with the skin's borders.
    static void ExpectFrameAroundContent(const FrameWindow& form, const BundledSkin& skin) {
        const RECT frame = RectOf(form.Hwnd());
        const RECT content = RectOf(TheContentWindow().Hwnd());
        EXPECT_EQ(content.left - frame.left, skin.Left) << skin.Name;
        EXPECT_EQ(content.top - frame.top, skin.Top) << skin.Name;
        EXPECT_EQ((frame.right - frame.left) - (content.right - content.left), skin.MarginH)
            << skin.Name;
        EXPECT_EQ((frame.bottom - frame.top) - (content.bottom - content.top), skin.MarginV)
            << skin.Name;
        EXPECT_EQ(TheLoadedSkin().MarginLeft, skin.Left);
        EXPECT_EQ(TheLoadedSkin().MarginTop, skin.Top);
        EXPECT_EQ(TheLoadedSkin().MarginH, skin.MarginH);
        EXPECT_EQ(TheLoadedSkin().MarginV, skin.MarginV);
    }

    static void Reload(int32_t styleIndex) {
        TheRun().StyleIndex = styleIndex;
        TheFrameWindow().ReloadSkin();
        test::PumpMessages();
    }
};

TEST_F(FrameWindowShown, ThePanelsFrameLiesAroundThePanelAndShowsTheComposedSkin) {
    FrameWindow& form = LoadPanel();
    ASSERT_TRUE(TheLoadedSkin().Ready);
    EXPECT_EQ(TheLoadedSkin().Dir, TheRun().AppDir + L"SKIN\\Aurora");
    ExpectFrameAroundContent(form, Aurora);
    const RECT frame = RectOf(form.Hwnd());
    const int32_t width = frame.right - frame.left;
    const int32_t height = frame.bottom - frame.top;
    EXPECT_EQ(width, 350 + Aurora.MarginH);
    EXPECT_EQ(height, 240 + Aurora.MarginV);
    EXPECT_EQ(form.Surface().Frame().cx, width);
    EXPECT_EQ(form.Surface().Frame().cy, height);
    EXPECT_NE(GetWindowLongPtrA(form.Hwnd(), GWL_EXSTYLE) & WS_EX_LAYERED, 0);

    const std::vector<uint32_t> canvas = ReadCanvasPixels(form.Surface().Dc(), width, height);
    ASSERT_EQ(canvas.size(), static_cast<size_t>(width * height));

    // The same skin composed afresh, without windows, into a new canvas.
    SkinModel model;
    SkinImages images;
    const WindowDc screen(nullptr);
    ASSERT_TRUE(LoadSkinItems(TheLoadedSkin().Dir, screen, MakeScreenBitmapInfo(), model, images));
    model.FitFrame(width, height);
    const Canvas fresh = CreateCanvas(screen, MakeScreenBitmapInfo());
    DrawFrame(fresh, model, images, width, height, {});
    const std::vector<uint32_t> expected = ReadCanvasPixels(fresh, width, height);
    int32_t differing = 0;
    for (size_t i = 0; i < canvas.size(); ++i) {
        differing += canvas[i] != expected[i] ? 1 : 0;
    }
    EXPECT_EQ(differing, 0);

    // Against the skin's own pictures: the four corners keep their pixels, and the close
    // button keeps its distance to the right edge.
    const Picture frameImage = DecodeFile(TheLoadedSkin().Dir + L"\\frame.png");
    const Picture close = DecodeFile(TheLoadedSkin().Dir + L"\\close.png");
    ASSERT_GT(frameImage.Width, Aurora.MarginH);
    ASSERT_GE(close.Width, AuroraCloseWidth);
    const int32_t right = Aurora.MarginH - Aurora.Left;
    const int32_t bottom = Aurora.MarginV - Aurora.Top;
    const int32_t imageRight = frameImage.Width - right;
    const int32_t imageBottom = frameImage.Height - bottom;
    EXPECT_EQ(PixelsUnlike(canvas, width, 0, 0, frameImage, 0, 0, Aurora.Left, Aurora.Top), 0);
    EXPECT_EQ(
        PixelsUnlike(canvas, width, width - right, 0, frameImage, imageRight, 0, right, Aurora.Top),
        0);
    EXPECT_EQ(PixelsUnlike(canvas, width, 0, height - bottom, frameImage, 0, imageBottom,
                           Aurora.Left, bottom),
              0);
    EXPECT_EQ(PixelsUnlike(canvas, width, width - right, height - bottom, frameImage, imageRight,
                           imageBottom, right, bottom),
              0);
    EXPECT_EQ(PixelsUnlike(canvas, width, width - AuroraCloseFromRight, AuroraCloseTop, close, 0, 0,
                           AuroraCloseWidth, AuroraCloseHeight),
              0);
}

TEST_F(FrameWindowShown, HitAreasLieOverTheirItemsOnScreen) {
    FrameWindow& form = LoadPanel();
    ExpectHitAreasOverTheirItems(form);
    const RECT frame = RectOf(form.Hwnd());
    const RECT close = RectOf(form.Areas().At(AuroraCloseItem).Hwnd());
    EXPECT_EQ(close.left, frame.right - AuroraCloseFromRight);
    EXPECT_EQ(close.top, frame.top + AuroraCloseTop);
    EXPECT_EQ(close.right - close.left, AuroraCloseWidth);
    EXPECT_EQ(close.bottom - close.top, AuroraCloseHeight);
    EXPECT_EQ(form.Areas().At(AuroraCloseItem).Tag, L"close");
    // Item 0 stands for the frame image and never takes the mouse.
    EXPECT_FALSE(IsWindowVisible(form.Areas().At(0).Hwnd()));
}

TEST_F(FrameWindowShown, OnlyAChangedCellReachesTheScreen) {
    FrameWindow& form = LoadPanel();
    HWND close = form.Areas().At(AuroraCloseItem).Hwnd();
    const auto updatesFor = [&](UINT message, int32_t x, int32_t y) {
        const int64_t before = form.Surface().Updates();
        SendMessageA(close, message, 0, MAKELPARAM(x, y));
        return form.Surface().Updates() - before;
    };
    EXPECT_EQ(updatesFor(WM_MOUSEMOVE, 3, 3), 1); // hover
    int64_t within = 0;
    for (int32_t x = 4; x < 13; ++x) {
        within += updatesFor(WM_MOUSEMOVE, x, x % 7);
    }
    EXPECT_EQ(within, 0);                            // nine more moves within the button
    EXPECT_EQ(updatesFor(WM_RBUTTONDOWN, 12, 5), 1); // pressed
    EXPECT_EQ(updatesFor(WM_MBUTTONDOWN, 12, 5), 0); // pressed already
    EXPECT_EQ(updatesFor(WM_MOUSEMOVE, 12, 5), 1);   // hover again
    EXPECT_EQ(updatesFor(WM_MOUSEMOVE, AuroraCloseWidth + 5, 5), 1); // left: normal
    EXPECT_EQ(updatesFor(WM_MOUSEMOVE, AuroraCloseWidth + 9, 5), 0);
    // A composition shows every button normal; the next move lights it again.
    SendMessageA(form.Hwnd(), WM_SIZE, SIZE_RESTORED, 0);
    EXPECT_EQ(updatesFor(WM_MOUSEMOVE, 3, 3), 1);
    ReleaseCapture();
}

TEST_F(FrameWindowShown, ThePanelsFrameKeepsTheSizeEachSkinGivesIt) {
    FrameWindow& form = LoadPanel();
    const RECT frame = RectOf(form.Hwnd());
    const MINMAXINFO& limits = FrameLimits::Values().Limits;
    EXPECT_EQ(limits.ptMinTrackSize.x, frame.right - frame.left);
    EXPECT_EQ(limits.ptMinTrackSize.y, frame.bottom - frame.top);
    EXPECT_EQ(limits.ptMaxSize.x, frame.right - frame.left);
    EXPECT_EQ(limits.ptMaxSize.y, frame.bottom - frame.top);

    Reload(1);
    ExpectFrameAroundContent(form, Graphite);
    const RECT graphite = RectOf(form.Hwnd());
    EXPECT_EQ(limits.ptMinTrackSize.x, graphite.right - graphite.left);
    EXPECT_EQ(limits.ptMaxSize.y, graphite.bottom - graphite.top);
    // Asked by the platform, the frame answers with those limits.
    MINMAXINFO asked{};
    SendMessageA(form.Hwnd(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&asked));
    EXPECT_EQ(asked.ptMinTrackSize.x, graphite.right - graphite.left);
    EXPECT_EQ(asked.ptMinTrackSize.y, graphite.bottom - graphite.top);
}

TEST_F(FrameWindowShown, ReloadingKeepsTheGeometryAndOneHitAreaPerItem) {
    FrameWindow& form = LoadPanel();
    ContentWindow& panel = TheContentWindow();
    const RECT frame = RectOf(form.Hwnd());
    const RECT content = RectOf(panel.Hwnd());
    EXPECT_EQ(ChildWindowCount(form.Hwnd(), false), Aurora.ItemCount);
    EXPECT_EQ(ChildWindowCount(form.Hwnd(), true), Aurora.ItemCount - 1);

    // A skin number one beyond the list or below it stands for the first skin, which the skin
    // list then shows; the same skin again gives the same frame.
    for (const int32_t styleIndex : {panel.SkinCount(), -1, 0}) {
        SCOPED_TRACE(styleIndex);
        SendMessageA(panel.Panel().SkinList, CB_SETCURSEL, 2, 0);
        Reload(styleIndex);
        EXPECT_EQ(TheRun().StyleIndex, 0);
        EXPECT_EQ(SendMessageA(panel.Panel().SkinList, CB_GETCURSEL, 0, 0), 0);
        EXPECT_PRED2(SameRect, RectOf(form.Hwnd()), frame) << Describe(RectOf(form.Hwnd()));
        EXPECT_PRED2(SameRect, RectOf(panel.Hwnd()), content) << Describe(RectOf(panel.Hwnd()));
        EXPECT_EQ(ChildWindowCount(form.Hwnd(), false), Aurora.ItemCount);
        EXPECT_EQ(form.Skin().ItemCount, Aurora.ItemCount);
        ExpectHitAreasOverTheirItems(form);
    }

    // A skin with one more item and back: no hit area is left over.
    Reload(1);
    EXPECT_EQ(ChildWindowCount(form.Hwnd(), false), Graphite.ItemCount);
    ExpectHitAreasOverTheirItems(form);
    Reload(0);
    EXPECT_EQ(ChildWindowCount(form.Hwnd(), false), Aurora.ItemCount);
    EXPECT_EQ(ChildWindowCount(form.Hwnd(), true), Aurora.ItemCount - 1);
    EXPECT_PRED2(SameRect, RectOf(form.Hwnd()), frame) << Describe(RectOf(form.Hwnd()));
    ExpectHitAreasOverTheirItems(form);
}

TEST_F(FrameWindowShown, AFrameProcessSizesBetween200AndTheScreenWidthByTheWorkAreaHeight) {
    const test::PlainWindow target(TargetTitle, true);
    FrameWindow& form = LoadFrame();
    ASSERT_TRUE(TheRun().IsFrameProcess());
    ExpectFrameAroundContent(form, Aurora);
    const auto asked = [&] {
        MINMAXINFO limits{};
        SendMessageA(form.Hwnd(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
        return limits;
    };
    const MINMAXINFO limits = asked();
    EXPECT_EQ(limits.ptMinTrackSize.x, 200);
    EXPECT_EQ(limits.ptMinTrackSize.y, 200);
    EXPECT_EQ(limits.ptMaxSize.x, GetSystemMetrics(SM_CXSCREEN));
    RECT workArea{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &workArea, 0);
    EXPECT_EQ(limits.ptMaxSize.y, workArea.bottom);
    EXPECT_EQ(limits.ptMaxTrackSize.x, limits.ptMaxSize.x);
    EXPECT_EQ(limits.ptMaxTrackSize.y, limits.ptMaxSize.y);

    // The taskbar is read when the system asks: shown since (as one that hides itself comes
    // up), it cuts the height.
    const test::TaskbarAlongTheBottom taskbar(30);
    ASSERT_TRUE(taskbar.Found());
    EXPECT_EQ(asked().ptMaxSize.y, workArea.bottom - 30);
}

TEST_F(FrameWindowShown, AFrameProcessRecomposesOnEverySizeChangeButNotDuringALoad) {
    const test::PlainWindow target(TargetTitle, true);
    FrameWindow& form = LoadFrame();
    const RECT before = RectOf(form.Hwnd());
    const int32_t width = before.right - before.left;
    const int32_t height = before.bottom - before.top;
    const auto resize = [&](int32_t newWidth) {
        SetWindowPos(form.Hwnd(), nullptr, 0, 0, newWidth, height,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        test::PumpMessages();
    };
    const auto closeLeft = [&] { return RectOf(form.Areas().At(AuroraCloseItem).Hwnd()).left; };
    const auto canvasIsBlank = [&](int32_t w) {
        const std::vector<uint32_t> pixels = ReadCanvasPixels(form.Surface().Dc(), w, height);
        return !pixels.empty() &&
               std::all_of(pixels.begin(), pixels.end(), [](uint32_t p) { return p == 0; });
    };

    // A wider frame takes its right-aligned buttons along, on screen and in its image, shown
    // with one layered update.
    const int64_t updates = form.Surface().Updates();
    resize(width + 100);
    EXPECT_EQ(form.Surface().Updates() - updates, 1);
    EXPECT_EQ(closeLeft(), before.left + width + 100 - AuroraCloseFromRight);
    ExpectHitAreasOverTheirItems(form);
    EXPECT_EQ(form.Surface().Frame().cx, width + 100);

    // While a skin is being loaded, size changes draw nothing and move no hit area.
    const PixelRect closeBefore = form.Areas().At(AuroraCloseItem).Rect();
    PatBlt(form.Surface().Dc(), 0, 0, width + 200, height, BLACKNESS);
    ASSERT_TRUE(canvasIsBlank(width + 200));
    TheLoadedSkin().Ready = false;
    resize(width + 200);
    SendMessageA(form.Hwnd(), WM_SIZE, SIZE_RESTORED, MAKELPARAM(width + 200, height));
    form.Compose();
    EXPECT_TRUE(canvasIsBlank(width + 200));
    EXPECT_EQ(form.Areas().At(AuroraCloseItem).Rect(), closeBefore);

    TheLoadedSkin().Ready = true;
    resize(width + 150);
    EXPECT_FALSE(canvasIsBlank(width + 150));
    EXPECT_EQ(closeLeft(), before.left + width + 150 - AuroraCloseFromRight);
    ExpectHitAreasOverTheirItems(form);
}

// On a larger display the maximised frame's canvas grows with it, with one layered update, and
// is no larger than the display asks once that is back. An update the system refuses (a canvas it
// no longer takes) is made once more, whole, from a new canvas.
TEST_F(FrameWindowShown, AFramesCanvasCoversItOnAGrownDisplayAndIsMadeAgainWhenRefused) {
    if (!test::UnderWine()) {
        GTEST_SKIP() << "changes the display's size: done only inside Wine's virtual desktop";
    }
    const test::PlainWindow target(TargetTitle, true);
    FrameWindow& form = LoadFrame();
    const test::DisplayAsFound restored;
    ASSERT_TRUE(test::ChangeDisplayTo(1920, 1200));
    test::PumpMessages();
    const int64_t updates = form.Surface().Updates();
    form.SetState(WindowState::Maximized);
    test::PumpMessages();
    EXPECT_PRED2(SameRect, RectOf(form.Hwnd()), (RECT{0, 0, 1920, 1200}));
    EXPECT_EQ(form.Surface().Updates() - updates, 1);
    EXPECT_FALSE(ReadCanvasPixels(form.Surface().Dc(), 1920, 1200).empty());
    ExpectHitAreasOverTheirItems(form);
    ASSERT_TRUE(test::ChangeDisplayTo(1280, 800));
    test::PumpMessages();
    EXPECT_EQ(form.Surface().Capacity().cx, 1280);
    EXPECT_EQ(form.Surface().Capacity().cy, 800);

    const RECT frame = RectOf(form.Hwnd());
    const int32_t width = frame.right - frame.left;
    const int32_t height = frame.bottom - frame.top;
    const std::vector<uint32_t> shown = ReadCanvasPixels(form.Surface().Dc(), width, height);
    void* bits = nullptr;
    const BITMAPINFO one = MakeBitmapInfo(1, 1);
    const HBITMAP lost = CreateDIBSection(nullptr, &one, DIB_RGB_COLORS, &bits, nullptr, 0);
    SelectObject(form.Surface().Dc(), lost);
    const int64_t beforeRefusal = form.Surface().Updates();
    form.Compose();
    EXPECT_EQ(form.Surface().Updates() - beforeRefusal, 2);
    EXPECT_EQ(ReadCanvasPixels(form.Surface().Dc(), width, height), shown);
    DeleteObject(lost);
}

TEST_F(FrameWindowShown, AFrameProcessReloadBringsAMinimisedOrMaximisedFrameBackAroundItsContent) {
    const test::PlainWindow target(TargetTitle, true);
    FrameWindow& form = LoadFrame();
    for (const WindowState state : {WindowState::Minimized, WindowState::Maximized}) {
        SCOPED_TRACE(static_cast<int>(state));
        form.SetState(state);
        test::PumpMessages();
        ASSERT_EQ(form.State(), state);
        Reload(0);
        EXPECT_EQ(form.State(), WindowState::Normal);
        ExpectFrameAroundContent(form, Aurora);
        ExpectHitAreasOverTheirItems(form);
    }
}

TEST_F(FrameWindowShown, AFrameProcessFrameMayStartBeyondTheScreenEdgeButIsNoLargerThanTheScreen) {
    const test::PlainWindow target(TargetTitle, true);
    FrameWindow& form = LoadFrame();
    // The content window as a large captured window would leave it, before the frame follows.
    TheLoadedSkin().Ready = false;
    TheContentWindow().Move(-50, -20, 2000, 1000);
    Reload(0);
    const RECT frame = RectOf(form.Hwnd());
    EXPECT_EQ(frame.left, -50 - Aurora.Left);
    EXPECT_EQ(frame.top, -20 - Aurora.Top);
    EXPECT_EQ(frame.right - frame.left, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(frame.bottom - frame.top, GetSystemMetrics(SM_CYSCREEN));
    ExpectFrameAroundContent(form, Aurora);
    ExpectHitAreasOverTheirItems(form);
}

// At the DPI of the session's screen (the tests run once more in a session at 144 DPI).
TEST_F(FrameWindowShown, AtTheSystemDpiAFramesBordersButtonsAndSmallestSizeAreTheSkinsScaled) {
    const test::PlainWindow target(TargetTitle, true);
    FrameWindow& form = LoadFrame();
    const int32_t dpi = WindowDpi(form.Hwnd());
    ExpectFrameAroundContent(form, Scaled(Aurora, dpi));
    ExpectHitAreasOverTheirItems(form);
    const RECT close = RectOf(form.Areas().At(AuroraCloseItem).Hwnd());
    EXPECT_EQ(close.right - close.left, ScaleForDpi(AuroraCloseWidth, dpi));
    EXPECT_EQ(close.top - RectOf(form.Hwnd()).top, ScaleForDpi(AuroraCloseTop, dpi));
    EXPECT_EQ(FrameLimits::Values().Limits.ptMinTrackSize.x, ScaleForDpi(200, dpi));
}

// The rectangle the system suggests is taken as it is, even larger than the work area of the
// monitor the frame leaves (the one it goes to may be larger), up to 480 DPI (500 %).
TEST_F(FrameWindowShown, OnAMonitorOfAnotherDpiTheFrameTakesTheSuggestedPlaceAndItsScale) {
    const test::PlainWindow target(TargetTitle, true);
    FrameWindow& form = LoadFrame();
    const int32_t other = WindowDpi(form.Hwnd()) == 144 ? 192 : 144;
    const test::TaskbarAlongTheBottom taskbar(60);
    ASSERT_TRUE(taskbar.Found());
    for (const int32_t dpi : {other, 480}) {
        SCOPED_TRACE(dpi);
        RECT suggested{100, 20, 100 + 900, GetSystemMetrics(SM_CYSCREEN) - 20};
        SendMessageA(form.Hwnd(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                     reinterpret_cast<LPARAM>(&suggested));
        test::PumpMessages();
        EXPECT_PRED2(SameRect, RectOf(form.Hwnd()), suggested) << Describe(RectOf(form.Hwnd()));
        ExpectFrameAroundContent(form, Scaled(Aurora, dpi));
        ExpectHitAreasOverTheirItems(form);
        EXPECT_EQ(form.Skin().ItemWidth[AuroraCloseItem], ScaleForDpi(AuroraCloseWidth, dpi));
    }
}

// The content window as the frame knows it, but the frame is moved onto a monitor of another DPI
// while its first skin load after this runs: as a placement the load makes itself may do.
class MovedDuringLoad final : public FramedContent {
public:
    MovedDuringLoad(FramedContent& content, HWND frame, int32_t dpi, const RECT& suggested)
        : content_(content), frame_(frame), dpi_(dpi), suggested_(suggested) {}
    HWND ContentHwnd() const override { return content_.ContentHwnd(); }
    int32_t SkinCount() const override { return content_.SkinCount(); }
    std::wstring SkinName(int32_t index) const override { return content_.SkinName(index); }
    void SelectSkinAt(int32_t index) override {
        content_.SelectSkinAt(index);
        if (++Loads == 1) {
            SendMessageA(frame_, WM_DPICHANGED, MAKEWPARAM(dpi_, dpi_),
                         reinterpret_cast<LPARAM>(&suggested_));
        }
    }
    bool GiveBackFramedWindow() override { return content_.GiveBackFramedWindow(); }
    void Repaint() override { content_.Repaint(); }
    void ScaleTo(int32_t dpi) override { content_.ScaleTo(dpi); }
    int32_t Loads = 0; // skin loads, each of which shows its skin in the list

private:
    FramedContent& content_;
    HWND frame_;
    int32_t dpi_;
    RECT suggested_;
};

TEST_F(FrameWindowShown, AMoveToAnotherDpiDuringASkinLoadIsFollowedOnceAfterIt) {
    const test::PlainWindow target(TargetTitle, true);
    FrameWindow& form = LoadFrame();
    const int32_t dpi = WindowDpi(form.Hwnd()) == 144 ? 192 : 144;
    const RECT suggested{150, 100, 150 + 800, 100 + 560};
    MovedDuringLoad moved(TheContentWindow(), form.Hwnd(), dpi, suggested);
    form.SetContent(moved);
    Reload(1);
    form.SetContent(TheContentWindow());
    EXPECT_EQ(moved.Loads, 2);
    EXPECT_PRED2(SameRect, RectOf(form.Hwnd()), suggested) << Describe(RectOf(form.Hwnd()));
    ExpectFrameAroundContent(form, Scaled(Graphite, dpi));
    ExpectHitAreasOverTheirItems(form);
}

TEST_F(FrameWindowShown, OnAMonitorOfAnotherDpiThePanelLaysItselfOutAtThatScale) {
    FrameWindow& form = LoadPanel();
    const int32_t dpi = WindowDpi(form.Hwnd()) == 144 ? 192 : 144;
    RECT suggested = RectOf(form.Hwnd());
    SendMessageA(form.Hwnd(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                 reinterpret_cast<LPARAM>(&suggested));
    test::PumpMessages();
    ExpectFrameAroundContent(form, Scaled(Aurora, dpi));
    const ContentWindow& panel = TheContentWindow();
    EXPECT_EQ(panel.ScaleWidth(), ScaleForDpi(350, dpi));
    EXPECT_EQ(panel.ScaleHeight(), ScaleForDpi(240, dpi));
    LOGFONTA face{};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(panel.Panel().ApplyButton, WM_GETFONT, 0, 0)),
               sizeof face, &face);
    EXPECT_EQ(face.lfHeight, -MulDiv(9, dpi, 72));
    // The panel's frame keeps the size the skin gives it at that scale.
    const RECT frame = RectOf(form.Hwnd());
    EXPECT_EQ(FrameLimits::Values().Limits.ptMinTrackSize.x, frame.right - frame.left);
}

} // namespace
} // namespace glaze
