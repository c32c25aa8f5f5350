#pragma once

#include <QString>

// The program's texts by their resource numbers. A command's text is its
// status-bar prompt, then "\n" and its tool tip.
namespace StringTable {

enum Id {
    IDR_MAINFRAME = 128,
    ID_CLOSE_TAB = 133, // the tab strip's Close
    // The program's own commands beyond the framework's.
    ID_VIEW_VERDICTS = 32771,
    ID_NEXT_FAILURE = 32772,
    ID_PREV_FAILURE = 32773,
    ID_VIEW_SUMMARY = 32774,
    ID_FIND_FIBER = 32775,
    ID_NEXT_TAB = 32776,
    ID_PREV_TAB = 32777,
    ID_WARN_MARGIN = 32778,
    ID_VIEW_DISTRIBUTIONS = 32779,
    ID_FILTER_ALL = 32780, // the fiber box's verdict filters, in the order of their kinds
    ID_FILTER_FAILING = 32781,
    ID_FILTER_MARGINAL = 32782,
    ID_FILTER_INCOMPLETE = 32783,
    ID_LIMITS = 32784,
    ID_FILE_OPEN_FOLDER = 32790,
    ID_FILE_EXPORT_WORKBOOK = 32791,
    ID_FILE_COMPARE = 32792,
    ID_FILE_OPEN_DATABASE = 32793,
    AFX_IDS_APP_TITLE = 57344,
    AFX_IDS_IDLEMESSAGE = 57345,
    ID_FILE_NEW = 57600,
    ID_FILE_OPEN = 57601,
    ID_FILE_CLOSE = 57602,
    ID_FILE_SAVE = 57603,
    ID_FILE_SAVE_AS = 57604,
    ID_FILE_PAGE_SETUP = 57605,
    ID_FILE_PRINT_SETUP = 57606,
    ID_FILE_PRINT = 57607,
    ID_FILE_PRINT_PREVIEW = 57609,
    ID_FILE_MRU_FILE1 = 57616,
    ID_FILE_MRU_FILE16 = 57631,
    ID_EDIT_CLEAR = 57632,
    ID_EDIT_CLEAR_ALL = 57633,
    ID_EDIT_COPY = 57634,
    ID_EDIT_CUT = 57635,
    ID_EDIT_FIND = 57636,
    ID_EDIT_PASTE = 57637,
    ID_EDIT_REPEAT = 57640,
    ID_EDIT_REPLACE = 57641,
    ID_EDIT_SELECT_ALL = 57642,
    ID_EDIT_UNDO = 57643,
    ID_EDIT_REDO = 57644,
    ID_WINDOW_SPLIT = 57653,
    ID_APP_ABOUT = 57664,
    ID_APP_EXIT = 57665,
    ID_NEXT_PANE = 57680,
    ID_PREV_PANE = 57681,
    ID_INDICATOR_EXT = 59136,
    ID_INDICATOR_CAPS = 59137,
    ID_INDICATOR_NUM = 59138,
    ID_INDICATOR_SCRL = 59139,
    ID_INDICATOR_OVR = 59140,
    ID_INDICATOR_REC = 59141,
    ID_VIEW_TOOLBAR = 59392,
    ID_VIEW_STATUS_BAR = 59393,
    AFX_IDS_SCSIZE = 61184,
    AFX_IDS_SCMOVE = 61185,
    AFX_IDS_SCMINIMIZE = 61186,
    AFX_IDS_SCMAXIMIZE = 61187,
    AFX_IDS_SCNEXTWINDOW = 61188,
    AFX_IDS_SCPREVWINDOW = 61189,
    AFX_IDS_SCCLOSE = 61190,
    AFX_IDS_SCRESTORE = 61202,
    AFX_IDS_SCTASKLIST = 61203,
    AFX_IDS_PREVIEW_CLOSE = 61445,
};

// The whole text; empty for a number that has none.
QString LoadString(int id);
// The part before the first "\n" (the status-bar prompt).
QString Prompt(int id);
// The part after the first "\n" (the tool tip); empty when there is none.
QString ToolTip(int id);
// The document's title: the document-name part of the document string
// IDR_MAINFRAME, whose parts are separated by "\n" ("qvl"). Print jobs
// carry it as their name.
QString DocumentTitle();

} // namespace StringTable
