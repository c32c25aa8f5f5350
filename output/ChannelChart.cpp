#include "output/ChannelChart.h"

#include "data/ChannelTable.h"

#include <QBrush>
#include <QColor>
#include <QFontMetrics>
#include <QPainter>
#include <QPen>

#include <algorithm>
#include <cmath>

namespace {

const QColor kRed(255, 0, 0);

// Truncation toward zero to a whole pixel. Saturates far outside any
// screen, so no conversion to int can leave its range.
int Trunc(double value)
{
    constexpr double limit = 1.0e9;
    if (std::isnan(value))
        return 0;
    return static_cast<int>(std::clamp(value, -limit, limit));
}

double DesignBarLeft(int bar)
{
    return 100.0 + 40.0 * bar;
}

// The power each scale label names, top to bottom.
const double kLabelPower[ChannelChart::ScaleLabelCount] = {15, 0, -15, -30, -45, -60};
// How far a tick reaches left of the vertical axis, in design units.
constexpr double kTickLength = 5;

// Like the platform's text output: the text's cell, not its baseline, starts
// at `topLeft`.
void DrawTextAt(QPainter &painter, const QPoint &topLeft, const QString &text)
{
    painter.drawText(QPoint(topLeft.x(), topLeft.y() + painter.fontMetrics().ascent()), text);
}

} // namespace

ChannelChart::ChannelChart(float screenScaleX, float screenScaleY, const QColor &ink, double squeeze)
    : m_scaleX(qMax(1.0f, screenScaleX))
    , m_scaleY(qMax(1.0f, screenScaleY))
    , m_squeeze(qBound(0.0, squeeze, 1.0))
    , m_ink(ink)
{
}

double ChannelChart::SqueezeFor(double height) const
{
    return qBound(0.0, height / (double(m_scaleY) * 320), 1.0);
}

ChannelChart::Edges ChannelChart::BarEdges(int bar, float power) const
{
    Edges edges;
    edges.left = Trunc(X(DesignBarLeft(bar)));
    edges.right = Trunc(X(DesignBarLeft(bar) + 20.0));
    edges.bottom = Trunc(Y(610));
    // A power above the axis stops at its top, clear of the list above.
    edges.top = qMax(Level(power), VerticalAxis().y1());
    return edges;
}

// 4 design units per dB above the -60 dB base line, scaled like every other
// length, so at the design size a power P stands at 370 - 4P.
int ChannelChart::Level(double power) const
{
    return Trunc(Y(610) - 4.0 * Y(power + 60.0));
}

// A power below -60 dB would put the top under the base line; such a bar
// has no height, like -60 dB itself, so that nothing hangs over the
// selection line and the marker.
QRect ChannelChart::FillArea(const Edges &edges)
{
    const int top = qMin(edges.top, edges.bottom);
    return QRect(edges.left, top, qMax(0, edges.right - edges.left), edges.bottom - top);
}

QLine ChannelChart::VerticalAxis() const
{
    return QLine(Trunc(X(80)), Trunc(Y(610) - Y(320)), Trunc(X(80)), Trunc(Y(610)));
}

QLine ChannelChart::BaseLine() const
{
    return QLine(Trunc(X(80)), Trunc(Y(610)), Trunc(X(840)), Trunc(Y(610)));
}

QString ChannelChart::ScaleLabelText(int label)
{
    static const char *const texts[ScaleLabelCount] = {"+15.0", " 0.0",  "-15.0",
                                                       "-30.0", "-45.0", "-60.0"};
    return label >= 0 && label < ScaleLabelCount ? QString::fromLatin1(texts[label]) : QString();
}

int ChannelChart::ScaleLabelLevel(int label) const
{
    return Level(label >= 0 && label < ScaleLabelCount ? kLabelPower[label] : -60.0);
}

QLine ChannelChart::Tick(int label) const
{
    const int y = ScaleLabelLevel(label);
    return QLine(Trunc(X(80) - X(kTickLength)), y, Trunc(X(80)), y);
}

