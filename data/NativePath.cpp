#include "data/NativePath.h"

#include <QStringDecoder>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>

namespace {

constexpr char16_t kEscapeBase = 0xDC00; // stray byte b (0x80..0xFF) is U+DC00 + b

bool isEscape(QChar c)
{
    return c.unicode() >= kEscapeBase + 0x80 && c.unicode() <= kEscapeBase + 0xFF;
}

// The character at `i` stands for a stray byte: an escape that is not the
// second half of a real character beyond the Basic Multilingual Plane.
bool isStrayByte(const QString &path, qsizetype i)
{
    return isEscape(path.at(i)) && !(i > 0 && path.at(i - 1).isHighSurrogate());
}

bool hasStrayBytes(const QString &path)
{
    for (qsizetype i = 0; i < path.size(); ++i) {
        if (isStrayByte(path, i))
            return true;
    }
    return false;
}

// The length of the valid UTF-8 sequence at `at`, or 0 when the byte there
// starts none (overlong forms, surrogates and values past U+10FFFF included).
int utf8Length(const QByteArray &bytes, qsizetype at)
{
    const auto byte = [&](qsizetype i) { return quint8(bytes.at(at + i)); };
    const quint8 lead = byte(0);
    int length = 0;
    quint8 low = 0x80, high = 0xBF; // the second byte's range
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0)
            low = 0xA0;
        else if (lead == 0xED)
            high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0)
            low = 0x90;
        else if (lead == 0xF4)
            high = 0x8F;
    } else {
        return 0;
    }
    if (bytes.size() - at < length || byte(1) < low || byte(1) > high)
        return 0;
    for (int i = 2; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80)
            return 0;
    }
    return length;
}

// What would act on a terminal or a text field instead of showing: the C0
// controls, DEL and the C1 controls.
bool isControl(char16_t c)
{
    return c < 0x20 || (c >= 0x7f && c < 0xa0);
}

// Each control written as the bytes it has in the name, \xNN: one byte for
// C0 and DEL, two for C1 (C2 80..C2 9F), as stray bytes are written.
QString controlsShown(const QString &text)
{
    if (std::none_of(text.begin(), text.end(), [](QChar c) { return isControl(c.unicode()); }))
        return text;
    const auto byte = [](unsigned value) { return QStringLiteral("\\x%1").arg(value, 2, 16, QLatin1Char('0')); };
    QString shown;
    shown.reserve(text.size() + 8);
    for (const QChar c : text) {
        if (!isControl(c.unicode()))
            shown += c;
        else if (c.unicode() < 0x80)
            shown += byte(c.unicode());
        else
            shown += byte(0xc2) + byte(c.unicode());
    }
    return shown;
}

} // namespace

QString NativePath::Decode(const QByteArray &bytes)
{
    QString path;
    path.reserve(bytes.size());
    qsizetype run = 0; // start of the valid run not yet decoded
    qsizetype at = 0;
    while (at < bytes.size()) {
        const int length = utf8Length(bytes, at);
        if (length > 0) {
            at += length;
            continue;
        }
        path += QString::fromUtf8(bytes.constData() + run, at - run);
        path += QChar(char16_t(kEscapeBase + quint8(bytes.at(at))));
        run = ++at;
    }
    path += QString::fromUtf8(bytes.constData() + run, at - run);
    return path;
}

QByteArray NativePath::Encode(const QString &path)
{
    QByteArray bytes;
    bytes.reserve(path.size());
    qsizetype run = 0;
    for (qsizetype i = 0; i < path.size(); ++i) {
        if (!isStrayByte(path, i))
            continue;
        bytes += QStringView(path).sliced(run, i - run).toUtf8();
        bytes += char(path.at(i).unicode() - kEscapeBase);
        run = i + 1;
    }
    bytes += QStringView(path).sliced(run).toUtf8();
    return bytes;
}

QStringList NativePath::Arguments(int argc, char **argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(Decode(QByteArray(argv[i])));
    return arguments;
}

QString NativePath::Display(const QString &path)
{
    if (!hasStrayBytes(path))
        return controlsShown(path);
    const QByteArray bytes = Encode(path);
    QStringDecoder gb18030("GB18030", QStringDecoder::Flag::Stateless);
    const QString asCodePage936 = gb18030.decode(bytes);
    if (!gb18030.hasError() && !asCodePage936.contains(QChar::ReplacementCharacter))
        return controlsShown(asCodePage936);
    return controlsShown(Escaped(path));
}

QString NativePath::Escaped(const QString &path)
{
    if (!hasStrayBytes(path))
        return path;
    QString shown;
    for (qsizetype i = 0; i < path.size(); ++i) {
        if (isStrayByte(path, i))
            shown += QStringLiteral("\\x%1").arg(path.at(i).unicode() - kEscapeBase, 2, 16, QLatin1Char('0'));
        else
            shown += path.at(i);
    }
    return shown;
}

QByteArray NativePath::HexBytes(const QString &path)
{
    if (!hasStrayBytes(path))
        return QByteArray();
    return Encode(path).toHex();
}

int NativePath::Open(const QString &path, int flags, unsigned mode)
{
    const QByteArray name = Encode(path);
    int fd;
    do {
        fd = ::open(name.constData(), flags | O_CLOEXEC, mode);
    } while (fd < 0 && errno == EINTR);
    return fd;
}
