#pragma once

#include "lot/LotControl.h"
#include "output/TrendChart.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QList>

class LotModel;

// The numbers of a lot's trend chart, one per file in the lot's order:
// each file's yield, against the lot's yield with retests counted once;
// and for one channel its margin mean and its Cpk in each file, against
// the lot's, which pools every file's margins of that channel. The fail
// and warning levels are those the file's figures are judged by: a margin
// of 0 dB and the marginal band, where the files were judged with one; a
// Cpk of 1.0 and 1.33. With the lot's control charts, each panel of a
// charted figure carries its limits and the files that raised an alarm.
// The yield is a file's own (every fiber it measured), or of the fibers
// it measured first: passed then (first pass), or at their latest result
// (final).
class LotTrend
{
    Q_DECLARE_TR_FUNCTIONS(LotTrend)
public:
    static constexpr double CpkFail = 1.0;
    static constexpr double CpkWarn = 1.33;

    // The channels of the lot's files, in the order first met.
    static QList<QByteArray> Channels(const LotModel &lot);
    enum YieldKind { FileYield, FirstPassYield, FinalYield };

    // The yield's panel, and where `channel` is given its margin's and Cpk's.
    static QList<TrendChart::Panel> Panels(const LotModel &lot, const QByteArray &channel,
                                           const LotControl::Result *control = nullptr,
                                           YieldKind yield = FileYield);
    // Each file's first row's time (RowTime::None where it has none).
    static QList<qint64> Times(const LotModel &lot);
    // The yields of the fibers each file measured first, in percent.
    static QList<double> FirstYields(const LotModel &lot, YieldKind yield);

    // A lot's pooled margin mean and Cpk of one channel, from each file's
    // count, mean and sample deviation of its margins.
    struct Pooled
    {
        std::optional<double> mean;
        std::optional<double> cpk;
    };
    static Pooled Pool(const QList<qint64> &counts, const QList<double> &means, const QList<double> &deviations);
};
