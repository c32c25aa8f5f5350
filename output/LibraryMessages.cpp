#include "output/LibraryMessages.h"

#include <cerrno>
#include <cstdio>
#include <mutex>
#include <unistd.h>

namespace {

thread_local LibraryMessages *held = nullptr;

ssize_t writeStandardError(void *, const char *bytes, size_t size)
{
    if (held)
        return ssize_t(size);
    size_t done = 0;
    while (done < size) {
        const ssize_t written = ::write(STDERR_FILENO, bytes + done, size - done);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return done > 0 ? ssize_t(done) : -1;
        }
        done += size_t(written);
    }
    return ssize_t(size);
}

} // namespace

void LibraryMessages::Install()
{
    static std::once_flag once;
    std::call_once(once, [] {
        cookie_io_functions_t functions = {nullptr, writeStandardError, nullptr, nullptr};
        FILE *filtered = ::fopencookie(nullptr, "w", functions);
        if (!filtered)
            return; // messages of libraries pass then, as they would anyway
        std::setvbuf(filtered, nullptr, _IONBF, 0);
        std::fflush(stderr);
        stderr = filtered;
    });
}

bool LibraryMessages::Held()
{
    return held != nullptr;
}

LibraryMessages::LibraryMessages() : m_outer(held)
{
    held = this;
}

LibraryMessages::~LibraryMessages()
{
    held = m_outer;
}
