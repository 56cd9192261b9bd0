#pragma once
// Portable: one item line of a skin description,
// "action,x,y,width,height,stretch,disabled,label,image".

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace glaze {

struct SkinItemFields {
    int32_t Action = 0;
    int32_t X = 0;
    int32_t Y = 0;
    int32_t Width = 0;
    int32_t Height = 0;
    int32_t Stretch = 0;  // 1: the item grows with the frame (item 0: the centre is filled)
    int32_t Disabled = 0; // 1: shown in its disabled cell, ignores the mouse
    std::wstring Label;
    std::wstring ImageFile; // relative to the skin's directory
};

// x, y, width and height are held within +-SkinCoordinateLimit: an item or border that far
// out lies beyond every screen, and sums and multiples of these numbers stay far from overflow
// in every piece of frame geometry.
constexpr int32_t SkinCoordinateLimit = 32767;

// What reading a line came across, for those who explain it (the skin checker): why it could
// not be read, or which of its numbers were held within the limit.
struct SkinItemLineNotes {
    size_t FieldCount = 0;    // fields found, counting up to nine
    int32_t NumberField = -1; // the first numeric field (0 to 6) beyond 32 bits, else -1
    uint32_t HeldFields = 0;  // bit n set: numeric field n was held within SkinCoordinateLimit
};

// Splits the line at every comma (pieces are not trimmed). Fields after the ninth are ignored.
// Nothing comes back when the line has fewer than nine fields or a number beyond 32 bits:
// such a skin cannot be loaded. The notes, when asked for, tell which, and which numbers were
// held within the limit.
std::optional<SkinItemFields> ParseSkinItemLine(std::wstring_view line,
                                                SkinItemLineNotes* notes = nullptr);

// The profile key of item i: "SKINNUM" followed by i in decimal.
std::wstring SkinItemKey(int32_t item);

// A skin holds at most this many items, far more than any real skin: each item costs a window,
// a device context and a bitmap, and a skin of tens of thousands would exhaust the process's
// handles. Items beyond are ignored.
constexpr int32_t MaxSkinItems = 1000;

// The item lines of a skin as `lineOf` gives them for items 0, 1, ...: up to the first that is
// missing (empty), and no more than MaxSkinItems; later items are never asked for.
std::vector<std::wstring> ReadItemLines(const std::function<std::wstring(int32_t item)>& lineOf);

} // namespace glaze
