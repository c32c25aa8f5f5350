#include "view/DistributionView.h"

#include "data/ThresholdJudge.h"
#include "output/ChannelCapability.h"

#include <QContextMenuEvent>
#include <QFontMetricsF>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QToolTip>

#include <cmath>
#include <utility>

// A bin's edge with the places its width needs.
QString DistributionView::BinEdge(double value, double width)
{
    if (std::fabs(value) >= 1e6)
        return QString::number(value, 'g', 6);
    return QString::number(value, 'f', width >= 1 ? 0 : width >= 0.1 ? 1 : 2);
}

DistributionView::DistributionView(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("distributionChart"));
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAccessibleName(tr("Distributions of the channels"));
}

DistributionChart::Colours DistributionView::colours() const
{
    return DistributionChart::Colours::On(palette().color(QPalette::WindowText), palette().color(QPalette::Window));
}

void DistributionView::SetFigures(const ThresholdJudge &judge, const QString &title)
{
    m_chart.emplace(judge, colours());
    m_chart->SetTitle(title);
    m_chart->SetCommonAxis(m_commonAxis);
    m_chart->SetFiberMarks(m_fiberMarks);
    m_message.clear();
    m_drawn = QPixmap();
    SetCurrent(m_chart->ChannelCount() == 0 ? -1 : qBound(0, m_current, m_chart->ChannelCount() - 1));
    update();
}

void DistributionView::SetFiberMarks(const QHash<QByteArray, double> &powers)
{
    m_fiberMarks = powers;
    if (!m_chart)
        return;
    m_chart->SetFiberMarks(powers);
    m_drawn = QPixmap();
    update();
}

void DistributionView::SetMessage(const QString &text)
{
    m_chart.reset();
    m_message = text;
    m_drawn = QPixmap();
    m_current = -1;
    setAccessibleDescription(text);
    update();
}

void DistributionView::SetCommonAxis(bool common)
{
    m_commonAxis = common;
    if (!m_chart)
        return;
    m_chart->SetCommonAxis(common);
    m_drawn = QPixmap();
    update();
}

void DistributionView::SetCurrent(int index)
{
    m_current = index;
    describeCurrent();
    update();
    emit currentChanged(index);
}

// What a screen reader says of the histogram marked.
void DistributionView::describeCurrent()
{
    if (!m_chart || m_current < 0)
        return;
    const ThresholdJudge::ChannelFigures &figures = m_chart->Channel(m_current);
    setAccessibleDescription(tr("Channel %1, %2 nm: %3, %4 failed")
                                 .arg(QString::fromUtf8(figures.channel),
                                      QString::fromUtf8(ThresholdJudge::ShownText(figures.waveLength)),
                                      ChannelCapability::Text(figures))
                                 .arg(figures.failedFibers));
}

DistributionChart::Layout DistributionView::layout() const
{
    return m_chart->LayoutFor(QRectF(rect()));
}

void DistributionView::DrawChart(QPainter &painter, const QRectF &area) const
{
    painter.setFont(font());
    m_chart->Draw(painter, area);
}

void DistributionView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    if (!m_chart) {
        painter.fillRect(rect(), palette().color(QPalette::Window));
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(rect(), int(Qt::AlignCenter | Qt::TextWordWrap), m_message);
        return;
    }
    const qreal ratio = devicePixelRatioF();
    if (m_drawn.isNull() || m_drawn.deviceIndependentSize() != QSizeF(size()) || m_drawn.devicePixelRatio() != ratio) {
        m_drawn = QPixmap((QSizeF(size()) * ratio).toSize());
        m_drawn.setDevicePixelRatio(ratio);
        QPainter chart(&m_drawn);
        DrawChart(chart, QRectF(rect()));
    }
    painter.drawPixmap(0, 0, m_drawn);
    // The limit tried, over the chart: dashed, in the highlight's colour.
    if (const std::optional<double> x = m_whatIf ? LimitX(m_whatIfIndex) : std::nullopt) {
        const QRectF plot = plotAxis(m_whatIfIndex)->plot;
        painter.setPen(QPen(palette().color(QPalette::Highlight), 2, Qt::DashLine));
        painter.drawLine(QPointF(std::round(*x), plot.top()), QPointF(std::round(*x), plot.bottom()));
        painter.drawText(QRectF(*x + 3, plot.top(), plot.right() - *x, plot.height()),
                         int(Qt::AlignLeft | Qt::AlignTop), tr("what if"));
    }
    if (m_current < 0)
        return;
    const QRectF panel = layout().panels.value(m_current);
    QPen frame(palette().color(QPalette::Highlight), 2);
    frame.setStyle(hasFocus() ? Qt::SolidLine : Qt::DashLine);
    painter.setPen(frame);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(panel.adjusted(1, 1, -1, -1));
}

