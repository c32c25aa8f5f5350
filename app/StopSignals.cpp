#include "app/StopSignals.h"

#include <csignal>

namespace StopSignals {

namespace {

std::atomic<bool> stopFlag{false};
std::atomic<int> caughtSignal{0};

static_assert(std::atomic<bool>::is_always_lock_free && std::atomic<int>::is_always_lock_free,
              "the flags are set from a signal handler");

extern "C" void onStopSignal(int signal)
{
    int none = 0;
    caughtSignal.compare_exchange_strong(none, signal);
    stopFlag.store(true);
}

} // namespace

void Install()
{
    struct sigaction action = {};
    action.sa_handler = onStopSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = 0; // no SA_RESTART
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

const std::atomic<bool> &Flag()
{
    return stopFlag;
}

int Caught()
{
    return caughtSignal.load();
}

void EndByCaughtSignal()
{
    const int signal = Caught();
    if (signal == 0)
        return;
    struct sigaction action = {};
    action.sa_handler = SIG_DFL;
    sigemptyset(&action.sa_mask);
    sigaction(signal, &action, nullptr);
    std::raise(signal);
}

} // namespace StopSignals
