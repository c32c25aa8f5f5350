#include "output/CompareWriter.h"

#include "data/ChannelColumns.h"
#include "data/NativePath.h"
#include "output/JsonObject.h"
#include "output/SummaryCsvWriter.h"
#include "output/SummaryJsonWriter.h"
#include "output/SummaryWriter.h"
#include "output/Wording.h"

#include <QStringList>

#include <cmath>

namespace {

using Figures = ThresholdJudge::ChannelFigures;

// The figures each side lists of a channel, beside its count of powers.
const char *const kSideKeys[] = {"mean", "stddev", "cpk", "capability"};

const ChannelColumns::Column &columnOf(const char *key)
{
    return ChannelColumns::All().at(ChannelColumns::IndexOf(key));
}

void appendSide(JsonObject &channel, const char *key, const Figures *figures)
{
    QByteArray &out = channel.member(key);
    if (!figures) {
        out += "null";
        return;
    }
    JsonObject side(out);
    side.number("count", figures->powers);
    for (const char *figure : kSideKeys)
        SummaryJsonWriter::AppendColumn(side, columnOf(figure), *figures);
}

void appendP(JsonObject &object, const char *key, const std::optional<double> &p)
{
    object.value(key, p ? CompareWriter::PValue(*p) : QByteArray("null"));
}

// [low, high], or null where there is none.
void appendInterval(QByteArray &out, const std::optional<double> &low, const std::optional<double> &high)
{
    if (!low || !high) {
        out += "null";
        return;
    }
    out += '[';
    SummaryWriter::AppendDecimal(out, *low);
    out += ", ";
    SummaryWriter::AppendDecimal(out, *high);
    out += ']';
}

bool shifted(const Comparison::Channel &channel, double alpha)
{
    return channel.welchP && *channel.welchP < alpha;
}

void appendChannel(QByteArray &out, const Comparison::Channel &channel, double alpha)
{
    JsonObject object(out);
    object.string("channel", channel.channel);
    appendSide(object, "a", channel.a);
    appendSide(object, "b", channel.b);
    object.decimal("delta_mean", channel.deltaMean);
    appendInterval(object.member("delta_ci95"), channel.deltaLow, channel.deltaHigh);
    appendP(object, "welch_p", channel.welchP);
    object.decimal("ks", channel.ks);
    appendP(object, "ks_p", channel.ksP);
    object.value("shifted", shifted(channel, alpha) ? "true" : "false");
}

void appendMatched(QByteArray &out, const Comparison &comparison)
{
    JsonObject matched(out);
    matched.number("fibers", comparison.matched);
    {
        JsonObject agreement(matched.member("agreement"));
        agreement.number("pp", comparison.agreement.pp)
            .number("pf", comparison.agreement.pf)
            .number("fp", comparison.agreement.fp)
            .number("ff", comparison.agreement.ff);
    }
    matched.decimal("kappa", comparison.kappa);
    QByteArray &list = matched.member("channels");
    list += '[';
    for (const Comparison::Paired &paired : comparison.paired) {
        if (list.back() != '[')
            list += ", ";
        JsonObject object(list);
        object.string("channel", paired.channel).number("fibers", paired.pairs);
        object.decimal("paired_delta_mean", paired.mean);
        appendInterval(object.member("paired_ci95"), paired.low, paired.high);
    }
    list += ']';
}

void appendSideObject(JsonObject &top, const char *key, const CompareWriter::Side &side)
{
    JsonObject object(top.member(key));
    object.path("path", side.path);
    object.value("lot", side.lot ? "true" : "false");
    object.number("files", side.files).number("unread", side.unread).number("fibers", side.fibers);
}

QString decimalText(const std::optional<double> &value, int decimals)
{
    return value ? QString::number(*value, 'f', decimals) : QStringLiteral("-");
}

QString columnText(const Figures *figures, const char *key)
{
    if (!figures)
        return QStringLiteral("-");
    const ChannelColumns::Column &column = columnOf(key);
    const std::optional<double> value = column.get(*figures);
    if (column.kind == ChannelColumns::Kind::Capability)
        return value ? Wording::Capability(*value) : QStringLiteral("-");
    return decimalText(value, column.decimals);
}

QString pText(const std::optional<double> &p)
{
    return p ? QString::number(*p, 'g', 3) : QStringLiteral("-");
}

} // namespace

