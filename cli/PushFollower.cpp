#include "cli/PushFollower.h"

#include "data/NativePath.h"

#include <QDir>

PushFollower::PushFollower(const QString &url, const QString &station, const QString &folder, Tell out, Tell err)
    : m_url(url), m_station(station), m_lot(QDir(folder).absolutePath()), m_out(std::move(out)), m_err(std::move(err))
{
    m_soon.setSingleShot(true);
    connect(&m_soon, &QTimer::timeout, this, &PushFollower::pushSettled);
    const auto soon = [this] { m_soon.start(0); };
    LotModel &model = m_lot.Model();
    connect(&model, &QAbstractItemModel::rowsInserted, this, soon);
    connect(&model, &QAbstractItemModel::dataChanged, this, soon);
    connect(&model, &QAbstractItemModel::modelReset, this, soon);
    connect(&m_lot, &LotDocument::scanEnded, this, soon);
    connect(&m_lot, &LotDocument::notice, this, [this](const QString &text) { m_err(text.toUtf8()); });
    m_retry.setInterval(RetryMs);
    connect(&m_retry, &QTimer::timeout, this, &PushFollower::pushSettled);
}

void PushFollower::Start()
{
    m_lot.Start();
    m_retry.start();
}

bool PushFollower::connectDatabase()
{
    if (m_database)
        return true;
    auto database = std::make_unique<FactoryDatabase>();
    QString error;
    if (!database->Open(m_url, &error)) {
        if (!m_unreachable) {
            m_err(error.toUtf8());
            m_err(tr("%1: the files wait until it can be reached again").arg(m_url).toUtf8());
        }
        m_unreachable = true;
        return false;
    }
    if (m_unreachable)
        m_err(tr("%1: reached again; pushing the %n file(s) waiting", nullptr, int(m_waiting)).arg(m_url).toUtf8());
    m_unreachable = false;
    m_database = std::move(database);
    return true;
}

void PushFollower::pushSettled()
{
    qsizetype waiting = 0;
    const LotModel &model = m_lot.Model();
    for (int row = 0; row < model.FileCount(); ++row) {
        const LotFile &file = model.FileAt(row);
        if (!file.IsRead() || file.growing || file.gone)
            continue;
        const auto pushed = m_pushed.constFind(file.path);
        if (pushed != m_pushed.constEnd() && *pushed == file.stamp)
            continue;
        if (!connectDatabase()) {
            ++waiting;
            continue;
        }
        FactoryDatabase::Pushed how = FactoryDatabase::Pushed::Unchanged;
        QString error;
        if (!m_database->Push(m_station, file, &how, &error)) {
            // The connection is taken anew at the next try.
            m_err(error.toUtf8());
            m_err(tr("%1: the files wait until it can be reached again").arg(m_url).toUtf8());
            m_database.reset();
            m_unreachable = true;
            ++waiting;
            continue;
        }
        m_pushed.insert(file.path, file.stamp);
        const char *word = how == FactoryDatabase::Pushed::Added ? "added"
            : how == FactoryDatabase::Pushed::Replaced           ? "replaced"
                                                                 : "already there";
        m_out(QByteArray(word) + ' ' + NativePath::Escaped(file.path).toUtf8() + '\n');
    }
    m_waiting = waiting;
}