// The label's cell stands centred on its tick, at any size of font.
QPoint ChannelChart::ScaleLabelPoint(int label, const QFontMetrics &metrics) const
{
    return QPoint(Trunc(X(80) - X(40)), ScaleLabelLevel(label) - metrics.height() / 2);
}

QPoint ChannelChart::ChannelPoint() const
{
    return QPoint(Trunc(X(80)), Trunc(Y(630)));
}

QPoint ChannelChart::WaveLengthPoint() const
{
    return QPoint(Trunc(X(280)), Trunc(Y(630)));
}

QPoint ChannelChart::PowerPoint() const
{
    return QPoint(Trunc(X(580)), Trunc(Y(630)));
}

QPolygon ChannelChart::MarkerPolygon(int row) const
{
    if (row < 0 || row >= BarCount)
        return QPolygon();
    const double left = DesignBarLeft(row);
    return QPolygon({QPoint(Trunc(X(left)), Trunc(Y(630))),
                     QPoint(Trunc(X(left + 20.0)), Trunc(Y(630))),
                     QPoint(Trunc(X(left + 10.0)), Trunc(Y(610)))});
}

QLine ChannelChart::ThresholdLine(int bar, double threshold) const
{
    const int y = qBound(VerticalAxis().y1(), Level(threshold), BaseLine().y1());
    return QLine(Trunc(X(DesignBarLeft(bar) - 5.0)), y, Trunc(X(DesignBarLeft(bar) + 25.0)), y);
}

QRect ChannelChart::FailingArea(int bar, const Power &power) const
{
    const QRect area = power ? FillArea(BarEdges(bar, float(*power))) : QRect();
    if (area.height() > 0)
        return area;
    // A stub a few units high on the base line, where no bar stands.
    const Edges edges = BarEdges(bar, -60.0f);
    const int height = qMax(3, Trunc(Y(6)));
    return QRect(edges.left, edges.bottom - height, edges.right - edges.left, height);
}

QPoint ChannelChart::ThresholdPoint() const
{
    return QPoint(Trunc(X(680)), Trunc(Y(630)));
}

QPoint ChannelChart::MarginPoint() const
{
    return QPoint(Trunc(X(800)), Trunc(Y(630)));
}

void ChannelChart::DrawVerdicts(QPainter &painter, const QList<Power> &powers,
                                const QList<Verdict> &verdicts) const
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    QPen pen(m_ink, 1);
    pen.setCosmetic(true);
    pen.setCapStyle(Qt::FlatCap);
    for (int bar = 0; bar < BarCount && bar < verdicts.size(); ++bar) {
        const Verdict &verdict = verdicts.at(bar);
        if (!verdict.failed)
            continue;
        const QRect area = FailingArea(bar, powers.value(bar));
        painter.fillRect(area, QBrush(m_ink, Qt::BDiagPattern));
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(area.adjusted(0, 0, -1, -1));
    }
    // Two device pixels thick, so that it reads across a red bar too.
    QPen line(m_ink, 2);
    line.setCosmetic(true);
    line.setCapStyle(Qt::FlatCap);
    painter.setPen(line);
    for (int bar = 0; bar < BarCount && bar < verdicts.size(); ++bar) {
        if (verdicts.at(bar).threshold)
            painter.drawLine(ThresholdLine(bar, *verdicts.at(bar).threshold));
    }
    painter.restore();
}

void ChannelChart::DrawVerdictReadout(QPainter &painter, const QString &threshold,
                                      const QString &margin) const
{
    painter.save();
    painter.setPen(m_ink);
    DrawTextAt(painter, ThresholdPoint(), QStringLiteral("Threshold=") + threshold);
    DrawTextAt(painter, MarginPoint(), QStringLiteral("Margin=") + margin);
    painter.restore();
}

