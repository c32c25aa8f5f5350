#pragma once

#include "output/SummaryWriter.h"

// The verdicts as JSON Lines: one object per line, each complete in
// itself, so that a stream reader takes them one at a time. A line per
// fiber, {"file", "type": "fiber", then the members of a fiber in the JSON
// document}; a line per file after its fibers, {"file", "type": "file",
// "verdict", "fibers", "failed", "yield", "channels", "pareto"}; and at the end a
// line per path that could not be read, {"file", "type": "error",
// "message"}. A path that is not UTF-8 also has "path_bytes".
class SummaryJsonLinesWriter : public SummaryWriter
{
public:
    void Begin(const Sink &) const override {}
    std::unique_ptr<FileReport> ReportFile(const QString &path, Sink out) const override;
    void Finish(const Run &run, const Sink &out) const override;
};
