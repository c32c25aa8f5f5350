#include "output/ReportFont.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QtTest>

#include <cstring>

class TestReportFont : public QObject
{
    Q_OBJECT

private slots:
    void startsFromTheProofQualitySwissDescription();
    void settersReturnThePreviousValue_data();
    void settersReturnThePreviousValue();
    void faceNameIsCutTo31Bytes();
    void fontIsReleasedExactlyOnce();
    void descriptionMapsToFont_data();
    void descriptionMapsToFont();
};

void TestReportFont::startsFromTheProofQualitySwissDescription()
{
    const ReportFont font("Boldface");
    ReportLogFont expected;
    std::memset(&expected, 0, sizeof expected);
    expected.lfHeight = -12;
    expected.lfWeight = 400;
    expected.lfCharSet = 1;
    expected.lfQuality = 2;
    expected.lfPitchAndFamily = 0x12;
    std::strcpy(expected.lfFaceName, "Boldface");
    // Byte for byte: everything else, the face name's tail included, is zero.
    QCOMPARE(QByteArray(reinterpret_cast<const char *>(&font.LogFont()), sizeof expected),
             QByteArray(reinterpret_cast<const char *>(&expected), sizeof expected));
    QVERIFY(font.HasFont());
}

// Each step: "h<n>", "w<n>", "W<n>" (weight) or "b1"/"b0" (bold), and the
// value the call returns.
void TestReportFont::settersReturnThePreviousValue_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QList<int>>("returns");
    QTest::addColumn<QList<int>>("final"); // height, width, weight

    QTest::newRow("heading size") << QStringList{"h18", "w7"} << QList<int>{-12, 0}
                                  << QList<int>{18, 7, 400};
    QTest::newRow("title size") << QStringList{"h18", "w7", "b0"} << QList<int>{-12, 0, 0}
                                << QList<int>{18, 7, 400};
    QTest::newRow("counter size") << QStringList{"h20", "w10"} << QList<int>{-12, 0}
                                  << QList<int>{20, 10, 400};
    QTest::newRow("bold on and off") << QStringList{"b1", "b0"} << QList<int>{0, 1}
                                     << QList<int>{-12, 0, 400};
    QTest::newRow("bold from 700") << QStringList{"b1", "W700"} << QList<int>{0, 700}
                                   << QList<int>{-12, 0, 700};
    QTest::newRow("600 counts as bold") << QStringList{"W600", "b0"} << QList<int>{400, 1}
                                        << QList<int>{-12, 0, 400};
    QTest::newRow("500 counts as bold") << QStringList{"W500", "b1"} << QList<int>{400, 1}
                                        << QList<int>{-12, 0, 700};
    QTest::newRow("499 does not") << QStringList{"W499", "b1"} << QList<int>{400, 0}
                                  << QList<int>{-12, 0, 700};
    QTest::newRow("height twice") << QStringList{"h18", "h-30"} << QList<int>{-12, 18}
                                  << QList<int>{-30, 0, 400};
}

void TestReportFont::settersReturnThePreviousValue()
{
    QFETCH(QStringList, steps);
    QFETCH(QList<int>, returns);
    QFETCH(QList<int>, final);

    ReportFont font("Boldface");
    for (int i = 0; i < steps.size(); ++i) {
        const QChar kind = steps[i].at(0);
        const int value = steps[i].mid(1).toInt();
        int result = 0;
        if (kind == QLatin1Char('h'))
            result = font.SetHeight(value);
        else if (kind == QLatin1Char('w'))
            result = font.SetWidth(value);
        else if (kind == QLatin1Char('W'))
            result = font.SetWeight(value);
        else
            result = font.SetBold(value != 0) ? 1 : 0;
        QCOMPARE(result, returns.at(i));
        QVERIFY(font.HasFont());
    }
    QCOMPARE(font.LogFont().lfHeight, final[0]);
    QCOMPARE(font.LogFont().lfWidth, final[1]);
    QCOMPARE(font.LogFont().lfWeight, final[2]);
    QCOMPARE(font.LogFont().lfCharSet, quint8(1));
    QCOMPARE(font.LogFont().lfQuality, quint8(2));
}

void TestReportFont::faceNameIsCutTo31Bytes()
{
    const QByteArray longName(40, 'x');
    const ReportFont font(longName.constData());
    QCOMPARE(QByteArray(font.LogFont().lfFaceName), longName.left(31));
}

void TestReportFont::fontIsReleasedExactlyOnce()
{
    const int before = ReportFont::LiveFontCount();
    {
        ReportFont font("Boldface");
        QCOMPARE(ReportFont::LiveFontCount(), before + 1);
        font.SetHeight(18);
        font.SetWidth(7);
        font.SetBold(false);
        QCOMPARE(ReportFont::LiveFontCount(), before + 1);
        QVERIFY(font.DeleteObject());
        QVERIFY(!font.HasFont());
        QCOMPARE(ReportFont::LiveFontCount(), before);
        QVERIFY(!font.DeleteObject());
    }
    QCOMPARE(ReportFont::LiveFontCount(), before);
    {
        ReportFont font("Boldface"); // left to the destructor
    }
    QCOMPARE(ReportFont::LiveFontCount(), before);
}

void TestReportFont::descriptionMapsToFont_data()
{
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("weight");

    QTest::newRow("start") << -12 << 0 << 400;
    QTest::newRow("heading") << 18 << 7 << 400;
    QTest::newRow("counter") << 20 << 10 << 400;
    QTest::newRow("bold title") << 18 << 7 << 700;
    QTest::newRow("large cell") << 120 << 40 << 400;
    QTest::newRow("wide") << -40 << 40 << 400;
}

void TestReportFont::descriptionMapsToFont()
{
    QFETCH(int, height);
    QFETCH(int, width);
    QFETCH(int, weight);

    ReportFont report("Boldface");
    report.SetHeight(height);
    report.SetWidth(width);
    report.SetWeight(weight);
    const QFont font = report.Font();
    const QFontMetricsF metrics(font);

    if (height < 0)
        QCOMPARE(font.pixelSize(), -height); // the em, without internal leading
    else
        QVERIFY2(qAbs(metrics.height() - height) <= qMax(1.0, height * 0.05),
                 qPrintable(QString::number(metrics.height())));
    if (width > 0)
        QVERIFY2(qAbs(metrics.averageCharWidth() - width) <= qMax(1.0, width * 0.1),
                 qPrintable(QString::number(metrics.averageCharWidth())));
    QCOMPARE(font.weight(), QFont::Weight(weight));
    QCOMPARE(font.styleHint(), QFont::SansSerif);
    QVERIFY(!QFontInfo(font).fixedPitch());
}

QTEST_MAIN(TestReportFont)
#include "tst_reportfont.moc"
