// Time of one chart drawing: the 18 power texts read, the bars, axes,
// labels, selection line and the marker, into an image the size of the form
// (892 x 663).
//
//   quenvale_bench_chart [repetitions] [png]
//
// With a second argument the last picture is saved there, to look at.

#include "view/ChannelChart.h"

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

    const QStringList powers{
        QStringLiteral("-12.34"), QStringLiteral("-3.50"),  QStringLiteral("Low"),
        QStringLiteral("+14.90"), QStringLiteral("-45.00"), QStringLiteral("-20.75"),
        QStringLiteral("0.00"),   QStringLiteral("-59.99"), QStringLiteral("-30.10"),
        QStringLiteral("-7.25"),  QStringLiteral("-15.00"), QStringLiteral("-1.00"),
        QStringLiteral("Low"),    QStringLiteral("5.00"),   QStringLiteral("-25.50"),
        QStringLiteral("-33.33"), QStringLiteral("-40.00"), QStringLiteral("10.00")};
    const ChannelChart chart(1.0f, 1.0f);
    QImage image(892, 663, QImage::Format_RGB32);

    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < repetitions; ++i) {
        image.fill(Qt::white);
        QPainter painter(&image);
        // The texts are read on every drawing, as the view reads its list.
        QList<ChannelChart::Power> values;
        for (const QString &text : powers)
            values.append(ChannelChart::ReadPower(text));
        chart.Draw(painter, values, QStringLiteral("06"), QStringLiteral("1371.0"),
                   powers.at(5));
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
