#include "cli/OrderedOutput.h"

#include <chrono>

OrderedOutput::OrderedOutput(Sink sink, qsizetype count, QByteArrayView separator,
                             qsizetype limit, std::function<bool()> stop)
    : m_sink(std::move(sink)),
      m_separator(separator.toByteArray()),
      m_limit(limit),
      m_stop(std::move(stop)),
      m_slots(size_t(count))
{
}

void OrderedOutput::Write(qsizetype index, QByteArrayView bytes)
{
    if (bytes.isEmpty())
        return;
    std::unique_lock lock(m_mutex);
    Slot &slot = m_slots[size_t(index)];
    // Stops are looked at now and then: a signal does not notify.
    while (index != m_head && slot.held.size() >= m_limit && !m_stop())
        m_turn.wait_for(lock, std::chrono::milliseconds(50));
    if (index == m_head)
        writeThrough(slot, bytes);
    else
        slot.held += bytes;
}

void OrderedOutput::Close(qsizetype index)
{
    const std::lock_guard lock(m_mutex);
    m_slots[size_t(index)].closed = true;
    advance();
    m_turn.notify_all();
}

bool OrderedOutput::AnyWritten() const
{
    const std::lock_guard lock(m_mutex);
    return m_anyWritten;
}

// Runs with the lock held, so that pieces never interleave.
void OrderedOutput::writeThrough(Slot &slot, QByteArrayView bytes)
{
    if (!slot.wrote && m_anyWritten && !m_separator.isEmpty())
        m_sink(m_separator);
    slot.wrote = true;
    m_anyWritten = true;
    m_sink(bytes);
}

// Moves the turn past closed slots, handing on what each of them held,
// and what the new first open slot holds so far.
void OrderedOutput::advance()
{
    while (m_head < qsizetype(m_slots.size())) {
        Slot &slot = m_slots[size_t(m_head)];
        if (!slot.held.isEmpty()) {
            writeThrough(slot, slot.held);
            slot.held = QByteArray();
        }
        if (!slot.closed)
            return;
        ++m_head;
    }
}
