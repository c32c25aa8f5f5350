#pragma once

#include "data/YieldSweep.h"

#include <QByteArray>
#include <QList>

// The curves of a yield sweep as text: CSV, a line per limit of each
// channel and a line of each channel's figures; or JSON,
// {"channels": [{"channel", "fibers", "curve": [[limit, yield]...],
// "target", "limit_for_target", "retests", "repeatability",
// "repeatability_from" ("channel" or "station"), "guardband",
// "proposed"}]}. Yields as every summary gives them (see Wording).
namespace SweepWriter {

QByteArray Csv(const QList<YieldSweep::Curve> &curves, double targetPercent);
QByteArray Json(const QList<YieldSweep::Curve> &curves, double targetPercent);

} // namespace SweepWriter
