#include "app/CSDIQVLApp.h"

#include "app/CAboutDlg.h"
#include "app/CMainFrame.h"
#include "app/CSDIQVLDoc.h"
#include "app/Commands.h"
#include "app/RecentFiles.h"
#include "app/StatusPanes.h"
#include "archive/CRuntimeClass.h"
#include "archive/CText.h"
#include "data/NativePath.h"
#include "document/DocumentManager.h"
#include "output/StringTable.h"
#include "view/CSDIQVLView.h"
#include "view/DesktopNotice.h"
#include "view/LimitsDialog.h"
#include "view/WarningMarginDialog.h"

#include <QAction>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>

#include <cerrno>
#include <sys/stat.h>

namespace {

// The classes archives create by name. Each registers itself before
// start-up, by a static object of its own: naming it here links it into
// the program.
const CRuntimeClass *const kRuntimeClasses[] = {&CText::classCText};

} // namespace

CSDIQVLApp::CSDIQVLApp() = default;

CSDIQVLApp::~CSDIQVLApp()
{
    delete m_pMainWnd;
}

bool CSDIQVLApp::InitInstance(const QStringList &files)
{
    for (const CRuntimeClass *runtimeClass : kRuntimeClasses) {
        if (CRuntimeClass::FromName(runtimeClass->m_lpszClassName) != runtimeClass)
            return false;
    }
    m_nNumPreviewPages = AppSettings::PreviewPages();

    m_pDocument = new CSDIQVLDoc(this);
    m_manager = std::make_unique<DocumentManager>();
    m_pMainWnd = new CMainFrame;
    m_pView = new CSDIQVLView(m_manager.get());
    m_pMainWnd->SetView(m_pView);
    m_pMainWnd->Status().Observe(*m_manager);

    for (const Commands::Command &command : Commands::Table()) {
        QAction *action = command.run ? m_pMainWnd->Action(command.id) : nullptr;
        if (!action)
            continue;
        const auto run = command.run;
        connect(action, command.checkable ? &QAction::toggled : &QAction::triggered, this,
                [this, run](bool checked) { run(*this, checked); });
    }
    // The preview's pages side by side live in the settings.
    m_pView->SetPreviewPages(m_nNumPreviewPages);
    connect(m_pView, &CSDIQVLView::previewPagesChanged, this, &CSDIQVLApp::SetPreviewPages);
    connect(m_manager.get(), &DocumentManager::currentTabChanged, this, [this](int index) {
        m_pMainWnd->SetTabKind(index < 0                  ? Commands::WithoutTab
                                   : m_manager->Lot(index) ? Commands::InLotTab
                                                           : Commands::InFileTab,
                               index < 0 ? QString() : m_manager->Record(index).name);
    });
    connect(m_pMainWnd, &CMainFrame::filesDropped, this, &CSDIQVLApp::OpenDocumentFiles);
    connect(m_pMainWnd, &CMainFrame::placeChanged, this, &AppSettings::SetWindowPlace);
    connect(m_pView, &CSDIQVLView::fiberFilterChosen, this, &CSDIQVLApp::SetFiberFilter);
    connect(m_pView, &CSDIQVLView::limitsApplied, this,
            [this](const Limits &limits) { SetLimits(limits, QString()); });
    // Every file opened into a tab, however, goes to the top of the list.
    // An alarm from a station goes to the desktop too, where it is seen
    // with the window hidden.
    connect(m_manager.get(), &DocumentManager::lotAlarms, this, [](const QString &folder, const QStringList &alarms) {
        DesktopNotice::Show(tr("Quenvale: %1").arg(NativePath::Display(folder)), alarms.join(QLatin1Char('\n')));
    });
    connect(m_manager.get(), &DocumentManager::filesOpened, this, [this](const QStringList &paths) {
        for (const QString &path : paths)
            AddToRecentFileList(path);
    });
    connect(&m_pMainWnd->Recent(), &RecentFiles::chosen, this, &CSDIQVLApp::OnOpenRecentFile);

    if (!m_pDocument->OnNewDocument())
        return false;
    m_pView->OnInitialUpdate();
    // The verdicts, shown or not as they were left, with the band and the
    // filter.
    m_pMainWnd->Action(StringTable::ID_VIEW_VERDICTS)->setChecked(AppSettings::VerdictsShown());
    m_manager->SetWarnMargin(AppSettings::WarnMargin());
    m_manager->SetLimitsFor([this](const QString &path) { return limitsFor(folderOf(path)); });
    m_manager->SetPlanStore(&AppSettings::ControlPlanOf, &AppSettings::SetControlPlan);
    SetFiberFilter(FiberFilterModel::Verdicts(AppSettings::FiberFilter()));
    placeWindow();
    m_pMainWnd->show();
    // A file that cannot be read gets its message over the window.
    if (!files.isEmpty())
        m_pMainWnd->WhenShown([this, files] { OpenDocumentFiles(files); });
    return true;
}

