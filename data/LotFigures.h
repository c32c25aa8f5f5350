#pragma once

#include <QBitArray>
#include <QByteArray>
#include <QList>

class FileSummary;

// The figures of a lot: many result files of one station taken together.
//
// A fiber is known by its name; one that was measured more than once (in
// several files, or twice in one) is a retest and counts once, with its
// latest result: the one of the latest date and time, of equal times the
// one of the later file in the lot's order, of one file the later in it.
// A time that cannot be read is earlier than any that can. Its first
// result is the earliest by the same order: whether it passed the first
// time, before any repair. A fiber with a
// blank name is no fiber known by name: each such counts on its own.
struct LotFigures
{
    qsizetype files = 0;   // read and judged
    qsizetype unread = 0;  // that could not be read, counted apart
    qsizetype results = 0; // fibers judged in all files, retests each time
    qsizetype fibers = 0;  // fibers counted once
    qsizetype passed = 0;  // of those, whose latest result passed
    qsizetype firstPassed = 0; // of those, whose first result passed
    qsizetype retested = 0;       // fibers measured more than once
    qsizetype retestedPassed = 0; // of those, whose latest result passed
    // The channel where most fibers failed, over every file (each file's
    // Pareto added up, a retest's failures each time they happened; of
    // equal counts the channel met first); empty where none failed.
    QByteArray failingChannel;
    qsizetype failingChannelFibers = 0;

    // The figures of `summaries`, in the lot's order, and of `unread` files.
    static LotFigures Of(const QList<const FileSummary *> &summaries, qsizetype unread);

    // The yields of the fibers a file measured first: how many, how many
    // of them passed then, and how many passed at their latest result
    // (in this file or a later one).
    struct FileYield
    {
        qsizetype fibers = 0;
        qsizetype firstPassed = 0;
        qsizetype finalPassed = 0;
    };
    static QList<FileYield> FileYields(const QList<const FileSummary *> &summaries);

    // The results the lot counts: for each file, a bit for each of its
    // fibers, set where that result is its fiber's latest.
    static QList<QBitArray> Latest(const QList<const FileSummary *> &summaries);
};
