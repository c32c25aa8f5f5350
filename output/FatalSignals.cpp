#include "output/FatalSignals.h"

namespace FatalSignals {

namespace {

constexpr int kFromOutside[] = {SIGHUP, SIGINT, SIGQUIT, SIGTERM, SIGALRM, SIGUSR1, SIGUSR2, SIGXCPU};
constexpr int kFromWrites[] = {SIGPIPE, SIGXFSZ};

} // namespace

sigset_t All()
{
    sigset_t set = FromOutside();
    for (const int signal : kFromWrites)
        sigaddset(&set, signal);
    return set;
}

sigset_t FromOutside()
{
    sigset_t set;
    sigemptyset(&set);
    for (const int signal : kFromOutside)
        sigaddset(&set, signal);
    return set;
}

bool Pending()
{
    sigset_t pending;
    sigemptyset(&pending);
    sigpending(&pending);
    for (const int signal : kFromOutside) {
        if (sigismember(&pending, signal) == 1)
            return true;
    }
    return false;
}

} // namespace FatalSignals
