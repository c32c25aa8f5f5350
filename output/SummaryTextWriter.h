#pragma once

#include "output/SummaryWriter.h"

// The verdicts for people. While the files are judged: for each file with a
// failing or marginal fiber (or none at all), its path and a line per such
// fiber with its reasons, or "PASS (marginal)", and its worst channel. At
// the end, a table: a line per file with PASS, PASS (marginal) or FAIL, the
// fibers that passed of all, the yield and, with a warning margin, the
// marginal fibers; a line for all files together, and what could not be
// read. Columns line up as a
// terminal draws them; no text from a file or a name can drive the
// terminal; PASS and FAIL are coloured where asked.
class SummaryTextWriter : public SummaryWriter
{
    Q_DECLARE_TR_FUNCTIONS(SummaryTextWriter)

public:
    explicit SummaryTextWriter(bool colour) : m_colour(colour) {}

    void Begin(const Sink &) const override {}
    std::unique_ptr<FileReport> ReportFile(const QString &path, Sink out) const override;
    void Finish(const Run &run, const Sink &out) const override;

    // Appends a margin in dB as the text shows it: two places and a sign
    // ("+0.50 dB", "-1.25 dB"; "-0.00 dB" for a margin below 0 that rounds to
    // nothing, for it fails), the shortest exponent form where two places
    // would run past fifteen digits, and words where it is too large for
    // any number.
    static void AppendMargin(QByteArray &out, double margin);

private:
    QString verdict(bool passed, bool marginal, qsizetype width) const;
    static QString fibersText(qsizetype fibers, qsizetype failed);
    static QString yieldText(qsizetype fibers, qsizetype failed);
    static QString unreadText(const Run &run);
    static QString failingPathsText(const Run &run);

    bool m_colour;
};
