#include "output/StringTable.h"

#include <QCoreApplication>
#include <QHash>

namespace StringTable {

namespace {

const QHash<int, const char *> &table()
{
    static const QHash<int, const char *> strings = [] {
        const struct { int id; const char *text; } entries[] = {
            {IDR_MAINFRAME, QT_TRANSLATE_NOOP("StringTable", "\nqvl\n")},
            {ID_VIEW_VERDICTS, QT_TRANSLATE_NOOP("StringTable", "Show which fibers fail their thresholds, where and by how much\nVerdicts")},
            {ID_NEXT_FAILURE, QT_TRANSLATE_NOOP("StringTable", "Show the next fiber that fails its thresholds\nNext failing fiber")},
            {ID_PREV_FAILURE, QT_TRANSLATE_NOOP("StringTable", "Show the previous fiber that fails its thresholds\nPrevious failing fiber")},
            {ID_VIEW_SUMMARY, QT_TRANSLATE_NOOP("StringTable", "Show the file's figures per channel and its failing fibers\nSummary")},
            {ID_CLOSE_TAB, QT_TRANSLATE_NOOP("StringTable", "Close the selected tab\nClose")},
            {ID_FIND_FIBER, QT_TRANSLATE_NOOP("StringTable", "Find a fiber by a part of its name\nFind fiber")},
            {ID_NEXT_TAB, QT_TRANSLATE_NOOP("StringTable", "Show the file of the next tab\nNext tab")},
            {ID_PREV_TAB, QT_TRANSLATE_NOOP("StringTable", "Show the file of the previous tab\nPrevious tab")},
            {ID_WARN_MARGIN, QT_TRANSLATE_NOOP("StringTable", "Mark the fibers that pass by less than a margin of your choice\nWarning margin")},
            {ID_LIMITS, QT_TRANSLATE_NOOP("StringTable", "Judge the fibers by limits of your own: lower, upper and a band per channel\nLimits")},
            {ID_VIEW_DISTRIBUTIONS,
             QT_TRANSLATE_NOOP("StringTable", "Show each channel's distribution against its threshold and the Pareto of the failures\nDistributions")},
            {ID_FILTER_ALL, QT_TRANSLATE_NOOP("StringTable", "List every fiber in the fiber box\nAll fibers")},
            {ID_FILTER_FAILING, QT_TRANSLATE_NOOP("StringTable", "List only the fibers that fail in the fiber box\nFailing fibers")},
            {ID_FILTER_MARGINAL, QT_TRANSLATE_NOOP("StringTable", "List only the marginal fibers in the fiber box\nMarginal fibers")},
            {ID_FILTER_INCOMPLETE, QT_TRANSLATE_NOOP("StringTable", "List only the fibers of fewer than 18 rows in the fiber box\nIncomplete fibers")},
            {ID_FILE_EXPORT_WORKBOOK,
             QT_TRANSLATE_NOOP("StringTable", "Write the file shown as an Excel workbook: its fibers with their verdicts, its channels and its rows\n"
             "Export workbook")},
            {ID_FILE_OPEN_DATABASE, QT_TRANSLATE_NOOP("StringTable", "Open a lot of the factory's database: stations and a time range\nOpen Database")},
            {ID_FILE_COMPARE,
             QT_TRANSLATE_NOOP("StringTable", "Compare two files or folders: each channel's shift and how far the verdicts of their fibers agree\n"
             "Compare")},
            {AFX_IDS_APP_TITLE, QT_TRANSLATE_NOOP("StringTable", "Quenvale")},
            {AFX_IDS_IDLEMESSAGE, QT_TRANSLATE_NOOP("StringTable", "Ok")},
            {ID_FILE_NEW, QT_TRANSLATE_NOOP("StringTable", "建立新文档\n新建")},
            {ID_FILE_OPEN, QT_TRANSLATE_NOOP("StringTable", "Open an existing document\nOpen")},
            {ID_FILE_OPEN_FOLDER, QT_TRANSLATE_NOOP("StringTable", "Open a folder's result files together as a lot\nOpen Folder")},
            {ID_FILE_CLOSE, QT_TRANSLATE_NOOP("StringTable", "关闭活动文档\n关闭")},
            {ID_FILE_SAVE, QT_TRANSLATE_NOOP("StringTable", "Save the active document\nSave")},
            {ID_FILE_SAVE_AS, QT_TRANSLATE_NOOP("StringTable", "Save the active document as a new file \nSave as")},
            {ID_FILE_PAGE_SETUP, QT_TRANSLATE_NOOP("StringTable", "改变打印选项\n页面设置")},
            {ID_FILE_PRINT_SETUP, QT_TRANSLATE_NOOP("StringTable", "改变打印机及打印选项\n打印设置")},
            {ID_FILE_PRINT, QT_TRANSLATE_NOOP("StringTable", "Print the active document\nPrint")},
            {ID_FILE_PRINT_PREVIEW, QT_TRANSLATE_NOOP("StringTable", "Show whole page\nPrint preview")},
            {ID_EDIT_CLEAR, QT_TRANSLATE_NOOP("StringTable", "删除被选对象\n删除")},
            {ID_EDIT_CLEAR_ALL, QT_TRANSLATE_NOOP("StringTable", "全部删除\n全部删除")},
            {ID_EDIT_COPY, QT_TRANSLATE_NOOP("StringTable", "复制被选对象并将其置于剪贴板上\n复制")},
            {ID_EDIT_CUT, QT_TRANSLATE_NOOP("StringTable", "剪切被选对象并将其置于剪贴板上\n剪切")},
            {ID_EDIT_FIND, QT_TRANSLATE_NOOP("StringTable", "查找指定的正文\n查找")},
            {ID_EDIT_PASTE, QT_TRANSLATE_NOOP("StringTable", "插入剪贴板内容\n粘贴")},
            {ID_EDIT_REPEAT, QT_TRANSLATE_NOOP("StringTable", "重复上一步操作\n重复")},
            {ID_EDIT_REPLACE, QT_TRANSLATE_NOOP("StringTable", "用不同的正文替换指定的正文\n替换")},
            {ID_EDIT_SELECT_ALL, QT_TRANSLATE_NOOP("StringTable", "选择整个文档\n选择全部")},
            {ID_EDIT_UNDO, QT_TRANSLATE_NOOP("StringTable", "撤消最后一步操作\n撤消")},
            {ID_EDIT_REDO, QT_TRANSLATE_NOOP("StringTable", "重新执行先前已撤消的操作\n重新执行")},
            {ID_WINDOW_SPLIT, QT_TRANSLATE_NOOP("StringTable", "将活动的窗口分隔成窗格\n分隔")},
            {ID_APP_ABOUT, QT_TRANSLATE_NOOP("StringTable", "Show the program information，version and copyright\nAbout")},
            {ID_APP_EXIT, QT_TRANSLATE_NOOP("StringTable", "Quit the program\nQuit")},
            {ID_NEXT_PANE, QT_TRANSLATE_NOOP("StringTable", "切换到下一个窗格\n下一窗格")},
            {ID_PREV_PANE, QT_TRANSLATE_NOOP("StringTable", "切换回前一个窗格\n前一窗格")},
            {ID_INDICATOR_EXT, QT_TRANSLATE_NOOP("StringTable", "EXT")},
            {ID_INDICATOR_CAPS, QT_TRANSLATE_NOOP("StringTable", "CAPS")},
            {ID_INDICATOR_NUM, QT_TRANSLATE_NOOP("StringTable", "NUM")},
            {ID_INDICATOR_SCRL, QT_TRANSLATE_NOOP("StringTable", "SCRL")},
            {ID_INDICATOR_OVR, QT_TRANSLATE_NOOP("StringTable", "OVR")},
            {ID_INDICATOR_REC, QT_TRANSLATE_NOOP("StringTable", "REC")},
            {ID_VIEW_TOOLBAR, QT_TRANSLATE_NOOP("StringTable", "显示或隐藏工具栏\n显隐工具栏")},
            {ID_VIEW_STATUS_BAR, QT_TRANSLATE_NOOP("StringTable", "显示或隐藏状态栏\n显隐状态栏")},
            {AFX_IDS_SCSIZE, QT_TRANSLATE_NOOP("StringTable", "改变窗口大小")},
            {AFX_IDS_SCMOVE, QT_TRANSLATE_NOOP("StringTable", "改变窗口位置")},
            {AFX_IDS_SCMINIMIZE, QT_TRANSLATE_NOOP("StringTable", "将窗口缩小成图标")},
            {AFX_IDS_SCMAXIMIZE, QT_TRANSLATE_NOOP("StringTable", "把窗口放大到最大尺寸")},
            {AFX_IDS_SCNEXTWINDOW, QT_TRANSLATE_NOOP("StringTable", "切换到下一个文档窗口")},
            {AFX_IDS_SCPREVWINDOW, QT_TRANSLATE_NOOP("StringTable", "切换到先前的文档窗口")},
            {AFX_IDS_SCCLOSE, QT_TRANSLATE_NOOP("StringTable", "关闭活动的窗口并提示保存所有文档")},
            {AFX_IDS_SCRESTORE, QT_TRANSLATE_NOOP("StringTable", "把窗口恢复到正常大小")},
            {AFX_IDS_SCTASKLIST, QT_TRANSLATE_NOOP("StringTable", "激活任务表")},
            {AFX_IDS_PREVIEW_CLOSE, QT_TRANSLATE_NOOP("StringTable", "关闭打印预览模式\n取消预阅")},
        };
        QHash<int, const char *> map;
        for (const auto &entry : entries)
            map.insert(entry.id, entry.text);
        for (int id = ID_FILE_MRU_FILE1; id <= ID_FILE_MRU_FILE16; ++id)
            map.insert(id, QT_TRANSLATE_NOOP("StringTable", "打开该文档"));
        return map;
    }();
    return strings;
}

} // namespace

// Each text is looked up in the translation of the user's language when
// asked for, so that one installed after the table was made still counts.
QString LoadString(int id)
{
    const char *text = table().value(id);
    return text ? QCoreApplication::translate("StringTable", text) : QString();
}

QString Prompt(int id)
{
    const QString text = LoadString(id);
    return text.left(text.indexOf(QLatin1Char('\n')));
}

QString ToolTip(int id)
{
    const QString text = LoadString(id);
    const qsizetype newline = text.indexOf(QLatin1Char('\n'));
    return newline < 0 ? QString() : text.mid(newline + 1);
}

QString DocumentTitle()
{
    return LoadString(IDR_MAINFRAME).section(QLatin1Char('\n'), 1, 1);
}

} // namespace StringTable
