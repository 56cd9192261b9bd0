#include "frame/SkinMessages.h"

namespace glaze {

std::wstring FaultySkinMessage(std::wstring_view skinName, int32_t item) {
    return L"请检查当前皮肤文件的设置！\r\n皮肤文件:SKIN" + std::wstring(skinName) +
           L"\t控件序号: " + std::to_wstring(item) + L"  无法加载！";
}

std::wstring RefusedCaptureMessage(std::wstring_view title) {
    return L"系统不允许把窗口“" + std::wstring(title) + L"”放进框架，窗口保持原样。本程序将退出！";
}

} // namespace glaze
