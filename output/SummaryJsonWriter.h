#pragma once

#include "output/SummaryWriter.h"

// The verdicts for tools, as one JSON document:
// {"files": [{"path", "fiber_results": [...], "verdict", "fibers",
// "failed", "yield", "channels": [...]}], "verdict", "errors": [{"path",
// "message"}]}. Written piece by piece, a fiber at a time, so that a file
// of a million rows never stands as a tree of values in memory; what sums
// up a file or the run comes after what it sums up.
class SummaryJsonWriter : public SummaryWriter
{
public:
    void Begin(const Sink &out) const override;
    std::unique_ptr<FileReport> ReportFile(const QString &path, Sink out) const override;
    QByteArrayView FileSeparator() const override { return ","; }
    void Finish(const Run &run, const Sink &out) const override;

    // Appends UTF-8 text as a JSON string, quoted and escaped.
    static void AppendString(QByteArray &out, QByteArrayView utf8);
};
