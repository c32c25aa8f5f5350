#pragma once

#include <QColor>
#include <QLine>
#include <QList>
#include <QPoint>
#include <QPolygon>
#include <QRect>
#include <QString>

#include <optional>

class QFontMetrics;
class QPainter;

// The bar chart under the channel list and the marker under the bar of the
// clicked channel, drawn into any painter in client pixels (no transform).
//
// The layout is designed for a 1440 x 900 screen and scaled by the screen's
// factors, kept in single precision. Every coordinate is its own expression
// of the factors, evaluated in double precision and truncated toward zero,
// so that (for instance) the top of the vertical axis is
// trunc(sy*610 - sy*320) and not trunc(sy*290): the two can differ by a pixel.
//
// The vertical axis runs from -60 dB at the base line to +20 dB at its top,
// 4 design units per dB, so every bar reads true against the scale labels.
class ChannelChart
{
public:
    static constexpr int BarCount = 18;
    static constexpr int ScaleLabelCount = 6;

    // The power of one bar in dB, as ChannelTable::PowerValue reads it;
    // none where the chart draws no bar.
    using Power = std::optional<double>;

    // The four edges of a rectangle as the chart computes them: left and
    // top included, right and bottom excluded. top may lie below bottom.
    struct Edges
    {
        int left = 0;
        int top = 0;
        int right = 0;
        int bottom = 0;
    };

    // The chart at the screen's factors, but never below its design size:
    // the form keeps its design size on smaller screens, and so does the
    // chart, which would otherwise slide under the list. Axes, labels, the
    // selection line and the marker's outline are drawn in `ink`. Where the
    // form has less height than that takes, the chart is lowered by
    // `squeeze` (at most 1): every height of it alike, so that the bars
    // still read true against the labels.
    ChannelChart(float screenScaleX, float screenScaleY, const QColor &ink = Qt::black,
                 double squeeze = 1.0);

    float ScaleX() const { return m_scaleX; }
    float ScaleY() const { return m_scaleY; }
    double Squeeze() const { return m_squeeze; }
    // The squeeze that leaves the vertical axis `height` pixels long.
    double SqueezeFor(double height) const;

    // The chart: a bar for each power of bars 0-17 that has one (entries
    // past the end of `powers` have none), the axes, the scale labels and
    // the selection line "Chanel:" channel, "WaveLength:" waveLength,
    // "Power=" power.
    void Draw(QPainter &painter, const QList<Power> &powers, const QString &channel,
              const QString &waveLength, const QString &power) const;
    // The red triangle under the bar of `row`; nothing for rows outside 0-17.
    void DrawMarker(QPainter &painter, int row) const;

    // A channel's verdict as the chart shows it: the level of its threshold
    // (none where the threshold holds no number) and whether it fails.
    struct Verdict
    {
        std::optional<double> threshold;
        bool failed = false;
    };
    // Over the bars Draw drew for `powers`: a short line across each bar's
    // slot at its threshold, and each failing bar hatched and outlined, in
    // the ink, so that it stands out by more than its colour; a failing
    // channel without a bar gets a hatched stub on the base line.
    void DrawVerdicts(QPainter &painter, const QList<Power> &powers,
                      const QList<Verdict> &verdicts) const;
    // After the selection line's Power: "Threshold=" threshold, "Margin="
    // margin.
    void DrawVerdictReadout(QPainter &painter, const QString &threshold,
                            const QString &margin) const;

    // The geometry behind Draw and DrawMarker.

    // The bar from the base line up to the level of `power` on the axis, cut
    // at the axis top; below -60 dB its top lies under the base line.
    Edges BarEdges(int bar, float power) const;
    // The pixels the fill of BarEdges covers: left and top included, right
    // and bottom excluded. A top below the base line gives no height.
    static QRect FillArea(const Edges &edges);

    QLine VerticalAxis() const;
    QLine BaseLine() const;

    // Where a power stands on the vertical axis: the row its bar's top
    // reaches, before the cut at the axis top.
    int Level(double power) const;

    static QString ScaleLabelText(int label); // "+15.0", " 0.0", ... "-60.0"
    // The level of the power a label names, and the tick drawn there left
    // of the axis (a line leaves out its end point: it stops at the axis).
    int ScaleLabelLevel(int label) const;
    QLine Tick(int label) const;
    // The top-left corner of a label's text in a font of `metrics`: its
    // cell centred on its tick.
    QPoint ScaleLabelPoint(int label, const QFontMetrics &metrics) const;

    // Top-left corners of "Chanel:", "WaveLength:" and "Power=" items.
    QPoint ChannelPoint() const;
    QPoint WaveLengthPoint() const;
    QPoint PowerPoint() const;

    // Left end of the base, right end of the base, apex; empty outside 0-17.
    QPolygon MarkerPolygon(int row) const;

    // The threshold's line across the slot of `bar`, at the level of
    // `threshold`, kept between the axis top and the base line (a line
    // leaves out its end point).
    QLine ThresholdLine(int bar, double threshold) const;
    // What marks a failing bar: the bar itself, or a stub where it has none.
    QRect FailingArea(int bar, const Power &power) const;
    QPoint ThresholdPoint() const;
    QPoint MarginPoint() const;

    // Every pixel that Draw and DrawMarker can cover, in a painter whose
    // font has these metrics: the bars up to the axis top, the axes, the
    // scale labels, the selection line with the widest texts the file's
    // columns hold, and the marker under any bar.
    // With `verdicts`, the verdicts' readout too.
    QRect Extent(const QFontMetrics &metrics, bool verdicts = false) const;

private:
    double X(double designX) const { return double(m_scaleX) * designX; }
    double Y(double designY) const { return double(m_scaleY) * m_squeeze * designY; }

    float m_scaleX;
    float m_scaleY;
    double m_squeeze;
    QColor m_ink;
};
