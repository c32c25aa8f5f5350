#pragma once

#include <cstddef>

// Asks the kernel to back a large, not yet touched buffer with huge pages.
// A million-row table is hundreds of megabytes: with 4 KB pages, faulting
// them in costs more than cutting the rows. A hint only; harmless to ignore.
void AdviseHugePages(void *data, std::size_t bytes);

// Hands the heap's free memory back to the system, after a short-lived
// window (the print preview) let go of its page images: the heap keeps
// freed blocks of that size for reuse otherwise.
void ReleaseFreedMemory();
