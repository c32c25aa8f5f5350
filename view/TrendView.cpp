#include "view/TrendView.h"

#include <QMouseEvent>
#include <QPainter>

TrendView::TrendView(QWidget *parent) : QWidget(parent)
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void TrendView::SetPanels(QList<TrendChart::Panel> panels, const QString &first, const QString &last)
{
    m_panels = std::move(panels);
    m_first = first;
    m_last = last;
    update();
}

void TrendView::SetSelected(qsizetype file)
{
    if (file == m_selected)
        return;
    m_selected = file;
    update();
}

QRectF TrendView::Plot() const
{
    return TrendChart::PlotArea(QRectF(rect()), int(m_panels.size()), QFontMetricsF(font()).height());
}

void TrendView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    TrendChart::Draw(painter, QRectF(rect()), m_panels, m_selected, m_first, m_last,
                     TrendChart::Colours::On(palette().color(QPalette::Text), palette().color(QPalette::Base)));
}

void TrendView::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || m_panels.isEmpty())
        return QWidget::mousePressEvent(event);
    const qsizetype file = TrendChart::FileAt(Plot(), m_panels.first().values.size(), event->position());
    if (file >= 0)
        emit fileClicked(file);
}
