#pragma once

#include <QObject>
#include <QStringList>

class CMainFrame;
class CSDIQVLDoc;
class CSDIQVLView;

// Start-up and the per-user settings: the document, the main window and the
// form view, the recent-file list (4 entries, shown in the File menu) and
// the print-preview page count, read at start and written back at exit.
class CSDIQVLApp : public QObject
{
    Q_OBJECT
public:
    static constexpr int MaxRecentFiles = 4;

    CSDIQVLApp();
    ~CSDIQVLApp() override;

    // Builds and shows the window, then opens `files` as File Open would,
    // once the window is on the screen.
    bool InitInstance(const QStringList &files = {});
    // Writes the settings back.
    int ExitInstance();

    void OnAppAbout();
    void OnFileNew();
    // Files from the command line or dropped on the window: opened into
    // tabs, and those opened enter the recent-file list.
    void OpenDocumentFiles(const QStringList &paths);
    void AddToRecentFileList(const QString &path);
    // An entry of the recent-file list chosen in the File menu.
    void OnOpenRecentFile(const QString &path);

    QStringList RecentFiles() const { return m_recentFiles; }
    int PreviewPages() const { return m_nNumPreviewPages; }
    void SetPreviewPages(int pages) { m_nNumPreviewPages = pages; }

    CMainFrame *MainFrame() const { return m_pMainWnd; }
    CSDIQVLView *View() const { return m_pView; }
    CSDIQVLDoc *Document() const { return m_pDocument; }

    // Where the per-user settings live: the key and the application's title.
    static QString RegistryKey() { return QStringLiteral("Local AppWizard-Generated Applications"); }
    static QString AppName();

private:
    void loadStdProfileSettings();
    void saveStdProfileSettings() const;

    CSDIQVLDoc *m_pDocument = nullptr;
    CMainFrame *m_pMainWnd = nullptr;
    CSDIQVLView *m_pView = nullptr;
    QStringList m_recentFiles;
    int m_nNumPreviewPages = 0;
    bool m_bVerdicts = false; // shown, as the settings keep it
};
