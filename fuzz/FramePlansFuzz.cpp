// The frame's geometry with hostile numbers: any skin model at any DPI, frame size, monitor and
// captured window give defined rectangles (UBSan stops at any overflow), item canvases stay
// between 1 x 1 and the screen, the frame between nothing and the monitor, scaled skin numbers
// within the skin limit, and a scaled image's pieces inside it.

#include "FuzzInput.h"
#include "frame/ComposePlan.h"
#include "frame/FrameGeometry.h"
#include "frame/ScaledSkin.h"
#include "frame/Snapping.h"
#include "hosting/CaptureGeometry.h"
#include "platform/ImageHeader.h"

#include <algorithm>
#include <utility>

using namespace glaze;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::FuzzInput input(data, size);
    SkinModel skin;
    const int32_t itemCount = 1 + input.Byte() % 4;
    skin.Resize(itemCount);
    for (size_t i = 0; i < static_cast<size_t>(itemCount); ++i) {
        skin.ItemX[i] = input.Int32();
        skin.ItemY[i] = input.Int32();
        skin.ItemWidth[i] = input.Int32();
        skin.ItemHeight[i] = input.Int32();
        skin.ItemImageWidth[i] = input.Int32();
        skin.ItemImageHeight[i] = input.Int32();
        const uint8_t flags = input.Byte();
        skin.ItemStretch[i] = (flags & 1) != 0;
        skin.ItemDisabled[i] = (flags & 2) != 0;
        skin.ItemSingleCell[i] = (flags & 4) != 0;
    }
    skin.ItemCount = itemCount;
    skin.InteriorWidth = input.Int32();
    skin.InteriorHeight = input.Int32();
    const int32_t frameWidth = input.Int32();
    const int32_t frameHeight = input.Int32();
    const auto rect = [&] {
        return PixelRect{input.Int32(), input.Int32(), input.Int32(), input.Int32()};
    };
    const MonitorArea monitor{rect(), rect()};
    const PixelRect taskbar = rect();
    const PixelRect& screen = monitor.Monitor;
    const int32_t dpi = input.Int32();

    (void)NineSlicePlan(skin, frameWidth, frameHeight);
    for (int32_t item = 0; item < itemCount; ++item) {
        if (item > 0) {
            const ItemPlacement placed = PlaceItem(skin, item, frameWidth, frameHeight, true);
            (void)CellBlit(placed.Rect, 2);
        }
        const CanvasExtent extent = ItemCanvasExtent(skin, item, screen.Width, screen.Height);
        fuzz::Require(extent.Width >= 1 && extent.Height >= 1);
        fuzz::Require(extent.Width <= std::max(screen.Width, 1) &&
                      extent.Height <= std::max(screen.Height, 1));
    }
    const OuterSize frame =
        FrameSizeAround(frameWidth, frameHeight, skin.MarginH(), skin.MarginV(), screen);
    fuzz::Require(frame.Width >= 0 && frame.Width <= std::max(screen.Width, 0));
    fuzz::Require(frame.Height >= 0 && frame.Height <= std::max(screen.Height, 0));
    const PixelRect area = MaximisedArea(monitor, taskbar);
    const MaximiseLimits maximise = MaximiseInSystemTerms(area, monitor.Monitor, rect());
    fuzz::Require(maximise.TrackWidth == area.Width && maximise.TrackHeight == area.Height);
    const PixelRect placed = PixelRect{frameWidth, frameHeight, frame.Width, frame.Height};
    (void)ReachablePlace(placed, skin.MarginTop(), rect(), monitor.Work);
    const PixelRect others[] = {rect(), rect()};
    const PixelInsets margin{input.Int32(), input.Int32(), input.Int32(), input.Int32()};
    const PixelRect snapped = SnapMove(placed, margin, monitor.Work, others, input.Int32());
    fuzz::Require(snapped.Width == placed.Width && snapped.Height == placed.Height);

    // The skin at the DPI: numbers held, pieces inside the scaled image, and a small image
    // scaled by them.
    for (int32_t item = 0; item < itemCount; ++item) {
        const auto i = static_cast<size_t>(item);
        const SkinItemFields fields{0,
                                    skin.ItemX[i],
                                    skin.ItemY[i],
                                    skin.ItemWidth[i],
                                    skin.ItemHeight[i],
                                    skin.ItemStretch[i] ? 1 : 0,
                                    0,
                                    {},
                                    {}};
        const SkinItemFields scaled = ScaleItemFields(item, fields, dpi);
        fuzz::Require(scaled.X >= -SkinCoordinateLimit && scaled.X <= SkinCoordinateLimit);
        fuzz::Require(scaled.Width >= -SkinCoordinateLimit && scaled.Width <= SkinCoordinateLimit);
        const ImageScalePlan plan =
            PlanImageScale(item, fields, skin.ItemImageWidth[i], skin.ItemImageHeight[i], dpi);
        for (const ResamplePiece& piece : plan.Pieces) {
            fuzz::Require(piece.To.X >= 0 && piece.To.Width >= 0 &&
                          int64_t{piece.To.X} + piece.To.Width <= plan.Width);
            fuzz::Require(piece.To.Y >= 0 && piece.To.Height >= 0 &&
                          int64_t{piece.To.Y} + piece.To.Height <= plan.Height);
        }
    }
    const int32_t side = 1 + input.Byte() % 8;
    const int32_t smallDpi = 24 + input.Byte() % 3 * 96; // up to three times
    const SkinItemFields small{0,
                               input.Byte() % 20,
                               input.Byte() % 20,
                               input.Byte() % 20,
                               input.Byte() % 20,
                               input.Byte() % 2,
                               0,
                               {},
                               {}};
    const ImageScalePlan plan = PlanImageScale(input.Byte() % 2, small, side, side, smallDpi);
    std::vector<uint32_t> pixels(static_cast<size_t>(side * side));
    for (uint32_t& pixel : pixels) {
        pixel = static_cast<uint32_t>(input.Int32());
    }
    const std::vector<uint32_t> out =
        ResampleImage(pixels, side, side, plan.Pieces, plan.Width, plan.Height);
    for (const uint32_t pixel : out) {
        const uint32_t alpha = pixel >> 24;
        fuzz::Require((pixel & 0xFF) <= alpha && ((pixel >> 8) & 0xFF) <= alpha &&
                      ((pixel >> 16) & 0xFF) <= alpha);
    }
    // The shadow of that image, with any borders: within each border that lies in the image.
    const PixelInsets borders{input.Int32(), input.Int32(), input.Int32(), input.Int32()};
    const PixelInsets shadow = TransparentMargin(pixels, side, side, borders);
    for (const auto& [inset, border] : {std::pair{shadow.Left, borders.Left},
                                        {shadow.Top, borders.Top},
                                        {shadow.Right, borders.Right},
                                        {shadow.Bottom, borders.Bottom}}) {
        fuzz::Require(inset >= 0 && inset <= std::clamp(border, 0, side));
    }

    const CapturePlan capture =
        PlanCapture({input.Int32(), input.Int32(), input.Int32(), input.Int32()}, input.Int32(),
                    input.Int32(), input.Int32(), input.Int32(), input.Int32(), input.Int32());
    (void)PlanRelease(capture.Borders, input.Int32(), input.Int32(), input.Int32(), input.Int32(),
                      capture.Content);
    (void)ClientAreaOf(capture.Content, capture.Borders);
    (void)ButtonArea(skin, frameWidth, frameHeight);
    (void)IsDecodableSize({input.Int32(), input.Int32()}, input.Int32());
    return 0;
}
