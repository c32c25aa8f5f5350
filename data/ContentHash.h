#pragma once

#include <QtGlobal>

#include <memory>

// A fast 64-bit hash (XXH3) of a file's bytes, taken block by block as
// the file is read, so that telling two versions of a file apart costs no
// read of its own.
class ContentHash
{
public:
    ContentHash();
    ~ContentHash();
    ContentHash(const ContentHash &) = delete;
    ContentHash &operator=(const ContentHash &) = delete;

    void Add(const char *bytes, qsizetype size);
    // A run of `size` zero bytes that was never read (a sparse file's
    // hole), hashed as the zero bytes it reads as, so that the value is
    // that of the content whether or not the file system tells holes.
    void AddZeros(qint64 size);
    quint64 Value() const;

private:
    struct State;
    std::unique_ptr<State> m_state;
};
