#pragma once

// Helpers for the window tests: dialogs that answer as a test tells them,
// result files of named fibers in a temporary folder, the form's controls
// found by name, the user's clicks on them, and what the form draws.

#include "RecordingDevice.h"
#include "TestSupport.h"
#include "document/DocumentManager.h"
#include "view/CPreviewView.h"
#include "view/CSDIQVLView.h"
#include "view/FiberComboBox.h"
#include "view/FileDialogs.h"
#include "view/PrintDialogs.h"
#include "view/TabFiles.h"

#include <QImage>
#include <QLineEdit>
#include <QListView>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QSignalSpy>
#include <QStringList>
#include <QTableWidget>
#include <QTest>

#include <functional>

class ScriptedDialogs : public FileDialogs
{
public:
    QList<QStringList> openAnswers; // one per dialog shown; none left = cancel
    QStringList saveAnswers;        // likewise; an empty answer cancels
    QStringList messages;
    int openCount = 0;
    int saveCount = 0;
    QString lastFilter;

    QStringList GetOpenFileNames(QWidget *, const QString &filter) override
    {
        ++openCount;
        lastFilter = filter;
        return openAnswers.isEmpty() ? QStringList() : openAnswers.takeFirst();
    }
    QString GetSaveFileName(QWidget *, const QString &filter, const QString &) override
    {
        ++saveCount;
        lastFilter = filter;
        return saveAnswers.isEmpty() ? QString() : saveAnswers.takeFirst();
    }
    void ShowMessage(QWidget *, const QString &text) override { messages.append(text); }

    QList<bool> askAnswers; // one per question; none left = No
    QStringList questions;
    bool Ask(QWidget *, const QString &text) override
    {
        questions.append(text);
        return !askAnswers.isEmpty() && askAnswers.takeFirst();
    }
};

// The print dialog answered into a PDF file (or cancelled), the page range
// it offered kept; the preview handed to `preview`.
class ScriptedPrint : public PrintDialogs
{
public:
    QString pdfPath;
    bool accept = true;
    int fromPage = 0;
    int toPage = 0;
    int minPage = -1;
    int maxPage = -1;
    int printDialogs = 0;
    QString proposedPdf; // the name the dialog offered for a PDF
    std::function<void(CPreviewView &)> preview;

    bool ExecPrintDialog(QPrintDialog &dialog) override
    {
        ++printDialogs;
        if (const auto *name = dialog.findChild<QLineEdit *>(QStringLiteral("filename")))
            proposedPdf = name->text();
        minPage = dialog.minPage();
        maxPage = dialog.maxPage();
        QPrinter *printer = dialog.printer();
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(pdfPath);
        if (fromPage > 0) {
            printer->setPrintRange(QPrinter::PageRange);
            printer->setFromTo(fromPage, toPage);
        }
        return accept;
    }
    void ExecPreview(CPreviewView &dialog) override
    {
        if (preview)
            preview(dialog);
    }
};

