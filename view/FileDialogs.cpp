#include "view/FileDialogs.h"

#include <QFileDialog>
#include <QMessageBox>

FileDialogs::~FileDialogs() = default;

QStringList FileDialogs::GetOpenFileNames(QWidget *parent, const QString &filter)
{
    return QFileDialog::getOpenFileNames(parent, QString(), QString(), filter);
}

QString FileDialogs::GetSaveFileName(QWidget *parent, const QString &filter,
                                     const QString &suggestedName)
{
    return QFileDialog::getSaveFileName(parent, QString(), suggestedName, filter);
}

void FileDialogs::ShowMessage(QWidget *parent, const QString &text)
{
    QMessageBox::warning(parent, QStringLiteral("Quenvale"), text);
}

FileDialogs &FileDialogs::Default()
{
    static FileDialogs dialogs;
    return dialogs;
}
