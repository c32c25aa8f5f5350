#include "app/Commands.h"

#include "app/CMainFrame.h"
#include "app/CSDIQVLApp.h"
#include "output/StringTable.h"
#include "view/CSDIQVLView.h"

using namespace StringTable;

namespace Commands {

namespace {

QKeySequence keys(QKeyCombination combination)
{
    return QKeySequence(combination);
}

template <void (CSDIQVLView::*handler)()>
void onView(CSDIQVLApp &app, bool)
{
    (app.View()->*handler)();
}

template <void (CSDIQVLApp::*handler)()>
void onApp(CSDIQVLApp &app, bool)
{
    (app.*handler)();
}

template <FiberFilterModel::Verdicts verdicts>
void onFilter(CSDIQVLApp &app, bool checked)
{
    if (checked)
        app.SetFiberFilter(verdicts);
}

constexpr int kFilterGroup = 1;

} // namespace

const QList<Command> &Table()
{
    static const QList<Command> table{
        {ID_FILE_OPEN, Menu::File, QT_TRANSLATE_NOOP("Commands", "Open(&O)..."), {keys(Qt::CTRL | Qt::Key_O)}, ":/res/toolbar-open.png", 1, false, Anywhere,
         onView<&CSDIQVLView::OnFileOpen>},
        {ID_FILE_OPEN_FOLDER, Menu::File, QT_TRANSLATE_NOOP("Commands", "Open Folder(&D)..."), {keys(Qt::CTRL | Qt::SHIFT | Qt::Key_O)}, nullptr, 0,
         false, Anywhere, onView<&CSDIQVLView::OnFileOpenFolder>},
        {ID_FILE_OPEN_DATABASE, Menu::File, QT_TRANSLATE_NOOP("Commands", "Open Database(&B)..."), {}, nullptr, 0, false, Anywhere,
         onView<&CSDIQVLView::OnFileOpenDatabase>},
        {ID_CLOSE_TAB, Menu::File, QT_TRANSLATE_NOOP("Commands", "Close(&C)"), {keys(Qt::CTRL | Qt::Key_W), keys(Qt::CTRL | Qt::Key_F4)}, nullptr, 0,
         false, InAnyTab, onView<&CSDIQVLView::OnCloseTab>},
        {ID_FILE_SAVE_AS, Menu::File, QT_TRANSLATE_NOOP("Commands", "Save As(&A)..."), {}, nullptr, 0, false, OnTheForm, onView<&CSDIQVLView::OnFileSaveAs>},
        {ID_FILE_EXPORT_WORKBOOK, Menu::File, QT_TRANSLATE_NOOP("Commands", "Export Workbook(&W)..."), {}, nullptr, 0, false, Anywhere,
         onView<&CSDIQVLView::OnFileExportWorkbook>},
        {ID_FILE_COMPARE, Menu::File, QT_TRANSLATE_NOOP("Commands", "Compare(&M)..."), {}, nullptr, 0, false, Anywhere, onView<&CSDIQVLView::OnFileCompare>},
        {Separator, Menu::File, nullptr, {}, nullptr, 0, false, Anywhere, nullptr},
        {ID_FILE_PRINT, Menu::File, QT_TRANSLATE_NOOP("Commands", "Print(&P)..."), {keys(Qt::CTRL | Qt::Key_P)}, ":/res/toolbar-print.png", 4, false, Anywhere,
         onView<&CSDIQVLView::OnFilePrint>},
        {ID_FILE_PRINT_PREVIEW, Menu::File, QT_TRANSLATE_NOOP("Commands", "Print Preview(&V)"), {}, nullptr, 0, false, Anywhere,
         onView<&CSDIQVLView::OnFilePrintPreview>},
        {RecentFiles, Menu::File, nullptr, {}, nullptr, 0, false, Anywhere, nullptr},
        {ID_APP_EXIT, Menu::File, QT_TRANSLATE_NOOP("Commands", "Exit(&X)"), {}, nullptr, 0, false, Anywhere,
         [](CSDIQVLApp &app, bool) { app.MainFrame()->close(); }},
        {ID_EDIT_COPY, Menu::Edit, QT_TRANSLATE_NOOP("Commands", "Copy(&C)"), {keys(Qt::CTRL | Qt::Key_C), keys(Qt::CTRL | Qt::Key_Insert)}, nullptr,
         0, false, Anywhere, onView<&CSDIQVLView::OnEditCopy>},
        {Separator, Menu::Edit, nullptr, {}, nullptr, 0, false, Anywhere, nullptr},
        {ID_FIND_FIBER, Menu::Edit, QT_TRANSLATE_NOOP("Commands", "Find Fiber(&F)..."), {keys(Qt::CTRL | Qt::Key_F)}, nullptr, 0, false, Anywhere,
         onView<&CSDIQVLView::OnEditFind>},
        {ID_VIEW_VERDICTS, Menu::Verdicts, QT_TRANSLATE_NOOP("Commands", "Show Verdicts(&S)"), {keys(Qt::CTRL | Qt::Key_J)},
         ":/res/toolbar-verdicts.png", 6, true, OnTheForm, [](CSDIQVLApp &app, bool on) { app.SetVerdictsShown(on); }},
        {ID_WARN_MARGIN, Menu::Verdicts, QT_TRANSLATE_NOOP("Commands", "Warning Margin(&W)..."), {}, nullptr, 0, false, OnTheForm,
         onApp<&CSDIQVLApp::OnWarningMargin>},
        {ID_LIMITS, Menu::Verdicts, QT_TRANSLATE_NOOP("Commands", "Limits(&L)..."), {}, nullptr, 0, false, OnTheForm, onApp<&CSDIQVLApp::OnLimits>},
        {Separator, Menu::Verdicts, nullptr, {}, nullptr, 0, false, Anywhere, nullptr},
        {ID_NEXT_FAILURE, Menu::Verdicts, QT_TRANSLATE_NOOP("Commands", "Next Failing Fiber(&N)"), {keys(QKeyCombination(Qt::Key_F8))}, nullptr, 0, false, OnTheForm,
         onView<&CSDIQVLView::OnNextFailure>},
        {ID_PREV_FAILURE, Menu::Verdicts, QT_TRANSLATE_NOOP("Commands", "Previous Failing Fiber(&P)"), {keys(Qt::SHIFT | Qt::Key_F8)}, nullptr, 0,
         false, OnTheForm, onView<&CSDIQVLView::OnPrevFailure>},
        {Separator, Menu::Verdicts, nullptr, {}, nullptr, 0, false, Anywhere, nullptr},
        {ID_FILTER_ALL, Menu::Verdicts, QT_TRANSLATE_NOOP("Commands", "All Fibers(&A)"), {}, nullptr, 0, true, OnTheForm,
         onFilter<FiberFilterModel::Verdicts::All>, kFilterGroup},
        {ID_FILTER_FAILING, Menu::Verdicts, QT_TRANSLATE_NOOP("Commands", "Failing Fibers Only(&F)"), {}, nullptr, 0, true, OnTheForm,
         onFilter<FiberFilterModel::Verdicts::Failing>, kFilterGroup},
        {ID_FILTER_MARGINAL, Menu::Verdicts, QT_TRANSLATE_NOOP("Commands", "Marginal Fibers Only(&M)"), {}, nullptr, 0, true, OnTheForm,
         onFilter<FiberFilterModel::Verdicts::Marginal>, kFilterGroup},
        {ID_FILTER_INCOMPLETE, Menu::Verdicts, QT_TRANSLATE_NOOP("Commands", "Incomplete Fibers Only(&I)"), {}, nullptr, 0, true, OnTheForm,
         onFilter<FiberFilterModel::Verdicts::Incomplete>, kFilterGroup},
        {Separator, Menu::Verdicts, nullptr, {}, nullptr, 0, false, Anywhere, nullptr},
        {ID_VIEW_SUMMARY, Menu::Verdicts, QT_TRANSLATE_NOOP("Commands", "Summary(&U)..."), {}, ":/res/toolbar-summary.png", 7, false, OnTheForm,
         onView<&CSDIQVLView::OnViewSummary>},
        {ID_VIEW_DISTRIBUTIONS, Menu::Verdicts, QT_TRANSLATE_NOOP("Commands", "Distributions(&D)..."), {keys(Qt::CTRL | Qt::Key_D)}, nullptr, 0,
         false, Anywhere, onView<&CSDIQVLView::OnViewDistributions>},
        {ID_APP_ABOUT, Menu::Help, QT_TRANSLATE_NOOP("Commands", "About Quenvale(&A)..."), {}, nullptr, 0, false, Anywhere, onApp<&CSDIQVLApp::OnAppAbout>},
        // Keys without a menu item.
        {ID_FILE_NEW, Menu::None, QT_TRANSLATE_NOOP("Commands", "New"), {keys(Qt::CTRL | Qt::Key_N)}, nullptr, 0, false, Anywhere,
         onApp<&CSDIQVLApp::OnFileNew>},
        {ID_FILE_SAVE, Menu::None, QT_TRANSLATE_NOOP("Commands", "Save"), {keys(Qt::CTRL | Qt::Key_S)}, ":/res/toolbar-save.png", 2, false, Anywhere,
         onView<&CSDIQVLView::OnFileSave>},
        {ID_NEXT_TAB, Menu::None, QT_TRANSLATE_NOOP("Commands", "Next Tab"), {keys(Qt::CTRL | Qt::Key_Tab), keys(Qt::CTRL | Qt::Key_PageDown)},
         nullptr, 0, false, Anywhere, onView<&CSDIQVLView::OnNextTab>},
        // Shift turns Tab into Backtab before a shortcut sees it.
        {ID_PREV_TAB, Menu::None, QT_TRANSLATE_NOOP("Commands", "Previous Tab"),
         {keys(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab), keys(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab),
          keys(Qt::CTRL | Qt::Key_PageUp)},
         nullptr, 0, false, Anywhere, onView<&CSDIQVLView::OnPrevTab>},
        // The edit and pane keys are taken and do nothing; an edit field with
        // the focus still gets its own keys.
        {ID_EDIT_UNDO, Menu::None, "", {keys(Qt::CTRL | Qt::Key_Z), keys(Qt::ALT | Qt::Key_Backspace)}, nullptr, 0,
         false, Anywhere, nullptr},
        {ID_EDIT_CUT, Menu::None, "", {keys(Qt::CTRL | Qt::Key_X), keys(Qt::SHIFT | Qt::Key_Delete)}, nullptr, 0,
         false, Anywhere, nullptr},
        {ID_EDIT_PASTE, Menu::None, "", {keys(Qt::CTRL | Qt::Key_V), keys(Qt::SHIFT | Qt::Key_Insert)}, nullptr, 0,
         false, Anywhere, nullptr},
        {ID_NEXT_PANE, Menu::None, "", {keys(QKeyCombination(Qt::Key_F6))}, nullptr, 0, false, Anywhere, nullptr},
        {ID_PREV_PANE, Menu::None, "", {keys(Qt::SHIFT | Qt::Key_F6)}, nullptr, 0, false, Anywhere, nullptr},
    };
    return table;
}

const Command *Find(int id)
{
    for (const Command &command : Table()) {
        if (command.id == id)
            return &command;
    }
    return nullptr;
}

QList<QPair<Menu, const char *>> Menus()
{
    return {{Menu::File, QT_TRANSLATE_NOOP("Commands", "File(&F)")}, {Menu::Edit, QT_TRANSLATE_NOOP("Commands", "Edit(&E)")}, {Menu::Verdicts, QT_TRANSLATE_NOOP("Commands", "Verdicts(&V)")},
            {Menu::Help, QT_TRANSLATE_NOOP("Commands", "Help(&H)")}};
}

} // namespace Commands
