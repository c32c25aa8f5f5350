#include "output/SweepWriter.h"

#include "output/JsonObject.h"
#include "output/SummaryCsvWriter.h"
#include "output/SummaryWriter.h"
#include "output/Wording.h"

namespace SweepWriter {

namespace {

double yieldOf(const YieldSweep::Curve &curve, qsizetype passed)
{
    return Wording::YieldFraction(curve.fibers, curve.fibers - passed);
}

QByteArray decimal(const std::optional<double> &value)
{
    QByteArray out;
    if (value)
        SummaryWriter::AppendDecimal(out, *value);
    return out;
}

// Whose the repeatability is: the channel's own retests', or the station's.
QByteArray from(const YieldSweep::Curve &curve)
{
    return !curve.repeatability ? QByteArray() : curve.stationRepeatability ? "station" : "channel";
}

} // namespace

QByteArray Csv(const QList<YieldSweep::Curve> &curves, double targetPercent)
{
    QByteArray out = "type,channel,limit,yield,passed,fibers,target,limit_for_target,retests,repeatability,"
                     "repeatability_from,guardband,proposed\r\n";
    for (const YieldSweep::Curve &curve : curves) {
        QByteArray channel;
        SummaryCsvWriter::AppendField(channel, curve.channel);
        const QByteArray fibers = QByteArray::number(curve.fibers);
        for (const YieldSweep::Point &point : curve.points) {
            out += "point," + channel + ',' + decimal(point.limit) + ',' + decimal(yieldOf(curve, point.passed)) + ','
                + QByteArray::number(point.passed) + ',' + fibers + ",,,,,,,\r\n";
        }
        out += "channel," + channel + ",,,," + fibers + ',' + decimal(targetPercent) + ','
            + decimal(curve.limitForTarget) + ',' + QByteArray::number(curve.retests) + ','
            + decimal(curve.repeatability) + ',' + from(curve) + ',' + decimal(curve.guardband) + ',' + decimal(curve.proposed) + "\r\n";
    }
    return out;
}

QByteArray Json(const QList<YieldSweep::Curve> &curves, double targetPercent)
{
    QByteArray out = "{\n  \"channels\": [";
    bool first = true;
    for (const YieldSweep::Curve &curve : curves) {
        out += first ? "\n    " : ",\n    ";
        first = false;
        JsonObject object(out);
        object.string("channel", curve.channel);
        object.number("fibers", curve.fibers);
        QByteArray &points = object.member("curve");
        points += '[';
        for (qsizetype i = 0; i < curve.points.size(); ++i) {
            const YieldSweep::Point &point = curve.points.at(i);
            points += i > 0 ? ", [" : "[";
            SummaryWriter::AppendDecimal(points, point.limit);
            points += ", ";
            SummaryWriter::AppendDecimal(points, yieldOf(curve, point.passed));
            points += ']';
        }
        points += ']';
        object.decimal("target", targetPercent);
        object.decimal("limit_for_target", curve.limitForTarget);
        object.number("retests", curve.retests);
        object.decimal("repeatability", curve.repeatability);
        if (curve.repeatability)
            object.string("repeatability_from", from(curve));
        else
            object.value("repeatability_from", "null");
        object.decimal("guardband", curve.guardband);
        object.decimal("proposed", curve.proposed);
    }
    out += first ? "]\n}\n" : "\n  ]\n}\n";
    return out;
}

} // namespace SweepWriter
