#pragma once

#include <QList>
#include <QObject>
#include <QStringList>

class QAction;
class QMenu;

// The recent files: the last four files opened, newest first, as the
// settings keep them for every window of the program, and as numbered
// entries of the File menu. The menu shows the list as it is on the disk
// whenever it opens; the status bar shows an entry's whole path.
class RecentFiles : public QObject
{
    Q_OBJECT
public:
    // The entries go between `separator` and `before` in `menu`.
    RecentFiles(QMenu *menu, QAction *separator, QAction *before, QObject *parent = nullptr);

    const QStringList &Paths() const { return m_paths; }
    // A file opened: at the top of the list.
    void Add(const QString &path);
    // A file off the list.
    void Remove(const QString &path);
    // The list as the settings have it now.
    void Reload();

signals:
    void chosen(const QString &path);

private:
    void show(const QStringList &paths);
    static QString entryText(const QString &path);

    QMenu *m_menu;
    QAction *m_separator;
    QAction *m_before;
    QList<QAction *> m_entries;
    QStringList m_paths;
};