QByteArray CompareWriter::PValue(double p)
{
    if (!std::isfinite(p))
        return "null";
    return QByteArray::number(p, 'g', 6);
}

QString CompareWriter::Shift(const std::optional<double> &delta)
{
    return delta ? QString::asprintf("%+.*f", ShiftDecimals, *delta) : QStringLiteral("-");
}

QString CompareWriter::Interval(const std::optional<double> &low, const std::optional<double> &high)
{
    if (!low || !high)
        return QStringLiteral("-");
    return QStringLiteral("[%1, %2]")
        .arg(QString::number(*low, 'f', ShiftDecimals), QString::number(*high, 'f', ShiftDecimals));
}

QString CompareWriter::SideLine(const char *letter, const Side &side)
{
    QStringList counts;
    if (side.lot)
        counts.append(side.files == 1 ? tr("1 file") : tr("%1 files").arg(side.files));
    if (side.unread > 0)
        counts.append(tr("%1 unread").arg(side.unread));
    counts.append(side.fibers == 1 ? tr("1 fiber") : tr("%1 fibers").arg(side.fibers));
    return QStringLiteral("%1: %2 (%3)")
        .arg(QLatin1String(letter), NativePath::Display(side.path), counts.join(QLatin1String(", ")));
}

QByteArray CompareWriter::Json(const Side &a, const Side &b, const Comparison &comparison, double alpha)
{
    QByteArray out;
    {
        JsonObject top(out);
        appendSideObject(top, "a", a);
        appendSideObject(top, "b", b);
        top.decimal("alpha", alpha);
        QByteArray &channels = top.member("channels");
        channels += '[';
        for (const Comparison::Channel &channel : comparison.channels) {
            if (channels.back() != '[')
                channels += ", ";
            appendChannel(channels, channel, alpha);
        }
        channels += ']';
        appendMatched(top.member("matched"), comparison);
        QByteArray &notes = top.member("notes");
        notes += '[';
        for (const QString &note : comparison.notes) {
            if (notes.back() != '[')
                notes += ", ";
            JsonObject::AppendString(notes, note.toUtf8());
        }
        notes += ']';
    }
    return out + '\n';
}

QByteArray CompareWriter::Csv(const Comparison &comparison, double alpha)
{
    QByteArray out = "channel,a_count,a_mean,a_stddev,a_cpk,a_capability,b_count,b_mean,b_stddev,b_cpk,b_capability,"
                     "delta_mean,delta_ci95_low,delta_ci95_high,welch_p,ks,ks_p,shifted,"
                     "paired_fibers,paired_delta_mean,paired_ci95_low,paired_ci95_high\r\n";
    const auto decimal = [&out](const std::optional<double> &value) {
        out += ',';
        if (value)
            SummaryWriter::AppendDecimal(out, *value);
    };
    const auto side = [&](const Figures *figures) {
        out += ',';
        if (figures)
            out += QByteArray::number(figures->powers);
        for (const char *key : kSideKeys) {
            if (!figures) {
                out += ',';
                continue;
            }
            const ChannelColumns::Column &column = columnOf(key);
            if (column.kind == ChannelColumns::Kind::Capability) {
                const std::optional<double> value = column.get(*figures);
                out += ',';
                if (value)
                    out += Wording::CapabilityUtf8(*value);
            } else {
                decimal(column.get(*figures));
            }
        }
    };
    for (const Comparison::Channel &channel : comparison.channels) {
        SummaryCsvWriter::AppendField(out, channel.channel);
        side(channel.a);
        side(channel.b);
        decimal(channel.deltaMean);
        decimal(channel.deltaLow);
        decimal(channel.deltaHigh);
        out += ',' + (channel.welchP ? PValue(*channel.welchP) : QByteArray());
        decimal(channel.ks);
        out += ',' + (channel.ksP ? PValue(*channel.ksP) : QByteArray());
        out += shifted(channel, alpha) ? ",true" : ",false";
        for (const Comparison::Paired &paired : comparison.paired) {
            if (paired.channel != channel.channel)
                continue;
            out += ',' + QByteArray::number(paired.pairs);
            decimal(paired.mean);
            decimal(paired.low);
            decimal(paired.high);
        }
        out += "\r\n";
    }
    return out;
}

