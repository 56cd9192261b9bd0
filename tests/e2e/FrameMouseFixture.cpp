#include "FrameMouseFixture.h"

#include <chrono>
#include <filesystem>
#include <thread>

namespace glaze::e2e {
namespace {

constexpr wchar_t TargetTitle[] = L"鼠标下的目标 Mouse target";

std::wstring BundledImage(const SkinItem& item) {
    return (std::filesystem::path(BuildBinDir()) / L"SKIN" / item.Skin / item.Image).wstring();
}

} // namespace

void FrameMouse::StartPanel(const SkinItem& item) {
    glaze_ = std::make_unique<Process>(GlazeCommandLine(app, L""));
    windows_ = WaitForGlazeWindows(*glaze_);
    ASSERT_NE(Frame(), nullptr);
    ASSERT_TRUE(WaitShows(item, NormalCell));
}

void FrameMouse::StartFrame(const wchar_t* letter, const SkinItem& item,
                            const std::wstring& targetOptions) {
    target_ = std::make_unique<TargetProgram>(TargetTitle, targetOptions);
    ASSERT_NE(target_->Window(), nullptr);
    // Large enough for a frame above its smallest size.
    SetWindowPos(target_->Window(), nullptr, 700, 400, 400, 300, SWP_NOZORDER | SWP_NOACTIVATE);
    glaze_ =
        std::make_unique<Process>(GlazeCommandLine(app, std::wstring(TargetTitle) + L"/" + letter));
    windows_ = WaitForGlazeWindows(*glaze_);
    ASSERT_NE(Frame(), nullptr);
    SetWindowPos(Frame(), nullptr, 200, 150, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_TRUE(WaitUntil([&] { return FrameRect().left == 200 && FrameRect().top == 150; }));
    ASSERT_TRUE(WaitShows(item, NormalCell));
}

RECT FrameMouse::FrameRect() const {
    RECT rect{};
    GetWindowRect(Frame(), &rect);
    return rect;
}

bool FrameMouse::FrameAt(const RECT& rect) const {
    const RECT frame = FrameRect();
    return EqualRect(&frame, &rect) != FALSE;
}

RECT FrameMouse::ContentRect() const {
    RECT rect{};
    GetWindowRect(Content(), &rect);
    return rect;
}

bool FrameMouse::ContentOnInterior(const SkinMargins& margins) const {
    const RECT frame = FrameRect();
    const RECT content = ContentRect();
    return content.left == frame.left + margins.Left && content.top == frame.top + margins.Top &&
           content.right - content.left == frame.right - frame.left - margins.H &&
           content.bottom - content.top == frame.bottom - frame.top - margins.V;
}

int FrameMouse::SkinSelection() const {
    return static_cast<int>(SendMessageW(SkinListOf(Content()), CB_GETCURSEL, 0, 0));
}

RECT FrameMouse::ItemOnScreen(const SkinItem& item) const {
    const RECT frame = FrameRect();
    const int left = item.X < 0 ? frame.right + item.X : frame.left + item.X;
    const int top = item.Y < 0 ? frame.bottom + item.Y : frame.top + item.Y;
    return {left, top, left + item.Width, top + item.Height};
}

bool FrameMouse::Shows(const SkinItem& item, int cell) const {
    return DifferingPixels(ScreenPixels(ItemOnScreen(item)),
                           ImageCellPixels(BundledImage(item), cell, item.Width, item.Height)) == 0;
}

bool FrameMouse::WaitShows(const SkinItem& item, int cell) const {
    return WaitUntil([&] { return Shows(item, cell); }, 5s);
}

bool FrameMouse::HandledInputBefore(const SkinItem& item) {
    POINT at = ItemCentre(item);
    POINT now{};
    GetCursorPos(&now);
    if (now.x == at.x && now.y == at.y) {
        ++at.x; // only a change of place is a move
    }
    PointerTo(at);
    // Under Wine a move loop or a menu that ends late may still put the cursor back or hand
    // the frame a stale move off the item, and a restacking may put back an older image; each
    // half second without the hover cell the pointer leaves the item and comes back.
    auto retry = std::chrono::steady_clock::now() + 500ms;
    return WaitUntil(
        [&] {
            if (Shows(item, HoverCell)) {
                return true;
            }
            if (test::UnderWine() && std::chrono::steady_clock::now() > retry) {
                PointerTo({at.x, at.y + item.Height});
                PointerTo(at);
                retry = std::chrono::steady_clock::now() + 500ms;
            }
            return false;
        },
        5s);
}

HWND FrameMouse::OpenMenu() const {
    for (HWND window : glaze_->Windows()) {
        if (ClassOf(window) == L"#32768" && IsWindowVisible(window)) {
            return window;
        }
    }
    return nullptr;
}

void FrameMouse::LoopDrag(POINT from, std::initializer_list<POINT> through) {
    AwaitFreshClick();
    PointerTo(from);
    PressButton(LeftButton);
    EXPECT_TRUE(WaitUntil([&] { return InMoveOrSize(Frame()); }, 3s)) << "no move or size loop";
    // The loop takes the display's pointer; under Wine that reports the pointer once more
    // where the press was, which must come before the moves.
    if (test::UnderWine()) {
        std::this_thread::sleep_for(30ms);
    }
    for (const POINT to : through) {
        MoveInSteps(from, to);
        from = to;
    }
    // Let the loop take the last move before the release ends it.
    std::this_thread::sleep_for(30ms);
    ReleaseButton(LeftButton);
    EXPECT_TRUE(WaitUntil([&] { return !InMoveOrSize(Frame()); }, 3s));
}

POINT FrameMouse::RightEdge() const {
    const RECT client = ClientRectOnScreen(Frame());
    return {client.right, CentreOf(client).y};
}

POINT FrameMouse::BottomRightCorner() const {
    const RECT client = ClientRectOnScreen(Frame());
    return {client.right, client.bottom};
}

} // namespace glaze::e2e
