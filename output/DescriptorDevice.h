#pragma once

#include <QIODevice>

// A device that writes straight to a file descriptor it does not own, with
// no buffer of its own, and keeps the system's reason for the first write
// that failed: a writer may close its device when it ends (the PDF writer
// does), and closing must not forget a failure.
class DescriptorDevice : public QIODevice
{
public:
    explicit DescriptorDevice(int fd);

    bool isSequential() const override { return true; }
    // errno of the first failed write; 0 while every write succeeded.
    int Failure() const { return m_errno; }

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *data, qint64 size) override;

private:
    int m_fd;
    int m_errno = 0;
};
