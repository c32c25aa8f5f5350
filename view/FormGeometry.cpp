#include "view/FormGeometry.h"

#include "view/Resources.h"

#include <QFontMetrics>

using Resources::DialogUnits;
using Resources::UnitRect;

namespace {

constexpr int kFormWidth = 595; // dialog units
constexpr int kFormHeight = 442;
constexpr QRect kListRect = UnitRect(104, 14, 382, 177);
constexpr QRect kComboRect = UnitRect(17, 19, 48, 146);
constexpr QRect kTabRect = UnitRect(0, 0, 591, 15);

// The columns' widths on the design screen.
constexpr int kBaseColumnWidths[FormGeometry::ColumnCount] = {80, 100, 80, 85, 100, 90};

} // namespace

FormGeometry::FormGeometry(const QSize &screen)
    : m_scaleX(float(screen.width() * (1.0 / 1440))),
      m_scaleY(float(screen.height() * (1.0 / 900)))
{
}

int FormGeometry::ColumnWidth(int column) const
{
    if (column < 0 || column >= ColumnCount)
        return 0;
    return int(double(kBaseColumnWidths[column]) * double(m_scaleX));
}

QSize FormGeometry::DesignSize()
{
    return QSize(DialogUnits(kFormWidth), DialogUnits(kFormHeight));
}

QRect FormGeometry::TabRect()
{
    return kTabRect;
}

QRect FormGeometry::ComboRect()
{
    return kComboRect;
}

QRect FormGeometry::ListRect(int width, int height)
{
    QRect rect = kListRect;
    rect.setWidth(qMax(kListRect.width(), width));
    rect.setHeight(qMax(kListRect.height(), height));
    return rect;
}

int FormGeometry::ChartShift(int listBottom, const QFontMetrics &metrics, double squeeze) const
{
    const int gap = ChannelChart(1.0f, 1.0f).Extent(metrics).top() - (kListRect.bottom() + 1);
    return qMax(0, listBottom + 1 + gap - Chart(Qt::black, squeeze).Extent(metrics).top());
}

QSize FormGeometry::FormSize(const QFontMetrics &metrics, const QRect &list, int chartShift,
                             bool verdicts, double squeeze) const
{
    const QSize design = DesignSize();
    const QRect atDesign = ChannelChart(1.0f, 1.0f).Extent(metrics);
    const int marginRight = qMax(0, design.width() - (atDesign.right() + 1));
    const int marginBottom = qMax(0, design.height() - (atDesign.bottom() + 1));
    const QRect chart = Chart(Qt::black, squeeze).Extent(metrics, verdicts).translated(0, chartShift);
    const int right = qMax(chart.right(), list.right());
    const int width = qMax(design.width(), right + 1 + marginRight);
    if (squeeze < 1.0)
        return QSize(width, chart.bottom() + 1 + int(marginBottom * squeeze));
    return QSize(width, qMax(design.height(), chart.bottom() + 1 + marginBottom));
}

ChannelChart FormGeometry::Chart(const QColor &ink, double squeeze) const
{
    return ChannelChart(m_scaleX, m_scaleY, ink, squeeze);
}

int FormGeometry::MarkedBar(int row)
{
    return row >= 0 && row < ChannelChart::BarCount ? row : -1;
}

// A 640 x 320 window; only the part that lies inside the bitmap shows.
QRect FormGeometry::BitmapSource() const
{
    return QRect(int(double(m_scaleX) * 80), int(double(m_scaleY) * 50), 640, 320);
}
