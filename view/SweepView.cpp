#include "view/SweepView.h"

#include <QPainter>

SweepView::SweepView(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("yieldCurve"));
    setAccessibleName(tr("Yield against the lower limit"));
    setMinimumHeight(120);
}

void SweepView::SetChart(std::optional<SweepChart> chart)
{
    m_chart = std::move(chart);
    setAccessibleDescription(m_chart ? m_chart->FiguresText() : QString());
    update();
}

void SweepView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QColor ink = palette().color(QPalette::WindowText), paper = palette().color(QPalette::Window);
    if (!m_chart) {
        painter.fillRect(rect(), paper);
        return;
    }
    m_chart->Draw(painter, QRectF(rect()), ink, paper);
}
