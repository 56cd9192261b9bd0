#include "frame/SkinMessages.h"

namespace glaze {

std::wstring FaultySkinMessage(std::wstring_view skinName, int32_t item) {
    return L"请检查当前皮肤文件的设置！\r\n皮肤文件:SKIN" + std::wstring(skinName) +
           L"\t控件序号: " + std::to_wstring(item) + L"  无法加载！";
}

} // namespace glaze
