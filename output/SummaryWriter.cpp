#include "output/SummaryWriter.h"

#include "data/CodePage936.h"
#include "output/SummaryCsvWriter.h"
#include "output/SummaryJsonWriter.h"
#include "output/SummaryTextWriter.h"

#include <algorithm>
#include <charconv>
#include <cmath>

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

bool SummaryWriter::Passed(const Totals &totals, const QList<PathError> &errors)
{
    return errors.isEmpty() && totals.files > 0 && totals.failedFiles == 0;
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

void SummaryWriter::AppendDecimal(QByteArray &out, double value)
{
    // The file's texts have two places; six keep every sum and mean exact
    // enough while leaving out what binary fractions add (12.659999999...).
    double rounded = std::round(value * 1e6) / 1e6;
    if (rounded == 0)
        rounded = 0; // no "-0"
    // The shortest digits that read back as the same number, without an
    // exponent and whatever the locale.
    char text[64];
    const std::to_chars_result end =
        std::to_chars(text, text + sizeof text, rounded, std::chars_format::fixed);
    out.append(text, end.ptr - text);
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
