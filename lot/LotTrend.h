#pragma once

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
// Cpk of 1.0 and 1.33.
class LotTrend
{
    Q_DECLARE_TR_FUNCTIONS(LotTrend)
public:
    static constexpr double CpkFail = 1.0;
    static constexpr double CpkWarn = 1.33;

    // The channels of the lot's files, in the order first met.
    static QList<QByteArray> Channels(const LotModel &lot);
    // The yield's panel, and where `channel` is given its margin's and Cpk's.
    static QList<TrendChart::Panel> Panels(const LotModel &lot, const QByteArray &channel);
    // The first row's date and time of the lot's first and last file read.
    static QString FirstLabel(const LotModel &lot);
    static QString LastLabel(const LotModel &lot);

    // A lot's pooled margin mean and Cpk of one channel, from each file's
    // count, mean and sample deviation of its margins.
    struct Pooled
    {
        std::optional<double> mean;
        std::optional<double> cpk;
    };
    static Pooled Pool(const QList<qint64> &counts, const QList<double> &means, const QList<double> &deviations);
};
