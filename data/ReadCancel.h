#pragma once

#include <atomic>

// A stop for a read that may wait on a FIFO or a device with nothing to
// give: Cancel, from any thread, raises the flag that the read looks at
// between blocks and wakes it at once where it waits in WaitReadable.
class ReadCancel
{
public:
    ReadCancel();
    ~ReadCancel();
    ReadCancel(const ReadCancel &) = delete;
    ReadCancel &operator=(const ReadCancel &) = delete;

    void Cancel();
    bool Cancelled() const { return m_cancelled.load(); }
    const std::atomic<bool> *Flag() const { return &m_cancelled; }

    enum class Wait { Ready, TimedOut, Cancelled };
    // Waits up to `milliseconds` until `fd` has something to read, or its
    // end (the last writer gone), or the read is cancelled.
    Wait WaitReadable(int fd, int milliseconds) const;

private:
    std::atomic<bool> m_cancelled{false};
    int m_wake = -1; // an eventfd that Cancel makes readable; -1 when none could be made
};
