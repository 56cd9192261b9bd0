#pragma once
// Portable: what the program tells the user when a skin cannot be loaded.

#include <cstdint>
#include <string>
#include <string_view>

namespace glaze {

// No skin is listed at all.
inline constexpr std::wstring_view NoSkinMessage = L"没有皮肤文件可以加载！本程序将退出！";

// The skin named in the skin list is faulty: loading stopped at the given item.
std::wstring FaultySkinMessage(std::wstring_view skinName, int32_t item);

} // namespace glaze
