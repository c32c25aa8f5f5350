#pragma once

#include "data/TableBlocks.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <atomic>
#include <functional>

class QIODevice;

// The two texts of a result file: the five header lines (with their line
// feeds) and everything after them, the channel table.
struct ResultFileText
{
    QByteArray header;
    QByteArray table;
};

// Reads a result file for reading only, as a text-mode stream would deliver
// it (CR LF becomes LF, a byte 0x1A ends the input, zero bytes are dropped),
// and splits it after the fifth counted line feed. Memory follows the text,
// not the file's raw size. On failure (a file whose text does not fit in
// memory included) returns false with a message naming the file and the
// reason, and leaves `text` untouched. Gives up, false without a message,
// once `stop` is set; `progress` hears of the raw bytes read so far and the
// file's size (0 for a stream) after every block.
//
// With `wait`, a FIFO or a character device, which may have nothing to give
// for as long as no one writes, is opened without waiting for a writer and
// read only once `wait` (given its descriptor) has returned true: there is
// something to read, or its end. False gives the read up. Without `wait`,
// such a file is opened and read as any other, waiting in the system.
using ReadProgress = std::function<void(qint64 done, qint64 size)>;
using StreamWait = std::function<bool(int fd)>;
bool ReadResultFile(const QString &path, ResultFileText &text, QString *error = nullptr,
                    const std::atomic<bool> *stop = nullptr, const ReadProgress &progress = {},
                    const StreamWait &wait = {});

// The same translation and split over bytes already in memory.
ResultFileText SplitResultText(QByteArray bytes);

// Receives the table text piece by piece, in order; returns false to stop.
using TableConsumer = std::function<bool(QByteArrayView piece)>;

constexpr qsizetype ResultFileBlockSize = qsizetype(1) << 20;

// Which kinds of file a read takes: any (a file named by the user may be a
// FIFO or a device), or regular files alone (a file met in a folder), where
// anything else is refused without ever being waited on.
enum class FileKinds { Any, RegularOnly };

// Reads a result file as ReadResultFile does, `blockSize` raw bytes at a
// time, and hands the table text to `consume` as it comes, holding neither
// the header nor the table. The holes of a sparse file are passed over, and
// `stop` is looked at before every block, so that input that never gives
// table text (an endless run of zero bytes) can still be stopped. Returns
// false when the file cannot be read (with a message in `error`), when
// `consume` stopped it or once `stop` is set. `header`, when given, gets
// the header text (empty for a file of fewer than five lines);
// `contentHash`, when given, the ContentHash of every byte of the file, read
// to its very end.
bool ReadResultTable(const QString &path, const TableConsumer &consume, QString *error = nullptr,
                     qsizetype blockSize = ResultFileBlockSize,
                     const std::atomic<bool> *stop = nullptr, FileKinds kinds = FileKinds::Any,
                     QByteArray *header = nullptr, quint64 *contentHash = nullptr);

// The ContentHash of the regular file at `path`, as ReadResultTable gives
// it, without cutting its text. False with a message when it cannot be read.
bool HashFile(const QString &path, quint64 *contentHash, QString *error = nullptr,
              const std::atomic<bool> *stop = nullptr);

// The same from a device open for reading; `error` names the device's file
// name, if it has one.
bool ReadResultTable(QIODevice &device, const TableConsumer &consume, QString *error = nullptr,
                     qsizetype blockSize = ResultFileBlockSize,
                     const std::atomic<bool> *stop = nullptr);

// ReadResultTable cut into rows as it comes, handed on a fiber block at a
// time (see TableBlocks): the memory a file needs follows its rows, never
// its size. False as ReadResultTable, or when `handle` refused a block.
bool ReadResultBlocks(const QString &path, const TableBlocks::BlockHandler &handle,
                      QString *error = nullptr, const std::atomic<bool> *stop = nullptr,
                      FileKinds kinds = FileKinds::Any, QByteArray *header = nullptr,
                      quint64 *contentHash = nullptr);
