#include "lot/ControlWriter.h"

#include "data/NativePath.h"
#include "lot/LotModel.h"
#include "output/JsonObject.h"
#include "output/TerminalText.h"

namespace {

const char *seriesOf(LotControl::Kind kind)
{
    switch (kind) {
    case LotControl::Yield:
        return "yield";
    case LotControl::MarginMean:
        return "margin_mean";
    case LotControl::Cpk:
        break;
    }
    return "cpk";
}

// The first stage's limits, or null.
void limitsMembers(JsonObject &object, const LotControl::Chart &chart)
{
    const LotControl::Stage *stage = chart.stages.isEmpty() ? nullptr : &chart.stages.first();
    const std::optional<ControlLimits> &limits = stage ? stage->limits : std::nullopt;
    object.decimal("centre", limits ? std::optional(limits->centre) : std::nullopt)
        .decimal("lower", limits ? std::optional(limits->lower) : std::nullopt)
        .decimal("upper", limits ? std::optional(limits->upper) : std::nullopt)
        .decimal("sigma", limits ? std::optional(limits->sigma) : std::nullopt)
        .number("baseline_files", stage ? stage->baselineTo - stage->baselineFrom : 0);
}

QByteArray limitsObject(const LotControl::Chart &chart)
{
    QByteArray out;
    {
        JsonObject object(out);
        limitsMembers(object, chart);
    }
    return out;
}

QString timeOf(const LotModel &lot, qsizetype file)
{
    const QByteArray iso = RowTime::Iso(lot.FileAt(int(file)).FirstTime());
    return iso.isEmpty() ? QStringLiteral("-") : QString::fromLatin1(iso).replace(QLatin1Char('T'), QLatin1Char(' '));
}

void alarmMembers(JsonObject &object, const LotModel &lot, const LotControl::Alarm &alarm)
{
    object.string("series", seriesOf(alarm.kind));
    if (alarm.channel.isEmpty())
        object.value("channel", "null");
    else
        object.string("channel", alarm.channel);
    if (alarm.rule > 0)
        object.number("rule", alarm.rule);
    else
        object.string("rule", "cpk");
    object.string("rule_text", LotControl::RuleText(alarm.rule).toUtf8());
    // A name that is not UTF-8 has its bytes beside it: "file_bytes",
    // "raised_file_bytes".
    const auto place = [&](const char *fileKey, const char *timeKey, qsizetype file) {
        const QString &path = lot.FileAt(int(file)).path;
        object.string(fileKey, NativePath::Escaped(path).toUtf8());
        if (const QByteArray bytes = NativePath::HexBytes(path); !bytes.isEmpty())
            object.string(QByteArray(fileKey).append("_bytes").constData(), bytes);
        const QByteArray iso = RowTime::Iso(lot.FileAt(int(file)).FirstTime());
        if (iso.isEmpty())
            object.value(timeKey, "null");
        else
            object.string(timeKey, iso);
    };
    place("file", "time", alarm.first);
    place("raised_file", "raised_time", alarm.raised);
    object.decimal("value", alarm.value);
}

} // namespace

QByteArray ControlWriter::YieldControl(const LotControl::Result &control)
{
    const LotControl::Chart *chart = LotControl::ChartOf(control, LotControl::Yield, {});
    return chart ? limitsObject(*chart) : QByteArray("null");
}

QByteArray ControlWriter::JsonMembers(const LotModel &lot, const LotControl::Result &control, bool alarms)
{
    QByteArray out = "\"control\": {";
    bool first = true;
    for (const LotControl::Chart &chart : control.charts) {
        if (chart.kind != LotControl::MarginMean)
            continue;
        out += first ? "" : ", ";
        first = false;
        JsonObject::AppendString(out, chart.channel);
        out += ": ";
        JsonObject object(out);
        limitsMembers(object, chart);
        if (const LotControl::Chart *cpk = LotControl::ChartOf(control, LotControl::Cpk, chart.channel))
            object.value("cpk", limitsObject(*cpk));
    }
    out += '}';
    if (alarms) {
        out += ",\n  \"alarms\": [";
        for (qsizetype i = 0; i < control.alarms.size(); ++i)
            out += (i ? ",\n    " : "\n    ") + Alarm(lot, control.alarms.at(i));
        out += control.alarms.isEmpty() ? "]" : "\n  ]";
    }
    out += alarms ? ",\n  \"control_notes\": [" : ", \"control_notes\": [";
    for (qsizetype i = 0; i < control.notes.size(); ++i) {
        out += i ? ", " : "";
        JsonObject::AppendString(out, control.notes.at(i).toUtf8());
    }
    return out + ']';
}

QByteArray ControlWriter::Alarm(const LotModel &lot, const LotControl::Alarm &alarm, const char *type)
{
    QByteArray out;
    if (type) {
        JsonObject object(out, QByteArray("{\"type\": \"") + type + '"');
        alarmMembers(object, lot, alarm);
    } else {
        JsonObject object(out);
        alarmMembers(object, lot, alarm);
    }
    return out;
}

QString ControlWriter::Sentence(const LotModel &lot, const LotControl::Alarm &alarm)
{
    const QString series = alarm.channel.isEmpty()
        ? LotControl::KindText(alarm.kind)
        : tr("channel %1 %2").arg(QString::fromUtf8(alarm.channel), LotControl::KindText(alarm.kind));
    return tr("%1, %2, from %3 %4; raised at %5 (%6)")
        .arg(series, LotControl::RuleText(alarm.rule), timeOf(lot, alarm.first),
             NativePath::Display(lot.FileAt(int(alarm.first)).path), timeOf(lot, alarm.raised))
        .arg(alarm.value, 0, 'f', 2);
}

QString ControlWriter::Text(const LotModel &lot, const LotControl::Result &control)
{
    QString out;
    for (const QString &note : control.notes)
        out += TerminalText::Escaped(note) + QLatin1Char('\n');
    out += control.alarms.isEmpty() ? tr("alarms: none") + QLatin1Char('\n')
                                    : tr("alarms: %1").arg(control.alarms.size()) + QLatin1Char('\n');
    for (const LotControl::Alarm &alarm : control.alarms)
        out += QLatin1String("  ") + TerminalText::Escaped(Sentence(lot, alarm)) + QLatin1Char('\n');
    return out;
}
