#pragma once

// Helpers for the window tests: dialogs that answer as a test tells them,
// and result files of named fibers in a temporary folder.

#include "TestSupport.h"
#include "view/CSDIQVLView.h"
#include "view/FileDialogs.h"

#include <QStringList>
#include <QTest>

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

} // namespace ViewTestSupport
