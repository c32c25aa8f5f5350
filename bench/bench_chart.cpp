// Time of one chart drawing: the 18 power texts read, the bars, axes,
// labels, selection line and the marker, into an image the size of the form
// (892 x 663).
//
//   quenvale_bench_chart [repetitions] [png]
//
// With a second argument the last picture is saved there, to look at.

#include "data/ChannelTable.h"
#include "output/ChannelChart.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <cstdio>
#include <cstdlib>

int main(int argc, char **argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const int repetitions = argc > 1 ? std::max(1, std::atoi(argv[1])) : 1000;

    const QList<QByteArray> powers{"-12.34", "-3.50",  "Low",    "+14.90", "-45.00", "-20.75",
                                   "0.00",   "-59.99", "-30.10", "-7.25",  "-15.00", "-1.00",
                                   "Low",    "5.00",   "-25.50", "-33.33", "-40.00", "10.00"};
    const ChannelChart chart(1.0f, 1.0f);
    QImage image(892, 663, QImage::Format_RGB32);

    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < repetitions; ++i) {
        image.fill(Qt::white);
        QPainter painter(&image);
        // The texts are read on every drawing, as the view reads a fiber's.
        QList<ChannelChart::Power> values;
        for (const QByteArray &text : powers)
            values.append(ChannelTable::PowerValue(text));
        chart.Draw(painter, values, QStringLiteral("06"), QStringLiteral("1371.0"),
                   QString::fromLatin1(powers.at(5)));
        chart.DrawMarker(painter, 5);
    }
    const qint64 nanoseconds = timer.nsecsElapsed();

    std::printf("chart + marker into 892x663: %d draws, mean %.3f ms per draw (target: fiber "
                "choice and chart within 20 ms)\n",
                repetitions, nanoseconds / 1.0e6 / repetitions);
    if (argc > 2 && !image.save(QString::fromLocal8Bit(argv[2])))
        return 1;
    return 0;
}
