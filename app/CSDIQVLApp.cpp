#include "app/CSDIQVLApp.h"

#include "app/CAboutDlg.h"
#include "app/CMainFrame.h"
#include "app/CSDIQVLDoc.h"
#include "data/NativePath.h"
#include "output/StringTable.h"
#include "view/CSDIQVLView.h"

#include <QAction>
#include <QFileInfo>
#include <QSettings>

#include <cerrno>
#include <sys/stat.h>

namespace {

const char kRecentSection[] = "Recent File List";
const char kRecentEntry[] = "File%1";
const char kPreviewKey[] = "Settings/PreviewPages";
const char kVerdictsKey[] = "Settings/Verdicts";

} // namespace

CSDIQVLApp::CSDIQVLApp() = default;

QString CSDIQVLApp::AppName()
{
    return StringTable::LoadString(StringTable::AFX_IDS_APP_TITLE);
}

CSDIQVLApp::~CSDIQVLApp()
{
    delete m_pMainWnd;
}

bool CSDIQVLApp::InitInstance(const QStringList &files)
{
    loadStdProfileSettings();

    m_pDocument = new CSDIQVLDoc(this);
    m_pMainWnd = new CMainFrame;
    m_pView = new CSDIQVLView;
    m_pMainWnd->SetView(m_pView);

    using namespace StringTable;
    // The commands the form carries out.
    const struct
    {
        int id;
        void (CSDIQVLView::*handler)();
    } viewCommands[] = {
        {ID_FILE_OPEN, &CSDIQVLView::OnFileOpen},
        {ID_FILE_SAVE, &CSDIQVLView::OnFileSave},
        {ID_FILE_SAVE_AS, &CSDIQVLView::OnFileSaveAs},
        {ID_FILE_PRINT, &CSDIQVLView::OnFilePrint},
        {ID_FILE_PRINT_PREVIEW, &CSDIQVLView::OnFilePrintPreview},
        {ID_CLOSE_TAB, &CSDIQVLView::OnCloseTab},
        {ID_NEXT_TAB, &CSDIQVLView::OnNextTab},
        {ID_PREV_TAB, &CSDIQVLView::OnPrevTab},
        {ID_EDIT_COPY, &CSDIQVLView::OnEditCopy},
        {ID_FIND_FIBER, &CSDIQVLView::OnEditFind},
        {ID_NEXT_FAILURE, &CSDIQVLView::OnNextFailure},
        {ID_PREV_FAILURE, &CSDIQVLView::OnPrevFailure},
        {ID_VIEW_SUMMARY, &CSDIQVLView::OnViewSummary},
    };
    for (const auto &command : viewCommands)
        connect(m_pMainWnd->Action(command.id), &QAction::triggered, m_pView, command.handler);
    // The preview's pages side by side live in the settings.
    m_pView->SetPreviewPages(m_nNumPreviewPages);
    connect(m_pView, &CSDIQVLView::previewPagesChanged, this, &CSDIQVLApp::SetPreviewPages);
    connect(m_pMainWnd->Action(ID_FILE_NEW), &QAction::triggered, this, &CSDIQVLApp::OnFileNew);
    // The verdicts, shown or not as they were left.
    QAction *verdicts = m_pMainWnd->Action(ID_VIEW_VERDICTS);
    connect(verdicts, &QAction::toggled, this, [this](bool on) {
        m_bVerdicts = on;
        m_pView->SetVerdictsShown(on);
    });
    connect(m_pMainWnd->Action(ID_APP_ABOUT), &QAction::triggered, this,
            &CSDIQVLApp::OnAppAbout);
    connect(m_pMainWnd, &CMainFrame::filesDropped, this, &CSDIQVLApp::OpenDocumentFiles);
    // Every file opened into a tab, however, goes to the top of the list.
    connect(m_pView, &CSDIQVLView::filesOpened, this, [this](const QStringList &paths) {
        for (const QString &path : paths)
            AddToRecentFileList(path);
    });
    connect(m_pMainWnd, &CMainFrame::recentFileChosen, this, &CSDIQVLApp::OnOpenRecentFile);
    m_pMainWnd->SetRecentFiles(m_recentFiles);

    if (!m_pDocument->OnNewDocument())
        return false;
    m_pView->OnInitialUpdate();
    verdicts->setChecked(m_bVerdicts);
    m_pMainWnd->show();
    // A file that cannot be read gets its message over the window.
    if (!files.isEmpty())
        m_pMainWnd->WhenShown([this, files] { OpenDocumentFiles(files); });
    return true;
}

int CSDIQVLApp::ExitInstance()
{
    saveStdProfileSettings();
    return 0;
}

void CSDIQVLApp::OnAppAbout()
{
    CAboutDlg dialog(m_pMainWnd);
    dialog.exec();
}

// The document is re-initialised in place; it is never modified, so there
// is nothing to ask. The view's set-up runs again.
void CSDIQVLApp::OnFileNew()
{
    if (m_pDocument->OnNewDocument())
        m_pView->OnInitialUpdate();
}

void CSDIQVLApp::OpenDocumentFiles(const QStringList &paths)
{
    m_pView->OpenFiles(paths); // those opened enter the list as they open
}

// A file that is gone is said to be, and stays on the list unless the user
// takes it off; any other file opens as File Open opens it, and one that
// cannot be read says why.
void CSDIQVLApp::OnOpenRecentFile(const QString &path)
{
    struct stat info = {};
    if (::stat(NativePath::Encode(path).constData(), &info) == 0 || errno != ENOENT) {
        OpenDocumentFiles({path});
        return;
    }
    if (!m_pView->ForgetMissingFile(path))
        return;
    m_recentFiles.removeAll(path);
    m_pMainWnd->SetRecentFiles(m_recentFiles);
}

void CSDIQVLApp::AddToRecentFileList(const QString &path)
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    m_recentFiles.removeAll(absolute);
    m_recentFiles.prepend(absolute);
    while (m_recentFiles.size() > MaxRecentFiles)
        m_recentFiles.removeLast();
    if (m_pMainWnd)
        m_pMainWnd->SetRecentFiles(m_recentFiles);
}

void CSDIQVLApp::loadStdProfileSettings()
{
    QSettings store(RegistryKey(), AppName());
    m_recentFiles.clear();
    store.beginGroup(QString::fromLatin1(kRecentSection));
    for (int i = 1; i <= MaxRecentFiles; ++i) {
        const QString path = store.value(QString::fromLatin1(kRecentEntry).arg(i)).toString();
        if (!path.isEmpty())
            m_recentFiles.append(path);
    }
    store.endGroup();
    m_nNumPreviewPages = store.value(QString::fromLatin1(kPreviewKey), 0).toInt();
    m_bVerdicts = store.value(QString::fromLatin1(kVerdictsKey), false).toBool();
}

void CSDIQVLApp::saveStdProfileSettings() const
{
    QSettings store(RegistryKey(), AppName());
    store.remove(QString::fromLatin1(kRecentSection));
    store.beginGroup(QString::fromLatin1(kRecentSection));
    for (int i = 0; i < m_recentFiles.size(); ++i)
        store.setValue(QString::fromLatin1(kRecentEntry).arg(i + 1), m_recentFiles.at(i));
    store.endGroup();
    if (m_nNumPreviewPages != 0)
        store.setValue(QString::fromLatin1(kPreviewKey), m_nNumPreviewPages);
    if (m_bVerdicts)
        store.setValue(QString::fromLatin1(kVerdictsKey), true);
    else
        store.remove(QString::fromLatin1(kVerdictsKey));
}
