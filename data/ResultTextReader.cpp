#include "data/ResultTextReader.h"

#include <cstring>

namespace {

constexpr char kEndOfInput = '\x1a';

// The next `c` at or after `from`, searched again only once `from` has
// passed the last one found: every byte is looked at a bounded number of
// times, which keeps a block of nothing but zero bytes linear.
class NextByte
{
public:
    NextByte(char c, const char *end) : m_c(c), m_end(end) {}

    const char *from(const char *position)
    {
        if (m_found && m_found < position)
            m_found = search(position);
        return m_found;
    }
    void start(const char *position) { m_found = search(position); }

private:
    const char *search(const char *position) const
    {
        return static_cast<const char *>(std::memchr(position, m_c, size_t(m_end - position)));
    }

    char m_c;
    const char *m_end;
    const char *m_found = nullptr;
};

} // namespace

qsizetype ResultTextReader::Translate(const char *in, qsizetype size, char *out)
{
    if (m_ended || size <= 0)
        return 0;
    const char *end = in + size;
    if (const void *stop = std::memchr(in, kEndOfInput, size_t(size))) {
        end = static_cast<const char *>(stop);
        m_ended = true;
    }
    if (!m_started && in < end) {
        // A zero first byte is read, so it is the one not counted, but it
        // never reaches the text.
        m_started = true;
        m_firstInText = *in != '\0';
    }

    char *write = out;
    const char *read = in;
    if (m_heldCr) {
        m_heldCr = false;
        if (read < end && *read == '\n') {
            *write++ = '\n';
            ++read;
        } else {
            *write++ = '\r';
        }
    }

    NextByte cr('\r', end), zero('\0', end);
    cr.start(read);
    zero.start(read);
    while (read < end) {
        const char *nextCr = cr.from(read);
        const char *nextZero = zero.from(read);
        const char *special = nextCr && (!nextZero || nextCr < nextZero) ? nextCr : nextZero;
        const char *stop = special ? special : end;
        if (write != read)
            std::memmove(write, read, size_t(stop - read));
        write += stop - read;
        read = stop;
        if (!special)
            break;
        if (*read == '\0') {
            while (read < end && *read == '\0')
                ++read;
        } else if (read + 1 < end) {
            // A CR becomes part of a pair only with the very next raw byte:
            // a zero between the two keeps the CR.
            *write++ = read[1] == '\n' ? '\n' : '\r';
            read += read[1] == '\n' ? 2 : 1;
        } else if (m_ended) {
            *write++ = '\r'; // 0x1A follows: no line feed can
            ++read;
        } else {
            m_heldCr = true;
            ++read;
        }
    }
    countLineFeeds(out, write - out);
    return write - out;
}

qsizetype ResultTextReader::Finish(char *out)
{
    if (!m_heldCr)
        return 0;
    m_heldCr = false;
    *out = '\r';
    countLineFeeds(out, 1);
    return 1;
}

void ResultTextReader::countLineFeeds(const char *text, qsizetype length)
{
    const qsizetype before = m_length;
    m_length += length;
    if (m_tableStart >= 0 || length == 0)
        return;
    const char *position = text;
    const char *const end = text + length;
    if (before == 0 && m_firstInText)
        ++position; // the first byte read, never counted
    while (position < end) {
        const void *found = std::memchr(position, '\n', size_t(end - position));
        if (!found)
            return;
        position = static_cast<const char *>(found) + 1;
        if (++m_lineFeeds == HeaderLines) {
            m_tableStart = before + (position - text);
            return;
        }
    }
}
