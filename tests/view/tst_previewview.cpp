// The print preview: the pages drawn only when they come on screen, kept
// while they stay there, through the keys, the buttons and repaints; its
// tool bar and the status texts.

#include "data/MeasurementRow.h"
#include "output/PrintReport.h"
#include "view/CPreviewView.h"
#include "view/PreviewPageArea.h"

#include <QPrinter>
#include <QPushButton>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTest>
#include <QToolBar>

namespace {

// Lets the pages asked for by the last step be painted.
void settle()
{
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
}

PrintReport reportOf(int rows)
{
    MeasurementRows list;
    for (int i = 0; i < rows; ++i)
        list.Append(MeasurementRow("F1", "01", "1271.0", "-5.00", "-30.00", "2018-05-17", "10:00:00"));
    PrintReport report;
    report.SetRows(list);
    return report;
}

QString statusText(const CPreviewView &preview)
{
    return preview.findChild<QStatusBar *>(QStringLiteral("statusBar"))->currentMessage();
}

} // namespace

class TestPreviewView : public QObject
{
    Q_OBJECT
private slots:
    void previewDrawsOnlyThePagesOnScreen_data();
    void previewDrawsOnlyThePagesOnScreen();
    void previewToolBar();
};

void TestPreviewView::previewDrawsOnlyThePagesOnScreen_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("pages"); // side by side
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QList<int>>("drawn"); // every page drawn, in order
    QTest::addColumn<QString>("status");

    const int big = 1000000; // 34,483 pages
    QTest::newRow("open") << big << 1 << "" << QList<int>{1} << "Page 1 of 34483";
    QTest::newRow("open, two pages")
        << big << 2 << "" << QList<int>{1, 2} << "Pages 1-2 of 34483";
    QTest::newRow("End") << big << 1 << "End" << QList<int>{1, 34483} << "Page 34483 of 34483";
    QTest::newRow("End, two pages")
        << big << 2 << "End" << QList<int>{1, 2, 34482, 34483} << "Pages 34482-34483 of 34483";
    QTest::newRow("Next, two pages: page 2 stays")
        << big << 2 << "PgDn" << QList<int>{1, 2, 3} << "Pages 2-3 of 34483";
    QTest::newRow("End, then Home") << big << 1 << "End Home" << QList<int>{1, 34483, 1}
                                    << "Page 1 of 34483";
    QTest::newRow("Next past the end") << 57 << 1 << "Next Next Next PgDn"
                                       << QList<int>{1, 2, 3} << "Page 3 of 3";
    QTest::newRow("Next past the end, two pages")
        << 57 << 2 << "Next Next PgDn" << QList<int>{1, 2, 3} << "Pages 2-3 of 3";
    QTest::newRow("Prev and PgUp before the first")
        << 57 << 1 << "PgDn Prev PgUp Prev" << QList<int>{1, 2, 1} << "Page 1 of 3";
    QTest::newRow("a repaint draws nothing again")
        << 57 << 2 << "repaint" << QList<int>{1, 2} << "Pages 1-2 of 3";
    QTest::newRow("one page only, two asked")
        << 27 << 2 << "PgDn End" << QList<int>{1} << "Page 1 of 1";
}

void TestPreviewView::previewDrawsOnlyThePagesOnScreen()
{
    QFETCH(int, rows);
    QFETCH(int, pages);
    QFETCH(QString, steps);
    QFETCH(QList<int>, drawn);
    QFETCH(QString, status);

    static const PrintReport big = reportOf(1000000);
    const PrintReport report = rows == big.RowCount() ? big : reportOf(rows);
    const QPrinter printer(QPrinter::HighResolution);
    CPreviewView preview(report, printer, pages);
    QList<int> seen;
    connect(preview.findChild<PreviewPageArea *>(QStringLiteral("pageArea")),
            &PreviewPageArea::pageDrawn, this, [&seen](int page) { seen.append(page); });
    preview.resize(980, 1000);
    preview.show();
    QVERIFY(QTest::qWaitForWindowExposed(&preview));
    settle();
    const QHash<QString, Qt::Key> keys{{QStringLiteral("PgDn"), Qt::Key_PageDown},
                                       {QStringLiteral("PgUp"), Qt::Key_PageUp},
                                       {QStringLiteral("Home"), Qt::Key_Home},
                                       {QStringLiteral("End"), Qt::Key_End}};
    for (const QString &step : steps.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (keys.contains(step))
            QTest::keyClick(&preview, keys.value(step));
        else if (step == QLatin1String("Next"))
            preview.findChild<QPushButton *>(QStringLiteral("nextPage"))->click();
        else if (step == QLatin1String("Prev"))
            preview.findChild<QPushButton *>(QStringLiteral("prevPage"))->click();
        else
            preview.grab(); // paints the whole window again
        settle();
    }
    QCOMPARE(seen, drawn);
    QCOMPARE(statusText(preview), status);
}

void TestPreviewView::previewToolBar()
{
    const PrintReport report = reportOf(57);
    const QPrinter printer(QPrinter::HighResolution);
    CPreviewView preview(report, printer, 1);
    preview.show();
    QVERIFY(QTest::qWaitForWindowExposed(&preview));
    auto texts = [&preview] {
        QStringList list;
        const auto *bar = preview.findChild<QToolBar *>(QStringLiteral("toolBar"));
        for (QAction *action : bar->actions())
            if (auto *button = qobject_cast<QPushButton *>(bar->widgetForAction(action)))
                list.append(button->text());
        return list;
    };
    QCOMPARE(texts(), (QStringList{"&Print...", "&Next Page", "Pre&v Page", "&Two Page",
                                   "Zoom &In", "Zoom &Out", "&Close"}));
    preview.findChild<QPushButton *>(QStringLiteral("numPage"))->click();
    QCOMPARE(texts().at(3), QStringLiteral("&One Page"));
    QCOMPARE(preview.Pages(), 2);

    QPushButton *close = preview.findChild<QPushButton *>(QStringLiteral("close"));
    QCOMPARE(close->statusTip(), QString::fromUtf8("关闭打印预览模式"));
    QCOMPARE(close->toolTip(), QString::fromUtf8("取消预阅"));
    QStatusTipEvent tip(close->statusTip());
    QCoreApplication::sendEvent(close, &tip);
    QCOMPARE(statusText(preview), close->statusTip());

    QTest::keyClick(&preview, Qt::Key_Escape);
    QVERIFY(!preview.isVisible());
    QVERIFY(!preview.PrintChosen());
}

QTEST_MAIN(TestPreviewView)
#include "tst_previewview.moc"
