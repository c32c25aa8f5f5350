#include "cli/OutputStream.h"

#include "cli/BatchJobs.h"
#include "cli/StopSignals.h"
#include "data/FileError.h"
#include "output/DescriptorDevice.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace {

const char kStandardOutput[] = "-";

bool standardOutputClosed = false;

} // namespace

OutputStream::OutputStream(const QString &target)
    : m_target(target),
      m_file(IsStandardOutput(target) ? QStringLiteral("/dev/stdout") : target)
{
}

OutputStream::~OutputStream() = default;

bool OutputStream::IsStandardOutput(const QString &target)
{
    return target == QLatin1String(kStandardOutput);
}

bool OutputStream::Open()
{
    if (IsStandardOutput(m_target) && standardOutputClosed) {
        fail(tr("it is closed"));
        return false;
    }
    if (!m_file.Open()) {
        fail(m_file.ErrorString());
        return false;
    }
    m_device = std::make_unique<DescriptorDevice>(m_file.Handle());
    return true;
}

bool OutputStream::Write(QByteArrayView bytes)
{
    return m_device && m_device->write(bytes.data(), bytes.size()) == bytes.size();
}

bool OutputStream::Failed() const
{
    return m_device && m_device->Failure() != 0;
}

ExitStatus OutputStream::Finish(ExitStatus status)
{
    if (failedQuietly())
        return status;
    if (Failed())
        return fail(qt_error_string(m_device->Failure()));
    if (!m_file.Commit())
        return fail(m_file.ErrorString());
    return status;
}

// A reader that closed the pipe, or a stop signal that ends the process
// anyway, leaves nothing to tell.
bool OutputStream::failedQuietly() const
{
    return (m_device && m_device->Failure() == EPIPE) || StopSignals::Requested();
}

ExitStatus OutputStream::fail(const QString &reason)
{
    QString message;
    if (IsStandardOutput(m_target))
        message = tr("Cannot write to standard output: %1").arg(reason);
    else
        FileError::WriteFailed(m_target, reason, &message);
    BatchJobs::PrintError(message);
    return ExitStatus::Failure;
}

void OutputStream::ReserveStandardStreams()
{
    for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd) {
        if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF)
            continue;
        // The lowest free descriptor is this one. A closed standard output
        // gets a descriptor that takes no writes at all, so that nothing
        // written there by mistake lands anywhere.
        ::open("/dev/null", fd == STDERR_FILENO ? O_WRONLY : O_RDONLY);
        if (fd == STDOUT_FILENO)
            standardOutputClosed = true;
    }
}
