#include "view/LotTableModel.h"

#include "data/NativePath.h"
#include "lot/LotModel.h"

#include <QColor>
#include <QFont>
#include <QGuiApplication>
#include <QPalette>

LotTableModel::LotTableModel(QObject *parent) : QSortFilterProxyModel(parent)
{
    setSortRole(LotModel::SortRole);
    setFilterKeyColumn(LotModel::File);
    setFilterCaseSensitivity(Qt::CaseInsensitive);
}

void LotTableModel::SetFolder(const QString &folder)
{
    // As the lot's model shows the paths.
    const QString shown = NativePath::Display(folder);
    // No folder (a database's lot): every path shown whole.
    m_prefix = shown.isEmpty() || shown.endsWith(QLatin1Char('/')) ? shown : shown + QLatin1Char('/');
}

QVariant LotTableModel::data(const QModelIndex &index, int role) const
{
    if (index.column() == LotModel::File && (role == Qt::DisplayRole || role == Qt::ToolTipRole)) {
        const QString path = QSortFilterProxyModel::data(index, Qt::DisplayRole).toString();
        if (role == Qt::ToolTipRole) {
            const QVariant tip = QSortFilterProxyModel::data(index, role);
            return tip.isValid() ? tip : QVariant(path);
        }
        return path.startsWith(m_prefix) ? path.mid(m_prefix.size()) : path;
    }
    if (role != Qt::FontRole && role != Qt::ForegroundRole)
        return QSortFilterProxyModel::data(index, role);
    const int state = QSortFilterProxyModel::data(index, LotModel::StateRole).toInt();
    if (role == Qt::FontRole) {
        if (state != LotModel::Gone && state != LotModel::Growing)
            return QVariant();
        QFont font;
        font.setStrikeOut(state == LotModel::Gone);
        font.setItalic(state == LotModel::Growing);
        return font;
    }
    if (state == LotModel::Gone)
        return QGuiApplication::palette().color(QPalette::Disabled, QPalette::Text);
    if (state == LotModel::Unreadable)
        return QColor(192, 0, 0);
    return QVariant();
}
