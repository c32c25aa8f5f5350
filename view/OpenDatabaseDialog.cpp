#include "view/OpenDatabaseDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {

QLineEdit *field(QWidget *parent, const QString &name, const QString &placeholder)
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setPlaceholderText(placeholder);
    return edit;
}

} // namespace

OpenDatabaseDialog::OpenDatabaseDialog(QWidget *parent)
    : QDialog(parent),
      m_url(field(this, QStringLiteral("databaseUrl"), QStringLiteral("postgresql://quenvale@dbhost/quenvale"))),
      m_stations(field(this, QStringLiteral("databaseStations"), tr("every station"))),
      m_since(field(this, QStringLiteral("databaseSince"), tr("2018-05-21 or 2018-05-21T14:00"))),
      m_until(field(this, QStringLiteral("databaseUntil"), tr("no end"))), m_message(new QLabel(this))
{
    setObjectName(QStringLiteral("openDatabase"));
    setWindowTitle(tr("Open Database"));
    m_message->setObjectName(QStringLiteral("databaseMessage"));
    m_message->setWordWrap(true);
    auto *form = new QFormLayout;
    form->addRow(tr("Database:"), m_url);
    form->addRow(tr("Stations (by commas):"), m_stations);
    form->addRow(tr("First rows from:"), m_since);
    form->addRow(tr("Before:"), m_until);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &OpenDatabaseDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_message);
    layout->addWidget(buttons);
    m_url->setMinimumWidth(m_url->fontMetrics().horizontalAdvance(QLatin1Char('x')) * 48);
}

void OpenDatabaseDialog::SetUrl(const QString &url)
{
    m_url->setText(url);
}

QString OpenDatabaseDialog::Url() const
{
    return m_url->text().trimmed();
}

bool OpenDatabaseDialog::QueryOf(FactoryDatabase::Query *query, QString *error) const
{
    FactoryDatabase::Query read;
    for (const QString &station : m_stations->text().split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        if (!station.trimmed().isEmpty())
            read.stations.append(station.trimmed());
    }
    const struct
    {
        QLineEdit *edit;
        qint64 *time;
    } times[] = {{m_since, &read.since}, {m_until, &read.until}};
    for (const auto &bound : times) {
        if (!bound.edit->text().trimmed().isEmpty() && !FactoryDatabase::ParseTime(bound.edit->text(), bound.time)) {
            *error = tr("\"%1\" is no date: 2018-05-21, or 2018-05-21T14:00").arg(bound.edit->text().trimmed());
            return false;
        }
    }
    *query = read;
    return true;
}

void OpenDatabaseDialog::accept()
{
    if (!FactoryDatabase::IsUrl(Url())) {
        m_message->setText(tr("Name a database: postgresql://USER@HOST/DB, or service=NAME."));
        return;
    }
    FactoryDatabase::Query query;
    QString error;
    if (!QueryOf(&query, &error)) {
        m_message->setText(error);
        return;
    }
    QDialog::accept();
}
