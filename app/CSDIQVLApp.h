#pragma once

#include "app/AppSettings.h"
#include "data/Limits.h"
#include "view/FiberFilterModel.h"

#include <QHash>

#include <QObject>
#include <QStringList>

#include <memory>
#include <optional>

class CMainFrame;
class CSDIQVLDoc;
class CSDIQVLView;
class DocumentManager;

// Start-up: the document, the manager of the files shown in tabs, the main
// window and the form view, and the per-user settings they keep (see
// AppSettings), each written as soon as it changes.
class CSDIQVLApp : public QObject
{
    Q_OBJECT
public:
    static constexpr int MaxRecentFiles = AppSettings::MaxRecentFiles;

    CSDIQVLApp();
    ~CSDIQVLApp() override;

    // Builds and shows the window, then opens `files` as File Open would,
    // once the window is on the screen.
    bool InitInstance(const QStringList &files = {});
    int ExitInstance();

    void OnAppAbout();
    void OnFileNew();
    // Files from the command line or dropped on the window: opened into
    // tabs, and those opened enter the recent-file list.
    void OpenDocumentFiles(const QStringList &paths);
    void AddToRecentFileList(const QString &path);
    // An entry of the recent-file list chosen in the File menu.
    void OnOpenRecentFile(const QString &path);
    void SetVerdictsShown(bool shown);
    // Verdicts > Warning Margin: asks for the band, without blocking the
    // window, and applies what OK takes.
    void OnWarningMargin();
    // The user's limits for the folder of the file shown: kept for the
    // folder while the program runs, and its file remembered.
    void OnLimits();
    void SetLimits(const Limits &limits, const QString &path);
    void SetWarnMargin(std::optional<double> margin);
    // The fiber box lists all fibers, or those of one verdict only; the menu
    // shows which.
    void SetFiberFilter(FiberFilterModel::Verdicts verdicts);

    QStringList RecentFiles() const;
    int PreviewPages() const { return m_nNumPreviewPages; }
    void SetPreviewPages(int pages);

    CMainFrame *MainFrame() const { return m_pMainWnd; }
    CSDIQVLView *View() const { return m_pView; }
    // The document of the one document template, which holds no rows; the
    // file shown is the view's (View()->Document()).
    CSDIQVLDoc *TemplateDocument() const { return m_pDocument; }
    DocumentManager &Manager() const { return *m_manager; }

    static QString RegistryKey() { return AppSettings::RegistryKey(); }
    static QString AppName() { return AppSettings::AppName(); }

private:
    void placeWindow();

    CSDIQVLDoc *m_pDocument = nullptr;
    std::unique_ptr<DocumentManager> m_manager;
    CMainFrame *m_pMainWnd = nullptr;
    CSDIQVLView *m_pView = nullptr;
    int m_nNumPreviewPages = 0;

    static QString folderOf(const QString &path);
    Limits limitsFor(const QString &folder);
    struct FolderLimits
    {
        Limits limits;
        QString path; // the file they are, or none
    };
    QHash<QString, FolderLimits> m_folderLimits; // by folder, while the program runs
};
