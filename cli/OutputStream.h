#pragma once

#include "cli/ExitStatus.h"
#include "output/StagedFile.h"

#include <QByteArrayView>
#include <QCoreApplication>
#include <QString>

#include <memory>

class DescriptorDevice;

// Where a job writes in place as it goes: standard output ("-"), or a
// target that is no regular file (a device, a FIFO, a socket), never
// replaced. A reader that closes the pipe has taken what it wanted: writing
// ends quietly. Any other failure to write is told once, naming the target,
// and is the job's failure.
class OutputStream
{
    Q_DECLARE_TR_FUNCTIONS(OutputStream)
public:
    explicit OutputStream(const QString &target = QStringLiteral("-"));
    ~OutputStream();
    OutputStream(const OutputStream &) = delete;
    OutputStream &operator=(const OutputStream &) = delete;

    // Opens it; false once the failure is told.
    bool Open();
    // Writes `bytes` whole; false when they could not be.
    bool Write(QByteArrayView bytes);
    // True once a write has failed, the reader gone included: there is no
    // use in writing more.
    bool Failed() const;
    // Closes it and returns `status`; Failure, once told, when writing
    // failed. A reader that went away, or a stop signal, is no failure.
    ExitStatus Finish(ExitStatus status);

    // True for the target that stands for standard output.
    static bool IsStandardOutput(const QString &target);

    // Makes sure descriptors 0, 1 and 2 are taken before anything opens a
    // file, so that no file the program opens becomes its standard output
    // by chance, and remembers whether standard output was closed: writing
    // there is then a failure. Call first thing in main.
    static void ReserveStandardStreams();

private:
    ExitStatus fail(const QString &reason);
    bool failedQuietly() const;

    QString m_target;
    StagedFile m_file;
    std::unique_ptr<DescriptorDevice> m_device;
};
