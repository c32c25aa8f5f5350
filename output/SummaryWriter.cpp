#include "output/SummaryWriter.h"

#include "data/CodePage936.h"
#include "output/SummaryCsvWriter.h"
#include "output/SummaryJsonWriter.h"
#include "output/SummaryTextWriter.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

namespace {

// Pieces smaller than this wait for more before they are written.
constexpr qsizetype kFlushSize = qsizetype(1) << 16;

} // namespace

std::unique_ptr<SummaryWriter> SummaryWriter::Create(Format format, bool colour)
{
    switch (format) {
    case Json:
        return std::make_unique<SummaryJsonWriter>();
    case Csv:
        return std::make_unique<SummaryCsvWriter>();
    case Text:
        break;
    }
    return std::make_unique<SummaryTextWriter>(colour);
}

void SummaryWriter::FileReport::Flush(bool all)
{
    if (m_buffer.isEmpty() || (!all && m_buffer.size() < kFlushSize))
        return;
    m_out(m_buffer);
    m_buffer.clear(); // keeps its capacity for the next piece
}

bool SummaryWriter::Passed(const Run &run)
{
    return run.errors.isEmpty() && run.totals.files > 0 && run.totals.failedFiles == 0;
}

QString SummaryWriter::FieldText(QByteArrayView field)
{
    return CodePage936::Decode(field).trimmed();
}

QByteArrayView SummaryWriter::FieldUtf8(QByteArrayView field, QByteArray &decoded)
{
    const QByteArrayView trimmed = field.trimmed();
    if (std::all_of(trimmed.begin(), trimmed.end(), [](char c) { return quint8(c) < 0x80; }))
        return trimmed;
    decoded = FieldText(field).toUtf8();
    return decoded;
}

bool SummaryWriter::AppendDecimal(QByteArray &out, double value)
{
    if (!std::isfinite(value))
        return false;
    char text[64];
    std::to_chars_result end;
    if (std::fabs(value) < 1e15) {
        // Rounded to six places from the exact binary value, then the
        // shortest digits that read back as that rounded number: the file's
        // texts have two places, and six keep every sum and mean exact
        // enough while leaving out what binary fractions add (12.659999...).
        end = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 6);
        double rounded = 0;
        if (end.ec != std::errc() || std::from_chars(text, end.ptr, rounded).ec != std::errc())
            return false;
        if (rounded == 0)
            rounded = 0; // no "-0"
        end = std::to_chars(text, text + sizeof text, rounded, std::chars_format::fixed);
    } else {
        // Past fifteen digits a double holds no places at all: the shortest
        // exponent form that reads back as the very same number.
        end = std::to_chars(text, text + sizeof text, value, std::chars_format::scientific);
    }
    if (end.ec != std::errc())
        return false;
    out.append(text, end.ptr - text);
    return true;
}

QString SummaryWriter::Reasons(ThresholdJudge::Failures failures)
{
    static const struct
    {
        ThresholdJudge::Failure failure;
        const char *text;
    } kReasons[] = {
        {ThresholdJudge::Incomplete, QT_TR_NOOP("incomplete")},
        {ThresholdJudge::BelowThreshold, QT_TR_NOOP("below threshold")},
        {ThresholdJudge::Low, QT_TR_NOOP("Low")},
        {ThresholdJudge::NoNumber, QT_TR_NOOP("no number")},
    };
    QStringList reasons;
    for (const auto &reason : kReasons) {
        if (failures.testFlag(reason.failure))
            reasons.append(tr(reason.text));
    }
    return reasons.join(QLatin1String(", "));
}

QByteArrayView SummaryWriter::ReasonsUtf8(ThresholdJudge::Failures failures)
{
    // Four reasons make sixteen sets; each is written once per run, not
    // once per failing fiber.
    static const std::array<QByteArray, 16> kTexts = [] {
        std::array<QByteArray, 16> texts;
        for (int set = 0; set < 16; ++set)
            texts[size_t(set)] = Reasons(ThresholdJudge::Failures::fromInt(set)).toUtf8();
        return texts;
    }();
    return kTexts[size_t(failures.toInt() & 15)];
}

qint64 SummaryWriter::YieldMillionths(qsizetype fibers, qsizetype failed)
{
    if (fibers <= 0)
        return 0;
    return qint64(fibers - failed) * 1000000 / qint64(fibers);
}
