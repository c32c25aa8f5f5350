#include "output/LargeImage.h"

#include <cstdint>
#include <sys/mman.h>

namespace LargeImage {

namespace {

constexpr size_t kHugePage = size_t(2) << 20;

struct Mapping
{
    void *start;
    size_t length;
};

void unmap(void *info)
{
    const Mapping *mapping = static_cast<Mapping *>(info);
    ::munmap(mapping->start, mapping->length);
    delete mapping;
}

} // namespace

QImage Create(QSize size, QImage::Format format)
{
    const QImage probe(1, 1, format);
    const qsizetype bytesPerLine = qsizetype((size.width() * probe.depth() + 31) / 32 * 4);
    const size_t bytes = size_t(bytesPerLine) * size_t(qMax(0, size.height()));
    if (probe.isNull() || bytes == 0 || bytes < kHugePage)
        return QImage(size, format);
    // One huge page more, so that the image can start on a boundary of one.
    const size_t length = bytes + kHugePage;
    void *start = ::mmap(nullptr, length, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (start == MAP_FAILED)
        return QImage(size, format);
    const uintptr_t aligned = (uintptr_t(start) + kHugePage - 1) & ~uintptr_t(kHugePage - 1);
    ::madvise(reinterpret_cast<void *>(aligned), bytes, MADV_HUGEPAGE);
    return QImage(reinterpret_cast<uchar *>(aligned), size.width(), size.height(), bytesPerLine, format, unmap,
                  new Mapping{start, length});
}

} // namespace LargeImage
