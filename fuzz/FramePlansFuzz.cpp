// The frame's geometry with hostile numbers: any skin model, frame size, screen and captured
// window give defined rectangles (UBSan stops at any overflow), item canvases stay between
// 1 x 1 and the screen, and the frame between nothing and the screen.

#include "FuzzInput.h"
#include "frame/ComposePlan.h"
#include "frame/FrameGeometry.h"
#include "hosting/CaptureGeometry.h"
#include "platform/ImageHeader.h"

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
    const ScreenFacts screen{input.Int32(), input.Int32(),
                             PixelRect{input.Int32(), input.Int32(), input.Int32(), input.Int32()},
                             input.Int32()};

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
    (void)MaximisedFrameHeight(screen);

    const CapturePlan capture =
        PlanCapture({input.Int32(), input.Int32(), input.Int32(), input.Int32()}, input.Int32(),
                    input.Int32(), input.Int32(), input.Int32(), input.Int32(), input.Int32());
    (void)PlanRelease(capture.Borders, input.Int32(), input.Int32(), input.Int32(), input.Int32());
    (void)IsDecodableSize({input.Int32(), input.Int32()}, input.Int32());
    return 0;
}
