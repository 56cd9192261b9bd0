// The harness says where it runs the Windows tests (GLAZE_TEST_PLATFORM); the tests tell Wine from
// Windows themselves, for the few things that only Wine needs of them.

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace glaze {
namespace {

TEST(TestPlatform, TheTestsTellWineFromWindowsAsTheHarnessRunsThem) {
    const char* platform = std::getenv("GLAZE_TEST_PLATFORM");
    if (platform == nullptr) {
        GTEST_SKIP() << "started by hand: the harness names the platform in GLAZE_TEST_PLATFORM";
    }
    ASSERT_TRUE(std::string(platform) == "wine" || std::string(platform) == "windows") << platform;
    EXPECT_EQ(test::UnderWine(), std::string(platform) == "wine");
}

} // namespace
} // namespace glaze
