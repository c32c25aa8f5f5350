#include "view/TableText.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QStringList>
#include <QTableView>

#include <algorithm>
#include <functional>

namespace TableText {

namespace {

QString cellText(QString text)
{
    for (QChar &c : text) {
        if (c == QLatin1Char('\t') || c == QLatin1Char('\n') || c == QLatin1Char('\r'))
            c = QLatin1Char(' ');
    }
    return text.trimmed();
}

} // namespace

QString TabSeparated(const QTableView &table)
{
    const QAbstractItemModel *model = table.model();
    if (!model)
        return QString();
    QList<int> rows;
    if (table.selectionModel()) {
        for (const QModelIndex &index : table.selectionModel()->selectedRows())
            rows.append(index.row());
    }
    if (rows.isEmpty()) {
        for (int row = 0; row < model->rowCount(); ++row)
            rows.append(row);
    }
    std::sort(rows.begin(), rows.end());
    const auto line = [model](const std::function<QString(int)> &cell) {
        QStringList cells;
        for (int column = 0; column < model->columnCount(); ++column)
            cells.append(cellText(cell(column)));
        return cells.join(QLatin1Char('\t')) + QLatin1Char('\n');
    };
    QString text = line([model](int column) {
        return model->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
    });
    for (int row : std::as_const(rows))
        text += line([model, row](int column) { return model->index(row, column).data().toString(); });
    return text;
}

} // namespace TableText
