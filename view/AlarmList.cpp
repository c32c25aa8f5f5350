#include "view/AlarmList.h"

#include "lot/ControlWriter.h"
#include "lot/LotModel.h"

#include <QCheckBox>
#include <QLabel>
#include <QTreeWidget>
#include <QVBoxLayout>

AlarmList::AlarmList(QWidget *parent)
    : QWidget(parent), m_every(new QCheckBox(tr("Every channel's alarms"), this)), m_tree(new QTreeWidget(this)),
      m_notes(new QLabel(this))
{
    m_every->setObjectName(QStringLiteral("lotAlarmsAll"));
    m_tree->setObjectName(QStringLiteral("lotAlarms"));
    m_notes->setObjectName(QStringLiteral("lotControlNotes"));
    m_tree->setColumnCount(3);
    m_tree->setHeaderLabels({tr("Raised"), tr("Figure"), tr("Rule")});
    m_tree->setRootIsDecorated(false);
    m_tree->setUniformRowHeights(true);
    m_tree->setAlternatingRowColors(true);
    m_tree->setMinimumWidth(m_tree->fontMetrics().horizontalAdvance(QStringLiteral("00:00 07 margin mean rule 1: one")));
    m_notes->setWordWrap(true);
    m_notes->hide();
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_every);
    layout->addWidget(m_tree, 1);
    layout->addWidget(m_notes);
    connect(m_every, &QCheckBox::toggled, this, &AlarmList::fill);
    connect(m_tree, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem *item) {
        if (item)
            emit fileChosen(item->data(0, Qt::UserRole).toLongLong());
    });
    connect(m_tree, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem *item) {
        if (item)
            emit fileOpened(item->data(0, Qt::UserRole + 1).toString());
    });
}

void AlarmList::Show(const LotModel &lot, const LotControl::Result &control)
{
    m_entries.clear();
    m_entries.reserve(control.alarms.size());
    for (qsizetype i = control.alarms.size() - 1; i >= 0; --i) {
        const LotControl::Alarm &alarm = control.alarms.at(i);
        const LotFile &file = lot.FileAt(int(alarm.raised));
        const QByteArray time = RowTime::Iso(file.FirstTime());
        const QString figure = alarm.channel.isEmpty()
            ? LotControl::KindText(alarm.kind)
            : tr("%1 %2").arg(QString::fromUtf8(alarm.channel), LotControl::KindText(alarm.kind));
        m_entries.append({alarm.channel,
                          {time.isEmpty() ? QStringLiteral("-") : QString::fromLatin1(time.mid(11, 5)), figure,
                           LotControl::RuleText(alarm.rule)},
                          ControlWriter::Sentence(lot, alarm), alarm.raised, file.path});
    }
    m_notes->setText(control.notes.join(QLatin1Char('\n')));
    m_notes->setVisible(!control.notes.isEmpty());
    fill();
}

void AlarmList::SetChannel(const QByteArray &channel)
{
    if (channel == m_channel)
        return;
    m_channel = channel;
    fill();
}

void AlarmList::Clear()
{
    m_entries.clear();
    m_notes->hide();
    fill();
}

void AlarmList::fill()
{
    QList<QTreeWidgetItem *> items;
    for (const Entry &entry : std::as_const(m_entries)) {
        if (!m_every->isChecked() && !entry.channel.isEmpty() && entry.channel != m_channel)
            continue;
        auto *item = new QTreeWidgetItem(entry.texts);
        item->setData(0, Qt::UserRole, qlonglong(entry.file));
        item->setData(0, Qt::UserRole + 1, entry.path);
        item->setToolTip(2, entry.sentence);
        items.append(item);
    }
    m_tree->blockSignals(true);
    m_tree->clear();
    m_tree->addTopLevelItems(items);
    m_tree->blockSignals(false);
    m_tree->resizeColumnToContents(0);
    m_tree->resizeColumnToContents(1);
}
