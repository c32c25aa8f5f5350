#include "data/TextKey.h"

#include <xxhash.h>

size_t qHash(TextKey key, size_t seed) noexcept
{
    return size_t(XXH3_64bits_withSeed(key.bytes.data(), size_t(key.bytes.size()), XXH64_hash_t(seed)));
}
