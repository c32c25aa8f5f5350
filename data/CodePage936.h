#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// The texts of result files are bytes of code page 936 (read as its
// superset GB18030). They are kept as bytes everywhere; only what is shown
// is decoded, and only what the user types is encoded.
namespace CodePage936 {

// The text the bytes show. Safe to call from several threads at once.
QString Decode(QByteArrayView bytes);

// The bytes of a text typed by the user.
QByteArray Encode(QStringView text);

// The longest start of `bytes` of at most `limit` bytes that ends between
// two characters (one, two or four bytes each), so that a cut never leaves
// half a character behind. A byte that starts no valid character counts as
// a character of its own.
QByteArray Cut(const QByteArray &bytes, qsizetype limit);

} // namespace CodePage936
