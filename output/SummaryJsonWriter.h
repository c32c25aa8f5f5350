#pragma once

#include "output/SummaryWriter.h"

// The verdicts for tools, as one JSON document:
// {"verdict", "files": [{"path", "verdict", "fibers", "failed", "yield",
// "fiber_results": [...], "channels": [...]}], "errors": [{"path",
// "message"}]}. Written piece by piece, a fiber at a time, so that a file
// of a million rows never stands as a tree of values in memory.
class SummaryJsonWriter : public SummaryWriter
{
public:
    std::unique_ptr<FileReport> ReportFile(const QString &path, qint64 size) const override;
    void Write(const FileReports &reports, const Totals &totals, const QList<PathError> &errors,
               const Sink &out) const override;
};
