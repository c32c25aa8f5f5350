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
    // The export replaces an existing file without a question, and no
    // extension is added here: Save As decides on ".csv".
    return QFileDialog::getSaveFileName(parent, QString(), suggestedName, filter, nullptr,
                                        QFileDialog::DontConfirmOverwrite);
}

void FileDialogs::ShowMessage(QWidget *parent, const QString &text)
{
    QMessageBox::warning(parent, QStringLiteral("Quenvale"), text);
}

bool FileDialogs::Ask(QWidget *parent, const QString &text)
{
    return QMessageBox::question(parent, QStringLiteral("Quenvale"), text,
                                 QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
        == QMessageBox::Yes;
}

FileDialogs &FileDialogs::Default()
{
    static FileDialogs dialogs;
    return dialogs;
}
