#pragma once

#include "document/LiveFile.h"

#include <QString>

#include <memory>

// A regular file kept open: a version of it that can be read again once
// its name is gone, and whose room on the disk is given back only when it
// is let go.
class HeldFile
{
public:
    explicit HeldFile(int fd) : m_fd(fd) {}
    ~HeldFile();
    HeldFile(const HeldFile &) = delete;
    HeldFile &operator=(const HeldFile &) = delete;

    // A name for the version, valid while it is held.
    QString Path() const;

    // The file now at `path`, if it is still the version `read`; null for
    // anything else, and for a FIFO or a device, which is never opened.
    static std::shared_ptr<HeldFile> Open(const QString &path, const LiveFile::Identity &read);
    // Takes descriptor `fd` over: held if it is a regular file, closed if
    // it is not.
    static std::shared_ptr<HeldFile> Adopt(int fd);
    // How many files may be held at once: a share of the descriptors the
    // process may open, the rest being the program's own.
    static int Budget();

private:
    int m_fd;
};
