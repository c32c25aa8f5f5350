#include "output/DescriptorDevice.h"

#include <cerrno>
#include <unistd.h>

DescriptorDevice::DescriptorDevice(int fd) : m_fd(fd)
{
    open(QIODevice::WriteOnly | QIODevice::Unbuffered);
}

qint64 DescriptorDevice::writeData(const char *data, qint64 size)
{
    if (m_errno != 0)
        return -1;
    qint64 left = size;
    while (left > 0) {
        const ssize_t written = ::write(m_fd, data, size_t(left));
        if (written >= 0) {
            data += written;
            left -= written;
        } else if (errno != EINTR) {
            m_errno = errno;
            return -1;
        }
    }
    return size;
}
