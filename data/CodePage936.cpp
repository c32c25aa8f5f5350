#include "data/CodePage936.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace CodePage936 {

namespace {

constexpr char kName[] = "GB18030";

bool isLead(quint8 byte)
{
    return byte >= 0x81 && byte <= 0xFE;
}

bool isDigit(quint8 byte)
{
    return byte >= 0x30 && byte <= 0x39;
}

bool isTrail(quint8 byte)
{
    return (byte >= 0x40 && byte <= 0x7E) || (byte >= 0x80 && byte <= 0xFE);
}

// The length of the character that starts at `at`.
qsizetype characterLength(QByteArrayView bytes, qsizetype at)
{
    const auto byte = [&](qsizetype i) { return quint8(bytes[at + i]); };
    const qsizetype left = bytes.size() - at;
    if (!isLead(byte(0)) || left < 2)
        return 1;
    if (isTrail(byte(1)))
        return 2;
    if (left >= 4 && isDigit(byte(1)) && isLead(byte(2)) && isDigit(byte(3)))
        return 4;
    return 1;
}

// True when the bytes end in what could be the start of a character cut
// off: a lead byte, a lead byte and a digit, or those and another lead.
bool mayEndCut(QByteArrayView bytes)
{
    const qsizetype n = bytes.size();
    const auto byte = [&](qsizetype back) { return quint8(bytes[n - back]); };
    return (n >= 1 && isLead(byte(1))) || (n >= 2 && isLead(byte(2)) && isDigit(byte(1)))
        || (n >= 3 && isLead(byte(3)) && isDigit(byte(2)) && isLead(byte(1)));
}

// The text of `bytes`, one character at a time: what decodes as a whole
// character (one, two or four bytes) shows as itself; a byte that starts
// none shows as U+FFFD, and the next byte is read on its own. So every byte
// that does not decode has a U+FFFD of its own, and a trail byte after a
// bad lead (an ASCII letter, another lead) is never swallowed with it.
QString decodeByCharacters(QStringDecoder &decoder, QByteArrayView bytes)
{
    // The one character that decodes as U+FFFD and is not a fault.
    static constexpr char kReplacement[] = "\x84\x31\xa4\x37";
    QString text;
    text.reserve(bytes.size());
    qsizetype at = 0;
    while (at < bytes.size()) {
        const qsizetype length = characterLength(bytes, at);
        const QByteArrayView character = bytes.sliced(at, length);
        const QString decoded = decoder.decode(character);
        if (!decoded.isEmpty() && (!decoded.contains(QChar::ReplacementCharacter) || character == kReplacement)) {
            text += decoded;
            at += length;
        } else {
            text += QChar::ReplacementCharacter;
            ++at;
        }
    }
    return text;
}

} // namespace

QString Decode(QByteArrayView bytes)
{
    // Made once per thread: finding the codec costs more than most texts.
    thread_local QStringDecoder decoder(kName, QStringDecoder::Flag::Stateless);
    // The decoder drops a character cut off at the end without a trace, and
    // takes a bad lead byte together with the byte after it; a text with
    // neither in it reads as a whole, which is what nearly every one does.
    if (!mayEndCut(bytes)) {
        QString text = decoder.decode(bytes);
        if (!text.contains(QChar::ReplacementCharacter))
            return text;
    }
    return decodeByCharacters(decoder, bytes);
}

QByteArray Encode(QStringView text)
{
    thread_local QStringEncoder encoder(kName, QStringEncoder::Flag::Stateless);
    return encoder.encode(text);
}

QByteArray Cut(const QByteArray &bytes, qsizetype limit)
{
    if (bytes.size() <= limit)
        return bytes;
    qsizetype end = 0;
    while (end < limit) {
        const qsizetype next = end + characterLength(bytes, end);
        if (next > limit)
            break;
        end = next;
    }
    return bytes.left(end);
}

} // namespace CodePage936
