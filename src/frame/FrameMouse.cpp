// The frame under the mouse: hover and pressed cells on the caption buttons, their actions,
// dragging the frame by any other visible part, and the caption band's system menu.

#include "frame/FrameWindow.h"

#include "frame/FollowFrame.h"
#include "settings/RunSettings.h"
#include "frame/LoadedSkin.h"

#include <windowsx.h>

namespace glaze {

bool FrameWindow::DrawCell(int32_t item, int32_t cell) {
    const auto i = static_cast<size_t>(item);
    if (i >= shownCell_.size() || shownCell_[i] == cell) {
        return false; // it shows that cell already
    }
    shownCell_[i] = cell;
    skin_.DrawCell(surface_.Dc(), item, lastItem_, cell);
    return true;
}

void FrameWindow::OnHitAreaMouseMove(int32_t item, const MouseEvent& event) {
    const SkinModel& skin = skin_.Model();
    if (event.Button != 0 || item >= skin.ItemCount || !TheLoadedSkin().Ready) {
        return;
    }
    const HitArea& area = hitAreas_.At(item);
    lastItem_ = hitAreas_.Rect(item);
    // Both bounds count as inside: the pointer on the right or bottom edge still hovers.
    const bool inside =
        event.X >= 0 && event.X <= lastItem_.Width && event.Y >= 0 && event.Y <= lastItem_.Height;
    bool changed = false;
    if (inside) {
        // Holding the capture brings the move that leaves the item, to draw it normal again.
        const bool entering = GetCapture() != area.Hwnd();
        SetCapture(area.Hwnd());
        // The pointer coming onto the button shows its hover cell even when that is drawn
        // already: under Wine a move loop that ends late may have put back an older image.
        changed = skin.HasButtonCells(item) && (DrawCell(item, HoverCell) || entering);
    } else {
        ReleaseCapture();
        changed = !skin.ItemStretch[static_cast<size_t>(item)] && DrawCell(item, NormalCell);
    }
    // A move that changes no cell (within a button, over a single-cell or stretched item)
    // leaves the screen as it is: a layered update costs milliseconds.
    if (changed) {
        ShowCanvas(lastItem_);
    }
}

void FrameWindow::OnHitAreaMouseDown(int32_t item, const MouseEvent& event) {
    if (item >= skin_.Model().ItemCount || !TheLoadedSkin().Ready) {
        return;
    }
    pressedItem_ = event.Button == LeftButton ? item : 0;
    if (skin_.Model().HasButtonCells(item) && DrawCell(item, PressedCell)) {
        ShowCanvas(lastItem_);
    }
}

void FrameWindow::OnHitAreaMouseUp(int32_t item, const MouseEvent& event) {
    const bool clicked = event.Button == LeftButton && pressedItem_ == item;
    pressedItem_ = 0;
    if (!clicked || item >= skin_.Model().ItemCount || !TheLoadedSkin().Ready) {
        return;
    }
    const PixelRect rect = hitAreas_.Rect(item);
    if (event.X < 0 || event.Y < 0 || event.X >= rect.Width || event.Y >= rect.Height) {
        return; // released away from the item: no click
    }
    RunItemAction(skin_.Model().ItemAction[static_cast<size_t>(item)]);
}

void FrameWindow::RunItemAction(int32_t action) {
    switch (action) {
    case Minimise:
        SetState(WindowState::Minimized);
        break;
    case MaximiseOrRestore:
        ToggleMaximised();
        break;
    case Close:
        Unload();
        break;
    case NextSkin:
        ++TheRun().StyleIndex;
        ReloadSkin();
        break;
    default:
        break;
    }
}

void FrameWindow::ToggleMaximised() {
    // The control panel's frame keeps its size.
    if (!TheRun().IsFrameProcess()) {
        return;
    }
    SetState(State() == WindowState::Normal ? WindowState::Maximized : WindowState::Normal);
}

void FrameWindow::OnMouseDown(const MouseEvent& event) {
    ReleaseCapture();
    // The system moves the frame with the pointer in its own loop, from where the press was.
    // That loop ends only when the left button goes up: started by another button it would
    // carry the frame along until the next left click. The loop is asked for as a system
    // command: a press on a caption would activate the frame first, and take the keyboard
    // from the framed program in front.
    if (event.Button == LeftButton) {
        SendMessageA(Hwnd(), WM_SYSCOMMAND, SC_MOVE | HTCAPTION,
                     static_cast<LPARAM>(GetMessagePos()));
        // After the loop has moved the frame, Wine's display may show it above the content
        // window although the window order has it below; bringing the frame to the top first
        // makes the restacking below a real change of order, which the display follows.
        SetWindowPos(Hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    FollowFrame::KeepFollowersAbove();
}

void FrameWindow::OnMouseUp(const MouseEvent& event) {
    if (event.Button == RightButton) {
        // Where the button went up, not where the pointer has gone since.
        const DWORD released = GetMessagePos();
        const POINT pointer{GET_X_LPARAM(released), GET_Y_LPARAM(released)};
        if (Top() + TheLoadedSkin().MarginTop > pointer.y) {
            TrackPopupMenu(GetSystemMenu(Hwnd(), FALSE), 0, pointer.x, pointer.y, 0, Hwnd(),
                           nullptr);
        }
    }
    FollowFrame::KeepFollowersAbove();
}

void FrameWindow::OnDoubleClick() {
    ToggleMaximised();
}

} // namespace glaze
