#pragma once

#include <QString>
#include <QStringList>

class QWidget;

// The dialogs the view shows around files. The view asks through this
// interface so that tests can answer in place of the user.
class FileDialogs
{
public:
    virtual ~FileDialogs();

    // The files chosen to open, in the order chosen; empty when cancelled.
    virtual QStringList GetOpenFileNames(QWidget *parent, const QString &filter);
    // The folder chosen to open as a lot; empty when cancelled.
    virtual QString GetExistingDirectory(QWidget *parent);
    // The file name chosen to save to; empty when cancelled.
    virtual QString GetSaveFileName(QWidget *parent, const QString &filter,
                                    const QString &suggestedName);
    // Tells the user that something went wrong with a file.
    virtual void ShowMessage(QWidget *parent, const QString &text);
    // Asks a question that Yes answers; No is the answer if none is given.
    virtual bool Ask(QWidget *parent, const QString &text);

    // The real dialogs.
    static FileDialogs &Default();

    static QString OpenFilter() { return QStringLiteral("fib(*.fib)"); }
    static QString SaveFilter() { return QStringLiteral("csv(*.csv)"); }
};
