#pragma once

#include "data/MeasurementRows.h"
#include "data/ResultFile.h"

#include <QString>

#include <atomic>
#include <functional>

// Reads a result file fiber by fiber, as ReadResultBlocks does, with the
// reading and the cutting into rows done on a thread of its own a few
// thousand fibers ahead: the caller's thread spends its time on the fibers
// alone. Each fiber's rows are handed on in place, in the rows of the
// chunk that holds them; only a few chunks are held at a time, so memory
// stays flat whatever the file's size.
class FiberReader
{
public:
    // Gets the `count` rows of one fiber from `first` on in `rows` (18, or
    // fewer for a last, incomplete fiber); they hold until the handler
    // returns. Returns false to stop.
    using FiberHandler = std::function<bool(const MeasurementRows &rows, qsizetype first, qsizetype count)>;

    // False when the file cannot be read (with a message in `error`), when
    // `handle` stopped it, or once `stop` is set. `contentHash`, when given,
    // gets the hash of the file's bytes, and `header` its header text (see
    // ReadResultTable).
    static bool Read(const QString &path, const FiberHandler &handle, QString *error = nullptr,
                     const std::atomic<bool> *stop = nullptr, FileKinds kinds = FileKinds::Any,
                     quint64 *contentHash = nullptr, QByteArray *header = nullptr);
};