void DistributionView::SetWhatIf(int index, std::optional<double> lower)
{
    m_whatIfIndex = lower ? index : -1;
    m_whatIf = lower;
    update();
}

std::optional<DistributionView::PlotAxis> DistributionView::plotAxis(int index) const
{
    if (!m_chart || index < 0 || index >= m_chart->ChannelCount())
        return std::nullopt;
    const DistributionChart::Layout parts = layout();
    QFont font = this->font();
    font.setPixelSize(parts.fontPixels);
    const QRectF plot = DistributionChart::PlotArea(parts.panels.at(index), QFontMetricsF(font, this));
    const DistributionChart::Axis axis = m_chart->HistogramOf(index, DistributionChart::BinsFor(plot.width())).axis;
    if (axis.bins == 0 || plot.width() < 1)
        return std::nullopt;
    return PlotAxis{plot, axis.start, axis.end()};
}

std::optional<double> DistributionView::LimitX(int index) const
{
    const std::optional<PlotAxis> axis = plotAxis(index);
    if (!axis)
        return std::nullopt;
    const std::optional<double> limit =
        index == m_whatIfIndex ? m_whatIf : ChannelHistogram::LowerLine(m_chart->Channel(index));
    if (!limit || *limit < axis->start || *limit > axis->end)
        return std::nullopt;
    return axis->plot.left() + (*limit - axis->start) / (axis->end - axis->start) * axis->plot.width();
}

std::optional<double> DistributionView::ValueAt(int index, double x) const
{
    const std::optional<PlotAxis> axis = plotAxis(index);
    if (!axis)
        return std::nullopt;
    const double share = qBound(0.0, (x - axis->plot.left()) / axis->plot.width(), 1.0);
    return std::round((axis->start + share * (axis->end - axis->start)) * 100) / 100;
}

int DistributionView::panelAt(const QPointF &at) const
{
    if (!m_chart)
        return -1;
    const QList<QRectF> panels = layout().panels;
    for (int i = 0; i < panels.size() && i < m_chart->ChannelCount(); ++i) {
        if (panels.at(i).contains(at))
            return i;
    }
    return -1;
}

std::optional<DistributionView::Bar> DistributionView::BarAt(const QPointF &at) const
{
    const int index = panelAt(at);
    if (index < 0)
        return std::nullopt;
    const DistributionChart::Layout parts = layout();
    QFont font = this->font();
    font.setPixelSize(parts.fontPixels);
    const QRectF plot = DistributionChart::PlotArea(parts.panels.at(index), QFontMetricsF(font, this));
    if (!plot.contains(at) || plot.width() < 1)
        return std::nullopt;
    Bar bar{index, m_chart->HistogramOf(index, DistributionChart::BinsFor(plot.width())), -1};
    if (bar.histogram.axis.bins == 0)
        return std::nullopt;
    bar.bin = qBound(0, int((at.x() - plot.left()) * bar.histogram.axis.bins / plot.width()), bar.histogram.axis.bins - 1);
    return bar;
}

QString DistributionView::TipAt(const QPointF &at) const
{
    const std::optional<Bar> bar = BarAt(at);
    if (!bar)
        return QString();
    const int index = bar->index;
    const DistributionChart::Axis &axis = bar->histogram.axis;
    const DistributionChart::Histogram &histogram = bar->histogram;
    const int bin = bar->bin;
    const double from = axis.start + axis.width * bin;
    const qint64 count = histogram.counts.at(bin);
    QString tip = tr("%1: %2 to %3 dB, %4")
                      .arg(QString::fromUtf8(m_chart->Channel(index).channel), BinEdge(from, axis.width),
                           BinEdge(from + axis.width, axis.width),
                           count == 1 ? tr("1 value") : tr("%1 values").arg(count));
    if (const qint64 failing = histogram.failing.at(bin); failing > 0)
        tip += tr(", %1 failing").arg(failing);
    return tip;
}

