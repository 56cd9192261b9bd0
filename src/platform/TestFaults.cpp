#include "platform/TestFaults.h"

#include <cstdlib>
#include <new>
#include <stdexcept>
#include <string_view>

namespace glaze::TestFaults {
namespace {

UINT_PTR loopFaultTimer = 0;

bool Armed(std::string_view fault) {
    const char* armed = std::getenv("GLAZE_TEST_FAULT");
    return armed != nullptr && fault == armed;
}

} // namespace

void InSkinLoad() {
    if (Armed("skin-load")) {
        throw std::bad_alloc();
    }
}

void InUnload() {
    if (Armed("unload")) {
        throw std::runtime_error("test fault");
    }
}

void AfterStartUp() {
    if (Armed("throw") || Armed("crash")) {
        loopFaultTimer = SetTimer(nullptr, 0, 1000, nullptr);
    }
}

void InMessageLoop(const MSG& msg) {
    if (loopFaultTimer == 0 || msg.message != WM_TIMER || msg.wParam != loopFaultTimer) {
        return;
    }
    if (Armed("crash")) {
        RaiseException(EXCEPTION_ACCESS_VIOLATION, EXCEPTION_NONCONTINUABLE, 0, nullptr);
    }
    throw std::runtime_error("test fault");
}

} // namespace glaze::TestFaults