QRect ChannelChart::Extent(const QFontMetrics &metrics, bool verdicts) const
{
    const auto textRect = [&metrics](const QPoint &topLeft, const QString &text) {
        return QRect(topLeft, QSize(metrics.horizontalAdvance(text), metrics.height()));
    };
    // A field of n bytes shows at most n half-width or n / 2 full-width
    // characters; n times a wide Latin letter covers both.
    const auto widest = [](MeasurementRow::Field field) {
        return QString(ChannelTable::ColumnWidth(field), QLatin1Char('W'));
    };

    QRect extent;
    const float top = 20.0f; // the axis top
    for (int bar = 0; bar < BarCount; ++bar) {
        extent |= FillArea(BarEdges(bar, top));
        extent |= MarkerPolygon(bar).boundingRect();
    }
    // A line leaves out its end point.
    const QLine vertical = VerticalAxis();
    extent |= QRect(vertical.p1(), QPoint(vertical.x2(), vertical.y2() - 1));
    const QLine base = BaseLine();
    extent |= QRect(base.p1(), QPoint(base.x2() - 1, base.y2()));
    for (int label = 0; label < ScaleLabelCount; ++label) {
        extent |= textRect(ScaleLabelPoint(label, metrics), ScaleLabelText(label));
        extent |= QRect(Tick(label).p1(), Tick(label).p2());
    }
    extent |= textRect(ChannelPoint(), QStringLiteral("Chanel:") + widest(MeasurementRow::Channel));
    extent |= textRect(WaveLengthPoint(),
                       QStringLiteral("WaveLength:") + widest(MeasurementRow::WaveLength));
    extent |= textRect(PowerPoint(), QStringLiteral("Power=") + widest(MeasurementRow::Power));
    if (verdicts) {
        extent |= textRect(ThresholdPoint(), QStringLiteral("Threshold=") + widest(MeasurementRow::Threshold));
        extent |= textRect(MarginPoint(), QStringLiteral("Margin= -0000.00 dB"));
        for (int bar = 0; bar < BarCount; ++bar)
            extent |= QRect(ThresholdLine(bar, 20).p1(), ThresholdLine(bar, 20).p2());
    }
    return extent;
}

void ChannelChart::Draw(QPainter &painter, const QList<Power> &powers, const QString &channel,
                        const QString &waveLength, const QString &power) const
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);

    for (int bar = 0; bar < BarCount && bar < powers.size(); ++bar) {
        // Each bar's power is taken in single precision, as ever.
        if (powers.at(bar))
            painter.fillRect(FillArea(BarEdges(bar, float(*powers.at(bar)))), kRed);
    }

    // The axes are drawn over the bars with the thinnest line the device
    // has: one device pixel, whatever its pixel ratio. A line leaves out its
    // end point: the base line stops one pixel short of trunc(sx*840).
    QPen axisPen(m_ink, 1);
    axisPen.setCosmetic(true);
    axisPen.setCapStyle(Qt::FlatCap);
    painter.setPen(axisPen);
    painter.drawLine(VerticalAxis());
    painter.drawLine(BaseLine());
    for (int label = 0; label < ScaleLabelCount; ++label)
        painter.drawLine(Tick(label));

    painter.setPen(m_ink);
    const QFontMetrics metrics = painter.fontMetrics();
    for (int label = 0; label < ScaleLabelCount; ++label)
        DrawTextAt(painter, ScaleLabelPoint(label, metrics), ScaleLabelText(label));
    DrawTextAt(painter, ChannelPoint(), QStringLiteral("Chanel:") + channel);
    DrawTextAt(painter, WaveLengthPoint(), QStringLiteral("WaveLength:") + waveLength);
    DrawTextAt(painter, PowerPoint(), QStringLiteral("Power=") + power);

    painter.restore();
}

void ChannelChart::DrawMarker(QPainter &painter, int row) const
{
    const QPolygon triangle = MarkerPolygon(row);
    if (triangle.isEmpty())
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    QPen outline(m_ink, 1);
    outline.setCosmetic(true);
    painter.setPen(outline);
    painter.setBrush(kRed);
    painter.drawPolygon(triangle);
    painter.restore();
}
