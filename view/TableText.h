#pragma once

#include <QString>

class QTableView;

// A table as text that spreadsheets paste into columns: the headings, then
// the rows chosen (all of them where none is), a line each, cells split by
// tabs. A cell's own tabs and line breaks become blanks, and the blanks
// around it go, so that every line keeps its columns.
namespace TableText {

QString TabSeparated(const QTableView &table);

} // namespace TableText
