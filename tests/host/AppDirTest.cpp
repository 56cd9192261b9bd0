#include "lifecycle/AppDir.h"

#include <gtest/gtest.h>

namespace glaze {
namespace {

TEST(AppDir, EndsInExactlyOneBackslash) {
    EXPECT_EQ(AppDirOfExecutable(L"C:\\glaze.exe"), L"C:\\");
    EXPECT_EQ(AppDirOfExecutable(L"C:\\Tools\\glaze.exe"), L"C:\\Tools\\");
    EXPECT_EQ(AppDirOfExecutable(L"D:\\工具\\皮肤 程序\\glaze.exe"), L"D:\\工具\\皮肤 程序\\");
    EXPECT_EQ(AppDirOfExecutable(L"\\\\server\\share\\glaze.exe"), L"\\\\server\\share\\");
}

} // namespace
} // namespace glaze
