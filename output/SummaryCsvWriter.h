#pragma once

#include "output/SummaryWriter.h"

// The verdicts as RFC 4180 CSV, one line per fiber (and one for a file
// without rows) under the header line
// file,fiber,verdict,rows,reason,worst_channel,worst_margin,failed_channels.
// Failed channels are separated by single blanks, a blank channel text
// kept as an empty item; a margin that is no finite number is left empty.
class SummaryCsvWriter : public SummaryWriter
{
public:
    void Begin(const Sink &out) const override;
    std::unique_ptr<FileReport> ReportFile(const QString &path, Sink out) const override;
    void Finish(const Run &, const Sink &) const override {}

    // Appends a field as RFC 4180 wants it: in double quotes, with its
    // quotes doubled, when it holds a comma, a quote or a line break.
    static void AppendField(QByteArray &out, QByteArrayView utf8);
};
