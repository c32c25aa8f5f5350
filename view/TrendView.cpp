#include "view/TrendView.h"

#include "data/RowTime.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <cmath>

namespace {

// How far a press moves before it is a drag, and a wheel notch's zoom.
constexpr qreal kDragPixels = 5;
constexpr double kNotchZoom = 0.8;

QString valueText(const TrendChart::Panel &panel, double value)
{
    if (!std::isfinite(value))
        return QStringLiteral("-");
    const QString number = QString::number(value, 'f', panel.decimals);
    return panel.unit.isEmpty() ? number : QStringLiteral("%1 %2").arg(number, panel.unit);
}

} // namespace

TrendView::TrendView(QWidget *parent) : QWidget(parent)
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
}

void TrendView::SetPanels(QList<TrendChart::Panel> panels, const QList<qint64> &times, const QStringList &names)
{
    m_panels = std::move(panels);
    m_times = times;
    m_names = names;
    rebuildAxis();
    update();
}

void TrendView::SetByTime(bool byTime)
{
    if (byTime == m_byTime)
        return;
    m_byTime = byTime;
    m_axis = TrendAxis();
    rebuildAxis();
    update();
}

void TrendView::rebuildAxis()
{
    const bool zoomed = m_axis.Zoomed() && m_axis.IsTime() == m_byTime;
    const double from = m_axis.From(), to = m_axis.To();
    m_axis = m_byTime ? TrendAxis::ByTime(m_times) : TrendAxis::ByFile(m_times.size());
    if (zoomed)
        m_axis.Show(from, to);
    if (m_hover >= m_axis.Count())
        m_hover = -1;
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

QStringList TrendView::ReadoutOf(qsizetype file) const
{
    if (file < 0 || file >= m_times.size())
        return {};
    const QByteArray time = RowTime::Iso(m_times.at(file));
    QStringList lines{m_names.value(file),
                      time.isEmpty() ? tr("no time") : QString::fromLatin1(time).replace(QLatin1Char('T'), QLatin1Char(' '))};
    for (const TrendChart::Panel &panel : m_panels)
        lines.append(QStringLiteral("%1: %2").arg(panel.title, valueText(panel, panel.values.value(file, NAN))));
    return lines;
}

qsizetype TrendView::fileAt(const QPointF &point) const
{
    return m_panels.isEmpty() ? -1 : m_axis.FileAt(Plot(), point);
}

QPair<qsizetype, qsizetype> TrendView::filesBetween(qreal left, qreal right) const
{
    const QRectF plot = Plot();
    const double from = m_axis.ValueAt(plot, std::min(left, right)), to = m_axis.ValueAt(plot, std::max(left, right));
    qsizetype first = -1, last = -1;
    for (qsizetype i = 0; i < m_axis.Count(); ++i) {
        if (m_axis.Placed(i) && m_axis.At(i) >= from && m_axis.At(i) <= to) {
            if (first < 0)
                first = i;
            last = i;
        }
    }
    return {first, last};
}

void TrendView::DrawChart(QPainter &painter, const QRectF &area) const
{
    painter.setFont(font());
    TrendChart::Draw(painter, area, m_panels, m_axis, m_selected, TrendChart::Colours::On(Qt::black, Qt::white));
}

void TrendView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const TrendChart::Colours colours =
        TrendChart::Colours::On(palette().color(QPalette::Text), palette().color(QPalette::Base));
    TrendChart::Draw(painter, QRectF(rect()), m_panels, m_axis, m_selected, colours);
    const QRectF plot = Plot();
    if (m_dragging && m_dragFrom) {
        // The span a drag would zoom to.
        const QRectF band(QPointF(std::min(m_dragFrom->x(), m_pointer.x()), plot.top()),
                          QPointF(std::max(m_dragFrom->x(), m_pointer.x()), plot.bottom()));
        QColor fill = colours.mark;
        fill.setAlpha(40);
        painter.fillRect(band, fill);
        painter.setPen(QPen(colours.mark, 1.0, Qt::DashLine));
        painter.drawRect(band);
        return;
    }
    if (m_hover >= 0 && m_axis.Placed(m_hover)) {
        const qreal x = m_axis.PixelOf(plot, m_axis.At(m_hover));
        painter.setPen(QPen(colours.grid, 1.0, Qt::DashLine));
        painter.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
        TrendChart::DrawReadout(painter, QRectF(rect()), m_pointer, ReadoutOf(m_hover), colours);
    }
}

