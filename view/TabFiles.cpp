#include "view/TabFiles.h"

#include "data/NativePath.h"
#include "view/FileDialogs.h"

#include <QCursor>
#include <QFileInfo>
#include <QMenu>
#include <QMouseEvent>
#include <QWheelEvent>

TabFiles::TabFiles(QWidget *parent) : QTabBar(parent)
{
    setExpanding(false);
    setUsesScrollButtons(true);
    setElideMode(Qt::ElideNone);
    // The shown file follows clicks only: keys and the wheel must not move
    // the selection away from the file on screen.
    setFocusPolicy(Qt::NoFocus);
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QTabBar::tabBarClicked, this, &TabFiles::OnClickTabFiles);
    connect(this, &QTabBar::customContextMenuRequested, this, &TabFiles::OnRclickTabFiles);
}

FileDialogs &TabFiles::Dialogs() const
{
    return m_pDialogs ? *m_pDialogs : FileDialogs::Default();
}

// A double click arrives here too.
void TabFiles::mousePressEvent(QMouseEvent *event)
{
    m_button = event->button();
    QTabBar::mousePressEvent(event);
}

void TabFiles::wheelEvent(QWheelEvent *event)
{
    event->accept();
}

// A file that cannot be read is told, and reads as no text.
bool TabFiles::readFile(const QString &path, ResultFileText &text) const
{
    QString error;
    if (ReadResultFile(path, text, &error))
        return true;
    text = ResultFileText();
    Dialogs().ShowMessage(parentWidget(), error);
    return false;
}

bool TabFiles::addTab(const QString &path)
{
    if (m_nTabCount >= MaxTabs) {
        Dialogs().ShowMessage(parentWidget(),
                              tr("Cannot open \"%1\": %2 files are open already. "
                                 "Close a tab first.")
                                  .arg(path)
                                  .arg(MaxTabs));
        return false;
    }
    const QFileInfo file(path);
    // The label shows a name of code page 936 bytes as the characters it means.
    TabRecord record{file.absoluteFilePath(), TabRecord::Label(NativePath::Display(file.fileName()))};
    m_tabRecords.append(record);
    setCurrentIndex(insertTab(m_nTabCount, record.name));
    ++m_nTabCount;
    return true;
}

QStringList TabFiles::OpenFiles(const QStringList &paths)
{
    QStringList opened;
    ResultFileText shown;
    for (const QString &path : paths) {
        if (m_nTabCount >= MaxTabs) {
            addTab(path); // says why it cannot
            break;
        }
        // Read first, so that a file that cannot be read gets no tab.
        ResultFileText text;
        if (!readFile(path, text))
            continue;
        addTab(path);
        shown = std::move(text);
        opened.append(path);
    }
    // None of the files could be read: the file on screen, whose tab is
    // still the selected one, stays.
    if (!opened.isEmpty())
        emit fileRead(shown);
    return opened;
}

// Cancelling the dialog changes nothing: the tabs, the file shown, the
// names typed into the fiber box, the list and the chart all stay.
void TabFiles::OnFileOpen()
{
    OpenFiles(Dialogs().GetOpenFileNames(parentWidget(), FileDialogs::OpenFilter()));
}

// Only the left button shows a tab's file.
void TabFiles::OnClickTabFiles(int index)
{
    if (m_button != Qt::LeftButton || index < 0 || index >= m_nTabCount)
        return;
    setCurrentIndex(index);
    ResultFileText text;
    readFile(m_tabRecords[index].path, text);
    emit fileRead(text);
}

void TabFiles::OnRclickTabFiles(const QPoint &)
{
    QMenu menu(this);
    menu.addAction(QStringLiteral("&Close"), this, &TabFiles::OnCloseTab);
    menu.exec(QCursor::pos());
}

void TabFiles::OnCloseTab()
{
    const int closed = currentIndex();
    if (closed < 0 || closed >= m_nTabCount)
        return;
    m_tabRecords.removeAt(closed);
    --m_nTabCount;
    removeTab(closed);
    // The tab left of the closed one is shown and selected. After the first
    // tab the strip selects the new first tab, so that one is shown.
    const int shown = closed > 0 ? closed - 1 : (m_nTabCount > 0 ? 0 : -1);
    ResultFileText text;
    if (shown >= 0) {
        setCurrentIndex(shown);
        readFile(m_tabRecords[shown].path, text);
    }
    emit fileRead(text);
}