// Where the window stood last, if a screen still shows that place; the
// window system's place otherwise, and always on Wayland, where a program
// does not place its windows.
void CSDIQVLApp::placeWindow()
{
    const std::optional<QPoint> place = AppSettings::WindowPlace();
    if (!place || QGuiApplication::platformName() == QLatin1String("wayland"))
        return;
    for (const QScreen *screen : QGuiApplication::screens()) {
        if (screen->availableGeometry().contains(*place)) {
            m_pMainWnd->move(*place);
            return;
        }
    }
}

int CSDIQVLApp::ExitInstance()
{
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

// A folder among them opens as a lot, in its place among the tabs.
void CSDIQVLApp::OpenDocumentFiles(const QStringList &paths)
{
    QStringList files;
    for (const QString &path : paths) {
        if (!QFileInfo(path).isDir()) {
            files.append(path);
            continue;
        }
        m_manager->OpenFiles(std::exchange(files, {})); // those opened enter the list as they open
        m_manager->OpenFolder(path);
    }
    m_manager->OpenFiles(files);
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
    if (m_pView->Dialogs().Ask(m_pMainWnd, tr("\"%1\" is no longer there. Take it off the recent files?")
                                                .arg(NativePath::Display(path))))
        m_pMainWnd->Recent().Remove(path);
}

void CSDIQVLApp::AddToRecentFileList(const QString &path)
{
    if (m_pMainWnd)
        m_pMainWnd->Recent().Add(path);
    else
        AppSettings::AddRecentFile(QFileInfo(path).absoluteFilePath());
}

QStringList CSDIQVLApp::RecentFiles() const
{
    return m_pMainWnd ? m_pMainWnd->Recent().Paths() : AppSettings::RecentFiles();
}

void CSDIQVLApp::SetPreviewPages(int pages)
{
    m_nNumPreviewPages = pages;
    AppSettings::SetPreviewPages(pages);
}

void CSDIQVLApp::OnWarningMargin()
{
    auto *dialog = new WarningMarginDialog(m_manager->Document().WarnMargin(), m_pMainWnd);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &WarningMarginDialog::chosen, this, &CSDIQVLApp::SetWarnMargin);
    dialog->open();
}

QString CSDIQVLApp::folderOf(const QString &path)
{
    return path.isEmpty() ? QString() : QFileInfo(path).absolutePath();
}

// A file of limits remembered for the folder that can no longer be read
// judges nothing: its fibers go by their rows' thresholds.
Limits CSDIQVLApp::limitsFor(const QString &folder)
{
    if (folder.isEmpty())
        return Limits();
    const auto kept = m_folderLimits.constFind(folder);
    if (kept != m_folderLimits.cend())
        return kept->limits;
    FolderLimits limits;
    limits.path = AppSettings::LimitsFile(folder);
    if (!limits.path.isEmpty() && !Limits::Read(limits.path, &limits.limits, nullptr))
        limits = FolderLimits();
    m_folderLimits.insert(folder, limits);
    return limits.limits;
}

void CSDIQVLApp::OnLimits()
{
    const QString folder = folderOf(m_manager->Document().Path());
    limitsFor(folder);
    const FolderLimits kept = m_folderLimits.value(folder);
    auto *dialog = new LimitsDialog(m_manager->LimitsInUse(), kept.path, m_pView->Dialogs(), m_pMainWnd);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &LimitsDialog::chosen, this, &CSDIQVLApp::SetLimits);
    dialog->open();
}

void CSDIQVLApp::SetLimits(const Limits &limits, const QString &path)
{
    const QString folder = folderOf(m_manager->Document().Path());
    if (!folder.isEmpty()) {
        m_folderLimits.insert(folder, {limits, path});
        if (!path.isEmpty() || limits.IsEmpty())
            AppSettings::SetLimitsFile(folder, path);
    }
    m_manager->SetLimits(limits);
}

void CSDIQVLApp::SetWarnMargin(std::optional<double> margin)
{
    m_manager->SetWarnMargin(margin);
    if (margin != AppSettings::WarnMargin())
        AppSettings::SetWarnMargin(margin);
}

void CSDIQVLApp::SetFiberFilter(FiberFilterModel::Verdicts verdicts)
{
    if (m_pView->FiberFilter() != verdicts)
        m_pView->SetFiberFilter(verdicts);
    m_pMainWnd->Action(StringTable::ID_FILTER_ALL + int(verdicts))->setChecked(true);
    if (int(verdicts) != AppSettings::FiberFilter())
        AppSettings::SetFiberFilter(int(verdicts));
}

void CSDIQVLApp::SetVerdictsShown(bool shown)
{
    m_pView->SetVerdictsShown(shown);
    m_pMainWnd->Status().SetYieldShown(shown);
    if (shown != AppSettings::VerdictsShown())
        AppSettings::SetVerdictsShown(shown);
}