QByteArray CompareWriter::Text(const Side &a, const Side &b, const Comparison &comparison, double alpha)
{
    QStringList lines{SideLine("A", a), SideLine("B", b), QString()};
    const QString row = QStringLiteral("%1 %2 %3 %4 %5 %6 | %7 %8 %9 %10 %11 | %12 %13 %14 %15 %16");
    lines.append(row.arg(tr("Channel"), -8)
                     .arg(tr("A n"), 7).arg(tr("mean"), 8).arg(tr("sd"), 6).arg(tr("Cpk"), 6).arg(QString(), -4)
                     .arg(tr("B n"), 7).arg(tr("mean"), 8).arg(tr("sd"), 6).arg(tr("Cpk"), 6).arg(QString(), -4)
                     .arg(tr("shift"), 7).arg(tr("95 % interval"), -18).arg(tr("Welch p"), 9).arg(tr("KS"), 5)
                     .arg(tr("KS p"), 9));
    const auto count = [](const Figures *figures) {
        return figures ? QString::number(figures->powers) : QStringLiteral("-");
    };
    for (const Comparison::Channel &c : comparison.channels) {
        const QString mark = shifted(c, alpha) ? QStringLiteral(" *") : QString();
        lines.append(row.arg(QString::fromUtf8(c.channel), -8)
                         .arg(count(c.a), 7).arg(columnText(c.a, "mean"), 8).arg(columnText(c.a, "stddev"), 6)
                         .arg(columnText(c.a, "cpk"), 6).arg(columnText(c.a, "capability"), -4)
                         .arg(count(c.b), 7).arg(columnText(c.b, "mean"), 8).arg(columnText(c.b, "stddev"), 6)
                         .arg(columnText(c.b, "cpk"), 6).arg(columnText(c.b, "capability"), -4)
                         .arg(Shift(c.deltaMean), 7).arg(Interval(c.deltaLow, c.deltaHigh), -18)
                         .arg(pText(c.welchP), 9).arg(decimalText(c.ks, 3), 5).arg(pText(c.ksP), 9)
                     + mark);
    }
    lines.append(tr("* shifted: Welch p below %1").arg(alpha));
    lines.append(QString());
    const Comparison::Agreement &agreement = comparison.agreement;
    lines.append(tr("Matched fibers: %1; verdicts (A/B) pass/pass %2, pass/fail %3, fail/pass %4, fail/fail %5; "
                    "kappa %6")
                     .arg(comparison.matched)
                     .arg(agreement.pp).arg(agreement.pf).arg(agreement.fp).arg(agreement.ff)
                     .arg(decimalText(comparison.kappa, 3)));
    if (comparison.matched > 0) {
        lines.append(QStringLiteral("%1 %2 %3 %4").arg(tr("Channel"), -8).arg(tr("fibers"), 7).arg(tr("paired"), 7)
                         .arg(tr("95 % interval")));
        for (const Comparison::Paired &paired : comparison.paired)
            lines.append(QStringLiteral("%1 %2 %3 %4")
                             .arg(QString::fromUtf8(paired.channel), -8)
                             .arg(paired.pairs, 7)
                             .arg(Shift(paired.mean), 7)
                             .arg(Interval(paired.low, paired.high)));
    }
    for (const QString &note : comparison.notes)
        lines.append(tr("Note: %1").arg(note));
    return lines.join(QLatin1Char('\n')).toUtf8() + '\n';
}
