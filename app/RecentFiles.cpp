#include "app/RecentFiles.h"

#include "app/AppSettings.h"
#include "data/NativePath.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>

RecentFiles::RecentFiles(QMenu *menu, QAction *separator, QAction *before, QObject *parent)
    : QObject(parent), m_menu(menu), m_separator(separator), m_before(before)
{
    connect(menu, &QMenu::aboutToShow, this, &RecentFiles::Reload);
    Reload();
}

void RecentFiles::Add(const QString &path)
{
    show(AppSettings::AddRecentFile(QFileInfo(path).absoluteFilePath()));
}

void RecentFiles::Remove(const QString &path)
{
    show(AppSettings::RemoveRecentFile(path));
}

void RecentFiles::Reload()
{
    show(AppSettings::RecentFiles());
}

void RecentFiles::show(const QStringList &paths)
{
    m_separator->setVisible(!paths.isEmpty());
    if (paths == m_paths && m_entries.size() == paths.size())
        return;
    m_paths = paths;
    // An entry may be going through its own trigger.
    for (QAction *entry : std::as_const(m_entries)) {
        m_menu->removeAction(entry);
        entry->setObjectName(QString());
        entry->deleteLater();
    }
    m_entries.clear();
    for (int i = 0; i < paths.size(); ++i) {
        const QString path = paths.at(i);
        auto *entry = new QAction(QStringLiteral("&%1 %2").arg(i + 1).arg(entryText(path)), m_menu);
        entry->setObjectName(QStringLiteral("recentFile%1").arg(i + 1));
        entry->setStatusTip(NativePath::Display(path));
        connect(entry, &QAction::triggered, this, [this, path] { emit chosen(path); });
        m_menu->insertAction(m_before, entry);
        m_entries.append(entry);
    }
}

// A path as a menu shows it: the home folder as "~", a long one cut in the
// middle, its "&" not taken for a mnemonic.
QString RecentFiles::entryText(const QString &path)
{
    constexpr int kLongest = 60;
    QString text = NativePath::Display(path);
    const QString home = QDir::homePath();
    if (home.size() > 1 && text.startsWith(home + QLatin1Char('/')))
        text = QLatin1Char('~') + text.mid(home.size());
    if (text.size() > kLongest) {
        const int keep = kLongest - 3;
        text = text.left(keep / 3) + QStringLiteral("...") + text.right(keep - keep / 3);
    }
    return text.replace(QLatin1Char('&'), QStringLiteral("&&"));
}
