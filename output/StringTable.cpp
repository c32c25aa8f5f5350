#include "output/StringTable.h"

#include <QHash>

namespace StringTable {

namespace {

const QHash<int, QString> &table()
{
    static const QHash<int, QString> strings = [] {
        const struct { int id; const char *text; } entries[] = {
            {IDR_MAINFRAME, "\nqvl\n"},
            {ID_VIEW_VERDICTS, "Show which fibers fail their thresholds, where and by how much\nVerdicts"},
            {ID_NEXT_FAILURE, "Show the next fiber that fails its thresholds\nNext failing fiber"},
            {ID_PREV_FAILURE, "Show the previous fiber that fails its thresholds\nPrevious failing fiber"},
            {ID_VIEW_SUMMARY, "Show the file's figures per channel and its failing fibers\nSummary"},
            {ID_CLOSE_TAB, "Close the selected tab\nClose"},
            {ID_FIND_FIBER, "Find a fiber by a part of its name\nFind fiber"},
            {ID_NEXT_TAB, "Show the file of the next tab\nNext tab"},
            {ID_PREV_TAB, "Show the file of the previous tab\nPrevious tab"},
            {ID_WARN_MARGIN, "Mark the fibers that pass by less than a margin of your choice\nWarning margin"},
            {ID_LIMITS, "Judge the fibers by limits of your own: lower, upper and a band per channel\nLimits"},
            {ID_VIEW_DISTRIBUTIONS,
             "Show each channel's distribution against its threshold and the Pareto of the failures\nDistributions"},
            {ID_FILTER_ALL, "List every fiber in the fiber box\nAll fibers"},
            {ID_FILTER_FAILING, "List only the fibers that fail in the fiber box\nFailing fibers"},
            {ID_FILTER_MARGINAL, "List only the marginal fibers in the fiber box\nMarginal fibers"},
            {ID_FILTER_INCOMPLETE, "List only the fibers of fewer than 18 rows in the fiber box\nIncomplete fibers"},
            {ID_FILE_EXPORT_WORKBOOK,
             "Write the file shown as an Excel workbook: its fibers with their verdicts, its channels and its rows\n"
             "Export workbook"},
            {ID_FILE_OPEN_DATABASE, "Open a lot of the factory's database: stations and a time range\nOpen Database"},
            {ID_FILE_COMPARE,
             "Compare two files or folders: each channel's shift and how far the verdicts of their fibers agree\n"
             "Compare"},
            {AFX_IDS_APP_TITLE, "Quenvale"},
            {AFX_IDS_IDLEMESSAGE, "Ok"},
            {ID_FILE_NEW, "建立新文档\n新建"},
            {ID_FILE_OPEN, "Open an existing document\nOpen"},
            {ID_FILE_OPEN_FOLDER, "Open a folder's result files together as a lot\nOpen Folder"},
            {ID_FILE_CLOSE, "关闭活动文档\n关闭"},
            {ID_FILE_SAVE, "Save the active document\nSave"},
            {ID_FILE_SAVE_AS, "Save the active document as a new file \nSave as"},
            {ID_FILE_PAGE_SETUP, "改变打印选项\n页面设置"},
            {ID_FILE_PRINT_SETUP, "改变打印机及打印选项\n打印设置"},
            {ID_FILE_PRINT, "Print the active document\nPrint"},
            {ID_FILE_PRINT_PREVIEW, "Show whole page\nPrint preview"},
            {ID_EDIT_CLEAR, "删除被选对象\n删除"},
            {ID_EDIT_CLEAR_ALL, "全部删除\n全部删除"},
            {ID_EDIT_COPY, "复制被选对象并将其置于剪贴板上\n复制"},
            {ID_EDIT_CUT, "剪切被选对象并将其置于剪贴板上\n剪切"},
            {ID_EDIT_FIND, "查找指定的正文\n查找"},
            {ID_EDIT_PASTE, "插入剪贴板内容\n粘贴"},
            {ID_EDIT_REPEAT, "重复上一步操作\n重复"},
            {ID_EDIT_REPLACE, "用不同的正文替换指定的正文\n替换"},
            {ID_EDIT_SELECT_ALL, "选择整个文档\n选择全部"},
            {ID_EDIT_UNDO, "撤消最后一步操作\n撤消"},
            {ID_EDIT_REDO, "重新执行先前已撤消的操作\n重新执行"},
            {ID_WINDOW_SPLIT, "将活动的窗口分隔成窗格\n分隔"},
            {ID_APP_ABOUT, "Show the program information，version and copyright\nAbout"},
            {ID_APP_EXIT, "Quit the program\nQuit"},
            {ID_NEXT_PANE, "切换到下一个窗格\n下一窗格"},
            {ID_PREV_PANE, "切换回前一个窗格\n前一窗格"},
            {ID_INDICATOR_EXT, "EXT"},
            {ID_INDICATOR_CAPS, "CAPS"},
            {ID_INDICATOR_NUM, "NUM"},
            {ID_INDICATOR_SCRL, "SCRL"},
            {ID_INDICATOR_OVR, "OVR"},
            {ID_INDICATOR_REC, "REC"},
            {ID_VIEW_TOOLBAR, "显示或隐藏工具栏\n显隐工具栏"},
            {ID_VIEW_STATUS_BAR, "显示或隐藏状态栏\n显隐状态栏"},
            {AFX_IDS_SCSIZE, "改变窗口大小"},
            {AFX_IDS_SCMOVE, "改变窗口位置"},
            {AFX_IDS_SCMINIMIZE, "将窗口缩小成图标"},
            {AFX_IDS_SCMAXIMIZE, "把窗口放大到最大尺寸"},
            {AFX_IDS_SCNEXTWINDOW, "切换到下一个文档窗口"},
            {AFX_IDS_SCPREVWINDOW, "切换到先前的文档窗口"},
            {AFX_IDS_SCCLOSE, "关闭活动的窗口并提示保存所有文档"},
            {AFX_IDS_SCRESTORE, "把窗口恢复到正常大小"},
            {AFX_IDS_SCTASKLIST, "激活任务表"},
            {AFX_IDS_PREVIEW_CLOSE, "关闭打印预览模式\n取消预阅"},
        };
        QHash<int, QString> map;
        for (const auto &entry : entries)
            map.insert(entry.id, QString::fromUtf8(entry.text));
        for (int id = ID_FILE_MRU_FILE1; id <= ID_FILE_MRU_FILE16; ++id)
            map.insert(id, QString::fromUtf8("打开该文档"));
        return map;
    }();
    return strings;
}

} // namespace

QString LoadString(int id)
{
    return table().value(id);
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
