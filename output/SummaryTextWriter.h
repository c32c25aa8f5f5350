#pragma once

#include "output/SummaryWriter.h"

// The verdicts for people: per file a line with its path, PASS or FAIL, the
// fibers that passed of all and the yield, then a line for each failing
// fiber with its worst channel; a last line for all files together. Columns
// are aligned; PASS and FAIL are coloured where asked.
class SummaryTextWriter : public SummaryWriter
{
public:
    explicit SummaryTextWriter(bool colour) : m_colour(colour) {}

    std::unique_ptr<FileReport> ReportFile(const QString &path, qint64 size) const override;
    void Write(const FileReports &reports, const Totals &totals, const QList<PathError> &errors,
               const Sink &out) const override;

private:
    QString verdict(bool passed) const;

    bool m_colour;
};
