#include "view/CompareView.h"

#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QPainter>

namespace {

// The differences' histogram takes a fifth of the height, at least this.
constexpr qreal kLeastDifferences = 90;

} // namespace

CompareView::CompareView(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("compareChart"));
    setMinimumSize(480, 320);
    setFocusPolicy(Qt::ClickFocus);
}

void CompareView::SetPanels(QList<CompareChart::Panel> panels)
{
    m_panels = std::move(panels);
    m_marked = -1;
    m_paired = {};
    m_differences.clear();
    update();
}

void CompareView::SetDifferences(int channel, const Comparison::Paired &paired, QList<double> differences)
{
    m_marked = channel;
    m_paired = paired;
    m_differences = std::move(differences);
    update();
}

QRectF CompareView::panelsOf(const QRectF &area)
{
    const qreal below = std::max(kLeastDifferences, area.height() / 5);
    return QRectF(area.left(), area.top(), area.width(), area.height() - below - 6);
}

QRectF CompareView::differencesOf(const QRectF &area)
{
    const QRectF panels = panelsOf(area);
    return QRectF(area.left(), panels.bottom() + 6, area.width(), area.bottom() - panels.bottom() - 6);
}

QRectF CompareView::PanelsArea() const
{
    return panelsOf(QRectF(rect()));
}

void CompareView::DrawInto(QPainter &painter, const QRectF &area) const
{
    CompareChart::Draw(painter, panelsOf(area), m_panels, m_marked);
    const QRectF below = differencesOf(area);
    if (m_marked >= 0) {
        CompareChart::DrawDifferences(painter, below, m_paired, m_differences);
    } else {
        painter.fillRect(below, ChartColours::Light().paper);
        painter.setPen(ChartColours::Light().ink);
        painter.drawText(below, Qt::AlignCenter, tr("Click a channel's panel to see its fibers' differences, B - A."));
    }
}

void CompareView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    DrawInto(painter, QRectF(rect()));
}

void CompareView::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return QWidget::mousePressEvent(event);
    const int panel = CompareChart::PanelAt(PanelsArea(), int(m_panels.size()), event->position());
    if (panel >= 0)
        emit channelChosen(panel);
}

void CompareView::contextMenuEvent(QContextMenuEvent *event)
{
    emit saveImageWanted(event->globalPos());
}
