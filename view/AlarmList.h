#pragma once

#include "lot/LotControl.h"

#include <QByteArray>
#include <QList>
#include <QWidget>

class LotModel;
class QCheckBox;
class QLabel;
class QTreeWidget;
class QTreeWidgetItem;

// A lot's alarms beside its trend, newest first: those of the yield and
// of the channel chosen, or of every channel; the notes of the control
// charts under them. A click on one tells its file, a double-click or
// Enter opens it.
class AlarmList : public QWidget
{
    Q_OBJECT
public:
    explicit AlarmList(QWidget *parent = nullptr);

    // The alarms of `control` over `lot`'s files, kept as words: the list
    // outlives neither.
    void Show(const LotModel &lot, const LotControl::Result &control);
    void SetChannel(const QByteArray &channel);
    void Clear();

signals:
    void fileChosen(qsizetype file);
    void fileOpened(const QString &path);

private:
    struct Entry
    {
        QByteArray channel;
        QStringList texts; // raised, figure, rule
        QString sentence;
        qsizetype file = 0;
        QString path;
    };
    void fill();

    QCheckBox *m_every;
    QTreeWidget *m_tree;
    QLabel *m_notes;
    QList<Entry> m_entries; // newest first
    QByteArray m_channel;
};
