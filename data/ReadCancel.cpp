#include "data/ReadCancel.h"

#include <QtGlobal>

#include <cerrno>
#include <cstdint>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

namespace {

// Without an eventfd (no descriptor left), the flag is looked at this
// often while a read waits.
constexpr int kLookEveryMs = 50;

} // namespace

ReadCancel::ReadCancel() : m_wake(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK))
{
}

ReadCancel::~ReadCancel()
{
    if (m_wake >= 0)
        ::close(m_wake);
}

void ReadCancel::Cancel()
{
    m_cancelled.store(true);
    if (m_wake >= 0) {
        const std::uint64_t one = 1;
        (void)!::write(m_wake, &one, sizeof one);
    }
}

ReadCancel::Wait ReadCancel::WaitReadable(int fd, int milliseconds) const
{
    pollfd watched[2] = {{fd, POLLIN, 0}, {m_wake, POLLIN, 0}};
    const nfds_t count = m_wake >= 0 ? 2 : 1;
    const int step = qMax(1, m_wake >= 0 ? milliseconds : qMin(milliseconds, kLookEveryMs));
    for (int left = milliseconds; left > 0; left -= step) {
        if (Cancelled())
            return Wait::Cancelled;
        const int ready = ::poll(watched, count, qMin(step, left));
        if (Cancelled())
            return Wait::Cancelled;
        if (ready > 0 && watched[0].revents != 0)
            return Wait::Ready;
        if (ready < 0 && errno != EINTR)
            return Wait::Ready; // the read itself tells what is wrong
    }
    return Cancelled() ? Wait::Cancelled : Wait::TimedOut;
}
