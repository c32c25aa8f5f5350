#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <condition_variable>
#include <functional>
#include <mutex>
#include <vector>

// The output of several producers, one per slot, each on a thread of its
// own, handed on in the order of the slots. The producer of the first slot
// not yet closed writes straight through; the others hold what they write
// until their turn, and once they hold `limit` bytes they wait for it. So
// memory stays within `limit` per producer, whatever they write, and the
// first open slot never waits: as long as slots are taken up in their
// order, the output always moves on.
class OrderedOutput
{
public:
    using Sink = std::function<void(QByteArrayView bytes)>;

    // `separator` goes between the output of two slots that both wrote
    // some; `stop` ends every wait once it is true.
    OrderedOutput(Sink sink, qsizetype count, QByteArrayView separator, qsizetype limit,
                  std::function<bool()> stop);

    void Write(qsizetype slot, QByteArrayView bytes);
    // The slot's producer is done; what it held goes out in its turn.
    void Close(qsizetype slot);
    // True once any slot has written bytes that went out.
    bool AnyWritten() const;

private:
    struct Slot
    {
        QByteArray held;
        bool closed = false;
        bool wrote = false;
    };

    void writeThrough(Slot &slot, QByteArrayView bytes);
    void advance();

    Sink m_sink;
    QByteArray m_separator;
    qsizetype m_limit;
    std::function<bool()> m_stop;
    std::vector<Slot> m_slots;
    qsizetype m_head = 0; // the first slot not yet closed
    bool m_anyWritten = false;
    mutable std::mutex m_mutex;
    std::condition_variable m_turn;
};
