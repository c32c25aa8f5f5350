#pragma once

#include <QByteArrayView>

#include <cstddef>

// Bytes as a hash's key, hashed by XXH3. Qt's own hash of short texts is
// many times slower, and a lot of a month hashes millions of fiber names.
// The key only views its bytes: they must outlive it.
struct TextKey
{
    QByteArrayView bytes;

    friend bool operator==(TextKey a, TextKey b) noexcept { return a.bytes == b.bytes; }
};

size_t qHash(TextKey key, size_t seed = 0) noexcept;
