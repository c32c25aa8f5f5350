#include "output/JsonObject.h"

#include "data/NativePath.h"
#include "output/SummaryWriter.h"

#include <charconv>
#include <cstring>

JsonObject &JsonObject::value(const char *key, QByteArrayView json)
{
    member(key) += json;
    return *this;
}

JsonObject &JsonObject::number(const char *key, qsizetype value)
{
    char text[24];
    const std::to_chars_result end = std::to_chars(text, text + sizeof text, value);
    member(key).append(text, end.ptr - text);
    return *this;
}

JsonObject &JsonObject::decimal(const char *key, const std::optional<double> &value)
{
    QByteArray &out = member(key);
    if (!value || !SummaryWriter::AppendDecimal(out, *value))
        out += "null";
    return *this;
}

JsonObject &JsonObject::string(const char *key, QByteArrayView utf8)
{
    AppendString(member(key), utf8);
    return *this;
}

JsonObject &JsonObject::field(const char *key, QByteArrayView field)
{
    QByteArray decoded;
    return string(key, SummaryWriter::FieldUtf8(field, decoded));
}

JsonObject &JsonObject::path(const char *key, const QString &path)
{
    string(key, NativePath::Escaped(path).toUtf8());
    if (const QByteArray bytes = NativePath::HexBytes(path); !bytes.isEmpty())
        string("path_bytes", bytes);
    return *this;
}

QByteArray &JsonObject::member(const char *key)
{
    // In one piece: a file's fibers make hundreds of thousands of members.
    const size_t length = std::strlen(key);
    char piece[80];
    char *p = piece;
    if (!m_empty) {
        *p++ = ',';
        *p++ = ' ';
    }
    m_empty = false;
    *p++ = '"';
    if (length > sizeof piece - 6) {
        m_out.append(piece, p - piece);
        m_out.append(key, qsizetype(length));
        return m_out.append("\": ", 3);
    }
    std::memcpy(p, key, length);
    p += length;
    *p++ = '"';
    *p++ = ':';
    *p++ = ' ';
    return m_out.append(piece, p - piece);
}

void JsonObject::AppendString(QByteArray &out, QByteArrayView utf8)
{
    out += '"';
    // Runs of characters that need no escape go in whole.
    const char *run = utf8.begin();
    for (const char *p = utf8.begin(); p != utf8.end(); ++p) {
        const char c = *p;
        if (c != '"' && c != '\\' && quint8(c) >= 0x20)
            continue;
        out.append(run, p - run);
        run = p + 1;
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default: {
            static const char kHex[] = "0123456789abcdef";
            const char escape[] = {'\\', 'u', '0', '0', kHex[quint8(c) >> 4], kHex[quint8(c) & 15]};
            out.append(escape, sizeof escape);
        }
        }
    }
    out.append(run, utf8.end() - run);
    out += '"';
}
