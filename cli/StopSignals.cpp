#include "cli/StopSignals.h"

#include <QCoreApplication>
#include <QTimer>

#include "output/FatalSignals.h"
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
sigset_t watched; // set once by Install, before the watcher starts

// Every fatal signal but those the process was started with ignored:
// whoever started it so meant it to go on through them. INT and TERM
// stop a job whatever its start.
sigset_t signalsToWatch()
{
    sigset_t set = FatalSignals::All();
    for (int signal = 1; signal < NSIG; ++signal) {
        if (sigismember(&set, signal) != 1 || signal == SIGINT || signal == SIGTERM)
            continue;
        struct sigaction action = {};
        if (sigaction(signal, nullptr, &action) == 0 && action.sa_handler == SIG_IGN)
            sigdelset(&set, signal);
    }
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

void watch(int graceMilliseconds)
{
    int signal = 0;
    while (sigwait(&watched, &signal) != 0) {
    }
    caughtSignal.store(signal);
    stopFlag.store(true);
    TemporaryFiles::Stop();
    // The jobs end by themselves and main ends the process; one that is
    // still blocked after the grace is ended from here.
    std::this_thread::sleep_for(std::chrono::milliseconds(graceMilliseconds));
    TemporaryFiles::RemoveAll();
    endBy(signal);
}

} // namespace

void Install(int graceMilliseconds)
{
    watched = signalsToWatch();
    pthread_sigmask(SIG_BLOCK, &watched, nullptr);
    std::thread(watch, graceMilliseconds).detach();
}

const std::atomic<bool> &Flag()
{
    return stopFlag;
}

bool Requested()
{
    return stopFlag.load() || FatalSignals::Pending();
}

int Caught()
{
    return caughtSignal.load();
}

void EndByCaughtSignal()
{
    int signal = Caught();
    if (signal == 0) {
        // One that came while the job ended and the watcher has not taken
        // yet. Never PIPE or XFSZ pending on this thread: its own writes
        // raised those, and they failed as writes.
        sigset_t set = FatalSignals::FromOutside();
        for (int other = 1; other < NSIG; ++other) {
            if (sigismember(&watched, other) != 1)
                sigdelset(&set, other);
        }
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

void RunUntilRequested()
{
    QTimer stop;
    QObject::connect(&stop, &QTimer::timeout, [] {
        if (Requested())
            QCoreApplication::quit();
    });
    stop.start(50);
    QCoreApplication::exec();
}

} // namespace StopSignals
