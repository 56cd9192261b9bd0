#include "lifecycle/LastResort.h"

#include "hosting/WindowKeeper.h"
#include "platform/MessageWait.h"

#include <windows.h>

#include <atomic>
#include <csignal>
#include <cstdlib>
#include <exception>

namespace glaze {
namespace {

// Set once at start-up, before any handler can run.
WindowKeeper* theKeeper = nullptr;
std::atomic<bool> dying{false};
static_assert(std::atomic<bool>::is_always_lock_free, "set from a signal handler");

// How long a failing thread waits for the window: a program that does not answer may hold the
// keeper, and the process must end all the same.
constexpr DWORD GiveBackLimitMs = 5000;

// The failing thread makes no call on the framed window itself: its state is unknown, and the
// keeper's thread is waiting for exactly this. While it waits, its own windows answer what the
// give-back sends them with the default handling alone, which runs none of the program's code.
// Only the first failure asks.
void GiveBackBeforeDying() noexcept {
    if (theKeeper != nullptr && !dying.exchange(true)) {
        HandWindowsToDefaultHandling();
        theKeeper->GiveBackBeforeDying(GiveBackLimitMs);
    }
}

LONG WINAPI OnUnhandledException(EXCEPTION_POINTERS*) {
    GiveBackBeforeDying();
    return EXCEPTION_EXECUTE_HANDLER; // the process ends without a debugger's dialog
}

// Both end at once: the runtime's own abort would first show its message and wait for the user.
void OnTerminate() {
    GiveBackBeforeDying();
    std::_Exit(3);
}

void OnAbort(int) {
    GiveBackBeforeDying();
    std::_Exit(3);
}

} // namespace

void InstallLastResort(WindowKeeper& keeper) {
    keeper.Start();
    theKeeper = &keeper;
    SetUnhandledExceptionFilter(OnUnhandledException);
    std::set_terminate(OnTerminate);
    std::signal(SIGABRT, OnAbort);
}

} // namespace glaze
