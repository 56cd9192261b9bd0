#include "panel/PanelFont.h"

#include "platform/AnsiText.h"

namespace glaze {

ScopedFont CreatePanelFont(int32_t dpi) {
    const int height = -MulDiv(9, dpi, 72);
    return ScopedFont(CreateFontA(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, GB2312_CHARSET,
                                  OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                  DEFAULT_PITCH | FF_DONTCARE, ToAnsi(L"微软雅黑").c_str()));
}

} // namespace glaze
