#pragma once
// Portable: what the program tells the user when a skin cannot be loaded, or a window cannot be
// framed or given back.

#include <cstdint>
#include <string>
#include <string_view>

namespace glaze {

// No skin is listed at all.
inline constexpr std::wstring_view NoSkinMessage = L"没有皮肤文件可以加载！本程序将退出！";

// The skin named in the skin list is faulty: loading stopped at the given item.
std::wstring FaultySkinMessage(std::wstring_view skinName, int32_t item);

// The caption of every message of an error.
inline constexpr std::wstring_view ErrorCaption = L"错误";

// The system refused to take the window with this title into the frame: it is left as it was.
std::wstring RefusedCaptureMessage(std::wstring_view title);

// The system refused to give the framed window back to the desktop: it stays in its frame.
inline constexpr std::wstring_view RefusedGiveBackMessage =
    L"系统不允许把窗口还给桌面，窗口仍留在框架中！请稍后再关闭框架。";

} // namespace glaze
