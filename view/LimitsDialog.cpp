#include "view/LimitsDialog.h"

#include "output/StagedFile.h"
#include "view/FileDialogs.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QHeaderView>
#include <QIODevice>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

QString cellText(const std::optional<double> &value)
{
    return value ? QString::number(*value, 'g', 17) : QString();
}

QString channelText(int channel)
{
    return QStringLiteral("%1").arg(channel, 2, 10, QLatin1Char('0'));
}

} // namespace

LimitsDialog::LimitsDialog(const Limits &limits, const QString &path, FileDialogs &dialogs, QWidget *parent)
    : QDialog(parent), m_dialogs(dialogs), m_table(new QTableWidget(Limits::Channels, 3, this)),
      m_source(new QLabel(this)), m_file(limits), m_path(path)
{
    setObjectName(QStringLiteral("limitsDialog"));
    setWindowTitle(tr("Limits"));
    m_table->setObjectName(QStringLiteral("limitsTable"));
    m_table->setHorizontalHeaderLabels({tr("Lower (dBm)"), tr("Upper (dBm)"), tr("Band (dB)")});
    QStringList channels;
    for (int channel = 1; channel <= Limits::Channels; ++channel)
        channels.append(channelText(channel));
    m_table->setVerticalHeaderLabels(channels);
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_source->setObjectName(QStringLiteral("limitsSource"));
    show(limits);

    auto *explanation = new QLabel(tr("An empty lower limit keeps each row's own threshold; an empty upper limit "
                                      "or band sets none. A fiber passes within a band of its limits as "
                                      "marginal."),
                                   this);
    explanation->setWordWrap(true);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    QPushButton *loadButton = buttons->addButton(tr("&Load..."), QDialogButtonBox::ActionRole);
    QPushButton *saveButton = buttons->addButton(tr("&Save As..."), QDialogButtonBox::ActionRole);
    QPushButton *clearButton = buttons->addButton(tr("&Clear"), QDialogButtonBox::ResetRole);
    loadButton->setObjectName(QStringLiteral("limitsLoad"));
    saveButton->setObjectName(QStringLiteral("limitsSave"));
    clearButton->setObjectName(QStringLiteral("limitsClear"));
    connect(loadButton, &QPushButton::clicked, this, &LimitsDialog::load);
    connect(saveButton, &QPushButton::clicked, this, &LimitsDialog::save);
    connect(clearButton, &QPushButton::clicked, this, [this] { show(Limits()); });
    connect(buttons, &QDialogButtonBox::accepted, this, &LimitsDialog::takeTable);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_table, &QTableWidget::itemChanged, this, &LimitsDialog::showSource);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_source);
    layout->addWidget(m_table);
    layout->addWidget(explanation);
    layout->addWidget(buttons);
}

void LimitsDialog::show(const Limits &limits)
{
    const QSignalBlocker quiet(m_table);
    for (int channel = 1; channel <= Limits::Channels; ++channel) {
        const ChannelLimit *limit = limits.OfNumber(channel);
        const std::optional<double> values[] = {limit ? limit->lower : std::nullopt,
                                                limit ? limit->upper : std::nullopt,
                                                limit ? limit->warn : std::nullopt};
        for (int column = 0; column < 3; ++column) {
            auto *item = new QTableWidgetItem(cellText(values[column]));
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            m_table->setItem(channel - 1, column, item);
        }
    }
    showSource();
}

// Each row of the table read as a line of a file of limits is read, so
// that a cell is checked as a file's would be; the message names the
// channel where a file's names the line.
bool LimitsDialog::TableLimits(Limits *limits, QString *error) const
{
    const QString name = m_path.isEmpty() ? tr("unsaved limits") : QFileInfo(m_path).fileName();
    Limits read;
    read.SetName(name);
    for (int row = 0; row < Limits::Channels; ++row) {
        QByteArray line = channelText(row + 1).toUtf8();
        bool any = false;
        for (int column = 0; column < 3; ++column) {
            const QTableWidgetItem *item = m_table->item(row, column);
            const QString text = item ? item->text().trimmed() : QString();
            any = any || !text.isEmpty();
            // A comma in a cell is no number; it must not become a cell.
            line += ',' + QString(text).replace(QLatin1Char(','), QLatin1Char(';')).toUtf8();
        }
        if (!any)
            continue;
        Limits one;
        QString message;
        if (!Limits::Parse("channel,lower,upper,warn\n" + line + '\n', name, &one, &message)) {
            if (error)
                *error = message.replace(tr("line 2"), tr("channel %1").arg(channelText(row + 1)));
            return false;
        }
        read.Set(row + 1, *one.OfNumber(row + 1));
    }
    *limits = read.SetsAny() ? read : Limits(); // nothing set: every row's own threshold
    return true;
}

void LimitsDialog::showSource()
{
    Limits shown;
    QString error;
    const bool asFile = !m_path.isEmpty() && TableLimits(&shown, &error) && shown == m_file;
    m_source->setText(asFile ? tr("From %1").arg(QFileInfo(m_path).fileName()) : tr("Not saved"));
}

void LimitsDialog::load()
{
    const QStringList chosen = m_dialogs.GetOpenFileNames(this, Filter());
    if (chosen.isEmpty())
        return;
    Limits read;
    QString error;
    if (!Limits::Read(chosen.first(), &read, &error)) {
        m_dialogs.ShowMessage(this, error);
        return;
    }
    m_file = read;
    m_path = chosen.first();
    show(read);
}

void LimitsDialog::save()
{
    Limits limits;
    QString error;
    if (!TableLimits(&limits, &error)) {
        m_dialogs.ShowMessage(this, error);
        return;
    }
    const QString path = m_dialogs.GetSaveFileName(this, Filter(), QStringLiteral("limits.csv"));
    if (path.isEmpty())
        return;
    const QByteArray csv = limits.ToCsv();
    QString fileError;
    if (!StagedFile::Write(path, [&csv](QIODevice &out) { return out.write(csv) == csv.size(); }, &fileError)) {
        m_dialogs.ShowMessage(this, tr("%1 could not be written: %2").arg(path, fileError));
        return;
    }
    limits.SetName(QFileInfo(path).fileName());
    m_file = limits;
    m_path = path;
    showSource();
}

void LimitsDialog::takeTable()
{
    Limits limits;
    QString error;
    if (!TableLimits(&limits, &error)) {
        m_dialogs.ShowMessage(this, error);
        return;
    }
    const bool asFile = !m_path.isEmpty() && limits == m_file;
    if (!asFile && !limits.IsEmpty())
        limits.SetName(tr("unsaved limits"));
    emit chosen(limits, asFile ? m_path : QString());
    accept();
}
