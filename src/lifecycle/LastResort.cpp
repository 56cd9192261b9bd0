#include "lifecycle/LastResort.h"

#include "lifecycle/TheForms.h"
#include "panel/Form2.h"

#include <windows.h>

#include <atomic>
#include <csignal>
#include <cstdlib>
#include <exception>

namespace glaze {
namespace {

std::atomic<bool> givenBack{false};

void GiveBackBeforeDying() {
    if (!givenBack.exchange(true)) {
        TheForm2().ReleaseTargetAtOnce();
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

void InstallLastResort() {
    SetUnhandledExceptionFilter(OnUnhandledException);
    std::set_terminate(OnTerminate);
    std::signal(SIGABRT, OnAbort);
}

} // namespace glaze
