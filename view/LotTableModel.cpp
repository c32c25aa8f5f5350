#include "view/LotTableModel.h"

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

QVariant LotTableModel::data(const QModelIndex &index, int role) const
{
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
