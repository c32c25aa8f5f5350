#pragma once

#include "data/Limits.h"

#include <QDialog>
#include <QString>

class FileDialogs;
class QLabel;
class QTableWidget;

// The user's limits, channel by channel: a lower limit, an upper limit
// and a band, each may be left empty. Loaded from a file of limits and
// saved to one, both through Limits, so that the window reads and checks
// a file as the command line does. A file that cannot be used is told and
// the table keeps what it held. Opened without blocking the window;
// `chosen` tells what OK took, and the file it was loaded from or saved
// to as it stands (empty for limits edited since).
class LimitsDialog : public QDialog
{
    Q_OBJECT
public:
    LimitsDialog(const Limits &limits, const QString &path, FileDialogs &dialogs, QWidget *parent = nullptr);

    // The limits the table holds; false with the message of the first cell
    // that cannot be used.
    bool TableLimits(Limits *limits, QString *error) const;

    static QString Filter() { return QStringLiteral("csv(*.csv)"); }

signals:
    void chosen(const Limits &limits, const QString &path);

private:
    void show(const Limits &limits);
    void load();
    void save();
    void takeTable();
    void showSource();

    FileDialogs &m_dialogs;
    QTableWidget *m_table;
    QLabel *m_source;
    Limits m_file;  // as loaded or saved last
    QString m_path; // where from, or to; empty for none
};
