#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <optional>

// A JSON object on one line, its members appended in place as they come:
// a file of a million rows has tens of thousands of them, and none is ever
// held as a tree of values. The object closes when this goes.
class JsonObject
{
public:
    explicit JsonObject(QByteArray &out) : m_out(out) { m_out += '{'; }
    // An object that starts with members already made: `opened` is its
    // text up to them, the brace that closes it still to come.
    JsonObject(QByteArray &out, QByteArrayView opened) : m_out(out), m_empty(false) { m_out += opened; }
    ~JsonObject() { m_out += '}'; }
    JsonObject(const JsonObject &) = delete;
    JsonObject &operator=(const JsonObject &) = delete;

    // A member whose value is JSON text already.
    JsonObject &value(const char *key, QByteArrayView json);
    JsonObject &number(const char *key, qsizetype value);
    // A number, or null where there is none or it is not finite.
    JsonObject &decimal(const char *key, const std::optional<double> &value);
    JsonObject &string(const char *key, QByteArrayView utf8);
    // A field of a result file, decoded and trimmed.
    JsonObject &field(const char *key, QByteArrayView field);
    // "path", and "path_bytes" where the name is not UTF-8, under `key`.
    JsonObject &path(const char *key, const QString &path);
    // The name of a member whose value the caller appends next.
    QByteArray &member(const char *key);

    // Appends UTF-8 text as a JSON string, quoted and escaped.
    static void AppendString(QByteArray &out, QByteArrayView utf8);

private:
    QByteArray &m_out;
    bool m_empty = true;
};