void TrendView::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || m_panels.isEmpty())
        return QWidget::mousePressEvent(event);
    m_dragFrom = event->position();
    m_dragging = false;
}

void TrendView::mouseMoveEvent(QMouseEvent *event)
{
    m_pointer = event->position();
    if (m_dragFrom && std::abs(m_pointer.x() - m_dragFrom->x()) >= kDragPixels)
        m_dragging = true;
    m_hover = fileAt(m_pointer);
    update();
}

void TrendView::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || !m_dragFrom)
        return QWidget::mouseReleaseEvent(event);
    const QPointF from = *m_dragFrom;
    m_dragFrom.reset();
    if (!m_dragging) {
        const qsizetype file = fileAt(event->position());
        if (file >= 0)
            emit fileClicked(file);
        return;
    }
    m_dragging = false;
    if (event->modifiers() & Qt::ShiftModifier) {
        const auto [first, last] = filesBetween(from.x(), event->position().x());
        if (first >= 0 && last > first)
            emit baselinePicked(first, last);
    } else {
        const QRectF plot = Plot();
        m_axis.Show(m_axis.ValueAt(plot, from.x()), m_axis.ValueAt(plot, event->position().x()));
    }
    update();
}

void TrendView::wheelEvent(QWheelEvent *event)
{
    // Across, or with Shift: a pan of a tenth of the span a notch.
    const QPoint delta = event->angleDelta();
    const bool pan = delta.x() != 0 || (event->modifiers() & Qt::ShiftModifier);
    const int notches = (delta.x() != 0 ? delta.x() : delta.y()) / 120;
    if (notches == 0 || m_panels.isEmpty())
        return QWidget::wheelEvent(event);
    if (pan)
        m_axis.Pan(-(m_axis.To() - m_axis.From()) * 0.1 * notches);
    else
        m_axis.ZoomAt(m_axis.ValueAt(Plot(), event->position().x()), std::pow(kNotchZoom, notches));
    m_hover = fileAt(event->position());
    update();
    event->accept();
}

void TrendView::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Home:
        m_axis.Reset();
        update();
        return;
    case Qt::Key_Left:
    case Qt::Key_Right: {
        const int step = event->key() == Qt::Key_Left ? -1 : 1;
        qsizetype next = m_selected < 0 ? m_axis.Next(step > 0 ? -1 : m_axis.Count(), step) : m_axis.Next(m_selected, step);
        if (next >= 0 && next < m_axis.Count() && m_axis.Placed(next)) {
            // The span shown follows the cursor.
            const double x = m_axis.At(next);
            if (x < m_axis.From() || x > m_axis.To())
                m_axis.Pan(x < m_axis.From() ? x - m_axis.From() : x - m_axis.To());
            emit fileClicked(next);
        }
        return;
    }
    case Qt::Key_Plus:
    case Qt::Key_Minus:
        m_axis.ZoomAt((m_axis.From() + m_axis.To()) / 2, event->key() == Qt::Key_Plus ? kNotchZoom : 1 / kNotchZoom);
        update();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (m_selected >= 0)
            emit fileActivated(m_selected);
        return;
    }
    QWidget::keyPressEvent(event);
}

void TrendView::leaveEvent(QEvent *)
{
    m_hover = -1;
    update();
}

void TrendView::contextMenuEvent(QContextMenuEvent *event)
{
    if (m_panels.isEmpty())
        return;
    const qsizetype file = fileAt(event->pos());
    QMenu menu(this);
    QAction *mark = menu.addAction(tr("Mark a Change Here"));
    mark->setEnabled(file > 0);
    QAction *clear = menu.addAction(tr("Clear Changes and Baseline"));
    menu.addSeparator();
    QAction *reset = menu.addAction(tr("Show Every File"));
    reset->setEnabled(m_axis.Zoomed());
    menu.addSeparator();
    QAction *save = menu.addAction(tr("Save Image..."));
    QAction *chosen = menu.exec(event->globalPos());
    if (chosen == save)
        emit saveRequested();
    if (chosen == mark)
        emit changeMarked(file);
    else if (chosen == clear)
        emit changesCleared();
    else if (chosen == reset)
        m_axis.Reset(), update();
}
