#pragma once

#include "output/SummaryWriter.h"

// The verdicts as RFC 4180 CSV, one line per fiber, one for a file without
// rows and, at the end, one for each path that could not be read (verdict
// "error", the message as its reason), under the header line
// file,fiber,verdict,rows,reason,worst_channel,worst_margin,failed_channels,path_bytes,marginal.
// Failed channels are separated by single blanks, a blank channel text
// kept as an empty item; a margin that is no finite number, or that the
// worst channel does not have, is left empty. path_bytes is empty where
// the path is UTF-8; marginal is true or false for a fiber judged with a
// warning margin, empty otherwise.
class SummaryCsvWriter : public SummaryWriter
{
public:
    void Begin(const Sink &out) const override;
    std::unique_ptr<FileReport> ReportFile(const QString &path, Sink out) const override;
    void Finish(const Run &run, const Sink &out) const override;

    // Appends a field as RFC 4180 wants it: in double quotes, with its
    // quotes doubled, when it holds a comma, a quote or a line break.
    static void AppendField(QByteArray &out, QByteArrayView utf8);
};
