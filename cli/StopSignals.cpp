#include "cli/StopSignals.h"

#include "output/TemporaryFiles.h"

#include <QtGlobal>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <pthread.h>
#include <thread>
#include <unistd.h>

namespace StopSignals {

namespace {

std::atomic<bool> stopFlag{false};
std::atomic<int> caughtSignal{0};

sigset_t stopSignals()
{
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGTERM);
    return set;
}

[[noreturn]] void endBy(int signal)
{
    struct sigaction action = {};
    action.sa_handler = SIG_DFL;
    sigemptyset(&action.sa_mask);
    sigaction(signal, &action, nullptr);
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, signal);
    pthread_sigmask(SIG_UNBLOCK, &set, nullptr);
    raise(signal);
    std::_Exit(128 + signal); // not reached
}

void watch()
{
    const sigset_t set = stopSignals();
    int signal = 0;
    while (sigwait(&set, &signal) != 0) {
    }
    caughtSignal.store(signal);
    stopFlag.store(true);
    TemporaryFiles::Stop();
    // The jobs end by themselves and main ends the process; one that is
    // still blocked after the grace is ended from here.
    std::this_thread::sleep_for(std::chrono::milliseconds(GraceMilliseconds));
    TemporaryFiles::RemoveAll();
    endBy(signal);
}

} // namespace

void Install()
{
    const sigset_t set = stopSignals();
    pthread_sigmask(SIG_BLOCK, &set, nullptr);
    std::thread(watch).detach();
}

const std::atomic<bool> &Flag()
{
    return stopFlag;
}

bool Requested()
{
    if (stopFlag.load())
        return true;
    sigset_t pending;
    sigemptyset(&pending);
    sigpending(&pending);
    return sigismember(&pending, SIGINT) == 1 || sigismember(&pending, SIGTERM) == 1;
}

int Caught()
{
    return caughtSignal.load();
}

void EndByCaughtSignal()
{
    int signal = Caught();
    if (signal == 0) {
        // One that came while the job ended and the watcher has not taken yet.
        const sigset_t set = stopSignals();
        const timespec now = {0, 0};
        signal = qMax(0, sigtimedwait(&set, nullptr, &now));
        if (signal == 0)
            signal = Caught();
    }
    if (signal != 0) {
        TemporaryFiles::RemoveAll();
        endBy(signal);
    }
}

} // namespace StopSignals
