#include "data/ContentHash.h"

#include <xxhash.h>

#include <new>

struct ContentHash::State
{
    XXH3_state_t *xxh = nullptr;
};

ContentHash::ContentHash() : m_state(std::make_unique<State>())
{
    m_state->xxh = XXH3_createState();
    if (!m_state->xxh)
        throw std::bad_alloc();
    XXH3_64bits_reset(m_state->xxh);
}

ContentHash::~ContentHash()
{
    XXH3_freeState(m_state->xxh);
}

void ContentHash::Add(const char *bytes, qsizetype size)
{
    if (size > 0)
        XXH3_64bits_update(m_state->xxh, bytes, size_t(size));
}

void ContentHash::AddZeros(qint64 size)
{
    static const char zeros[1 << 16] = {};
    for (; size > 0; size -= qint64(sizeof zeros))
        Add(zeros, qsizetype(qMin<qint64>(size, qint64(sizeof zeros))));
}

quint64 ContentHash::Value() const
{
    return quint64(XXH3_64bits_digest(m_state->xxh));
}
