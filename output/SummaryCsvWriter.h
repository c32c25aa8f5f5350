#pragma once

#include "output/SummaryWriter.h"

// The verdicts as RFC 4180 CSV, one line per fiber (and one for a file
// without rows) under the header line
// file,fiber,verdict,rows,reason,worst_channel,worst_margin,failed_channels.
// Failed channels are separated by blanks.
class SummaryCsvWriter : public SummaryWriter
{
public:
    std::unique_ptr<FileReport> ReportFile(const QString &path, qint64 size) const override;
    void Write(const FileReports &reports, const Totals &totals, const QList<PathError> &errors,
               const Sink &out) const override;

    // Appends a field as RFC 4180 wants it: in double quotes, with its
    // quotes doubled, when it holds a comma, a quote or a line break.
    static void AppendField(QByteArray &out, QByteArrayView utf8);
};