namespace ViewTestSupport {

// A result file whose fibers have these names, 18 channels each.
inline QByteArray resultFile(const QList<QByteArray> &fibers)
{
    QByteArray bytes = TestSupport::standardHeader();
    for (const QByteArray &name : fibers)
        bytes += TestSupport::fiber(name.constData());
    return bytes;
}

// The channels of one fiber with the given powers (missing ones -12.34).
inline QByteArray fiberWithPowers(const char *name, const QList<const char *> &powers,
                                  int channels = 18)
{
    QByteArray lines;
    for (int channel = 1; channel <= channels; ++channel)
        lines += TestSupport::line(name, channel,
                                   channel <= powers.size() ? powers.at(channel - 1) : "-12.34");
    return lines;
}

// The bars and the marker are filled in pure red.
inline bool isRed(const QImage &image, int x, int y)
{
    return image.pixelColor(x, y) == QColor(255, 0, 0);
}

// Takes a step that may have the view read a file and, when it began a
// read, waits until the read is over: files are read on a thread of their
// own. False only for a read that never ends.
inline bool readAndWait(DocumentManager &manager, const std::function<void()> &step)
{
    QSignalSpy started(&manager, &DocumentManager::readStarted);
    QSignalSpy ended(&manager, &DocumentManager::readEnded);
    step();
    return started.isEmpty() || !ended.isEmpty() || ended.wait(20000);
}

inline bool readAndWait(CSDIQVLView *view, const std::function<void()> &step)
{
    return readAndWait(view->Manager(), step);
}

// A form view as the window shows it, on a screen of the given size, with
// its dialogs answered by `dialogs`; null when it never became visible.
inline CSDIQVLView *showView(ScriptedDialogs &dialogs, const QSize &screen = QSize(1440, 900))
{
    auto *view = new CSDIQVLView;
    view->SetFileDialogs(&dialogs);
    view->SetScreenSize(screen);
    view->OnInitialUpdate();
    view->show();
    if (!QTest::qWaitForWindowExposed(view)) {
        delete view;
        return nullptr;
    }
    return view;
}

// The form's controls.
inline TabFiles *tabFiles(const QWidget *view)
{
    return view->findChild<TabFiles *>(QStringLiteral("tabFiles"));
}

inline FiberComboBox *comboFiber(const QWidget *view)
{
    return view->findChild<FiberComboBox *>(QStringLiteral("comboFiber"));
}

inline QTableWidget *listChannels(const QWidget *view)
{
    return view->findChild<QTableWidget *>(QStringLiteral("listChannels"));
}

// A click on entry `pos` of the fiber box's list.
inline void chooseFiber(const QWidget *view, int pos)
{
    QListView *list = comboFiber(view)->List();
    const QModelIndex index = list->model()->index(pos, 0);
    list->scrollTo(index);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(index).center());
}

// A click on row `row` of the channel list.
inline void clickChannel(const QWidget *view, int row, Qt::KeyboardModifiers modifiers = {})
{
    QTableWidget *list = listChannels(view);
    list->scrollToItem(list->item(row, 0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, modifiers,
                      list->visualItemRect(list->item(row, 0)).center());
}

// What the view draws under the list: the chart's selection line, nothing
// while no chart is shown, and the bar the marker stands under, -1 for
// none, found where the design size puts bar b: from x = 100 + 40 b.
struct Readout
{
    QStringList line; // "Chanel:..", "WaveLength:..", "Power=.."
    QStringList verdicts; // "Threshold=..", "Margin=.." while the verdicts are shown
    int marker = -1;
};

inline Readout readout(CSDIQVLView *view)
{
    RecordingDevice device(view->size());
    QPainter painter(&device);
    painter.setFont(view->font());
    view->OnDraw(painter);
    painter.end();
    Readout shown;
    for (const RecordedText &text : device.texts()) {
        for (const char *item : {"Chanel:", "WaveLength:", "Power="})
            if (text.text.startsWith(QLatin1String(item)))
                shown.line.append(text.text);
        for (const char *item : {"Threshold=", "Margin="})
            if (text.text.startsWith(QLatin1String(item)))
                shown.verdicts.append(text.text);
    }
    for (const RecordingEngine::Polygon &polygon : device.engine().polygons)
        if (polygon.brush == QColor(255, 0, 0))
            shown.marker = (qRound(polygon.points.boundingRect().left()) - 100) / 40;
    return shown;
}

// The row of the chart's base line as the view shows it, -1 while no chart
// is shown: where the chart stands on the form. No row below it stands out
// from the background all across the bars, and the rows above are looked
// at only after it.
inline int baseLineRow(CSDIQVLView *view)
{
    const QImage image = view->grab().toImage();
    const QRgb background = image.pixel(image.width() - 1, image.height() - 1);
    // The base line runs from about a tenth to nine tenths of the form.
    const int left = image.width() / 5;
    const int right = image.width() * 4 / 5;
    for (int y = image.height() - 1; y >= 0; --y) {
        int standing = 0; // out from the background, on any palette
        for (int x = left; x < right; ++x)
            standing += qAbs(qGray(image.pixel(x, y)) - qGray(background)) > 60 ? 1 : 0;
        if (standing == right - left)
            return qRound(y / image.devicePixelRatio());
    }
    return -1;
}

// The selection line as the readout shows it for these texts.
inline QStringList selectionLine(const QString &channel, const QString &waveLength,
                                 const QString &power)
{
    return {QStringLiteral("Chanel:") + channel, QStringLiteral("WaveLength:") + waveLength,
            QStringLiteral("Power=") + power};
}

} // namespace ViewTestSupport