bool DistributionView::event(QEvent *event)
{
    if (event->type() == QEvent::ToolTip) {
        const auto *help = static_cast<QHelpEvent *>(event);
        const QString tip = TipAt(help->pos());
        if (tip.isEmpty()) {
            QToolTip::hideText();
            event->ignore();
        } else {
            QToolTip::showText(help->globalPos(), tip, this);
        }
        return true;
    }
    return QWidget::event(event);
}

// Left and Right go through the histograms in their reading order, Up and
// Down by a row of the grid; -1 where the key leads nowhere.
int DistributionView::neighbour(int key) const
{
    const int count = m_chart ? m_chart->ChannelCount() : 0;
    if (count == 0)
        return -1;
    const QList<QRectF> panels = layout().panels;
    int columns = 0;
    while (columns < panels.size() && panels.at(columns).top() == panels.first().top())
        ++columns;
    const int from = qMax(0, m_current);
    int to = from;
    switch (key) {
    case Qt::Key_Left:
        to = from - 1;
        break;
    case Qt::Key_Right:
        to = from + 1;
        break;
    case Qt::Key_Up:
        to = from - columns;
        break;
    case Qt::Key_Down:
        to = from + columns;
        break;
    case Qt::Key_Home:
        to = 0;
        break;
    case Qt::Key_End:
        to = count - 1;
        break;
    default:
        return -1;
    }
    return m_current < 0 ? 0 : to >= 0 && to < count ? to : from;
}

void DistributionView::keyPressEvent(QKeyEvent *event)
{
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && m_current >= 0) {
        emit channelChosen(m_current);
        return;
    }
    const int to = neighbour(event->key());
    if (to < 0) {
        QWidget::keyPressEvent(event);
        return;
    }
    SetCurrent(to);
}

// A press on or near a histogram's limit line takes hold of it.
void DistributionView::mousePressEvent(QMouseEvent *event)
{
    if (const int index = panelAt(event->position()); index >= 0) {
        SetCurrent(index);
        const std::optional<double> x = LimitX(index);
        if (event->button() == Qt::LeftButton && x && std::fabs(event->position().x() - *x) <= 5)
            m_dragging = index;
    }
    QWidget::mousePressEvent(event);
}

void DistributionView::mouseMoveEvent(QMouseEvent *event)
{
    if (m_dragging >= 0) {
        if (const std::optional<double> value = ValueAt(m_dragging, event->position().x())) {
            SetWhatIf(m_dragging, value);
            emit limitDragged(m_dragging, *value, false);
        }
    }
    QWidget::mouseMoveEvent(event);
}

void DistributionView::mouseReleaseEvent(QMouseEvent *event)
{
    if (m_dragging >= 0) {
        const int index = std::exchange(m_dragging, -1);
        const std::optional<double> value = ValueAt(index, event->position().x());
        if (value && m_whatIfIndex == index) // moved, not only pressed
            emit limitDragged(index, *value, true);
    } else if (event->button() == Qt::LeftButton) {
        if (const std::optional<Bar> bar = BarAt(event->position()); bar && bar->histogram.counts.at(bar->bin) > 0)
            emit barClicked(bar->index, bar->histogram, bar->bin);
    }
    QWidget::mouseReleaseEvent(event);
}

void DistributionView::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (const int index = panelAt(event->position()); index >= 0)
        emit channelChosen(index);
}

void DistributionView::contextMenuEvent(QContextMenuEvent *event)
{
    if (!m_chart)
        return;
    QMenu menu(this);
    const QAction *save = menu.addAction(tr("Save Image..."));
    if (menu.exec(event->globalPos()) == save)
        emit saveRequested();
}

// Colours that stay readable on the palette in effect, a dark one too.
void DistributionView::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() != QEvent::PaletteChange && event->type() != QEvent::FontChange)
        return;
    if (m_chart)
        m_chart->SetColours(colours());
    m_drawn = QPixmap();
    update();
}
