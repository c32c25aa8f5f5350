#pragma once

#include <QtGlobal>

// The text a result file gives when it is read as a text-mode stream, made
// block by block from the file's raw bytes: a byte 0x1A ends the input, a CR
// LF pair becomes LF, zero bytes are dropped. It also finds where the table
// starts: after the fifth counted line feed, the first byte read never
// counting. The cost is proportional to the bytes given, whatever they hold,
// and a block may end anywhere, even between a CR and its LF.
class ResultTextReader
{
public:
    static constexpr int HeaderLines = 5;

    // Translates the next block of raw bytes into `out` and returns the
    // length of the text written there. `out` needs room for `size` + 1
    // bytes. It may be `in` itself or lie before it in the same buffer (the
    // text never grows ahead of the bytes it comes from), but must lie
    // strictly before `in` while HoldsCarriageReturn() is true.
    qsizetype Translate(const char *in, qsizetype size, char *out);

    // The end of the input: writes a CR held back from the last block, if
    // any, and returns the length written (0 or 1).
    qsizetype Finish(char *out);

    // True once a 0x1A has ended the input: later blocks give no text.
    bool Ended() const { return m_ended; }

    // True when the last block ended in a CR whose fate depends on the next.
    bool HoldsCarriageReturn() const { return m_heldCr; }

    // Length of all the text given so far.
    qsizetype TextLength() const { return m_length; }

    // Where the table starts in that text; -1 until the fifth counted line
    // feed has been given.
    qsizetype TableStart() const { return m_tableStart; }

private:
    void countLineFeeds(const char *text, qsizetype length);

    bool m_ended = false;
    bool m_heldCr = false;
    bool m_started = false;        // the first byte has been read
    bool m_firstInText = false;    // ... and it stands first in the text
    int m_lineFeeds = 0;
    qsizetype m_length = 0;
    qsizetype m_tableStart = -1;
};
