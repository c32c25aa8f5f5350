#pragma once

#include <QLine>
#include <QList>
#include <QPoint>
#include <QPolygon>
#include <QRect>
#include <QString>
#include <QStringList>

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
class ChannelChart
{
public:
    static constexpr int BarCount = 18;
    static constexpr int ScaleLabelCount = 6;

    // A power read from a text is held within +-PowerLimit dB, so a text
    // such as "1e999" draws a bar as long as the limit allows instead of an
    // infinite one. 4 pixels per dB keeps every coordinate far inside int.
    static constexpr double PowerLimit = 1.0e6;

    // The four edges of a rectangle as the chart computes them: left and
    // top included, right and bottom excluded. top may lie below bottom.
    struct Edges
    {
        int left = 0;
        int top = 0;
        int right = 0;
        int bottom = 0;
    };

    ChannelChart(float scaleX, float scaleY);

    float ScaleX() const { return m_scaleX; }
    float ScaleY() const { return m_scaleY; }

    // The chart: 18 bars from the power texts (rows past the end of the list
    // read as empty texts), the axes, the scale labels and the selection line
    // "Chanel:" channel, "WaveLength:" waveLength, "Power=" power.
    void Draw(QPainter &painter, const QStringList &powers, const QString &channel,
              const QString &waveLength, const QString &power) const;
    // The red triangle under the bar of `row`; nothing for rows outside 0-17.
    void DrawMarker(QPainter &painter, int row) const;

    // The geometry behind Draw and DrawMarker.

    // The value of one power text as the list shows it: "Low" is the
    // zero-height level -60 x sy; anything else is its leading decimal
    // number (0 when it has none), held within +-PowerLimit.
    float PowerValue(const QString &text) const;
    // PowerValue of rows 0-17; missing rows are empty texts.
    QList<float> PowerValues(const QStringList &texts) const;

    Edges BarEdges(int bar, float power) const;
    // The pixels the fill of BarEdges covers: left and top included, right
    // and bottom excluded. A top below the base line gives no height.
    static QRect FillArea(const Edges &edges);

    QLine VerticalAxis() const;
    QLine BaseLine() const;

    static QString ScaleLabelText(int label); // "+15.0", " 0.0", ... "-60.0"
    QPoint ScaleLabelPoint(int label) const;  // top-left corner of the text

    // Top-left corners of "Chanel:", "WaveLength:" and "Power=" items.
    QPoint ChannelPoint() const;
    QPoint WaveLengthPoint() const;
    QPoint PowerPoint() const;

    // Left end of the base, right end of the base, apex; empty outside 0-17.
    QPolygon MarkerPolygon(int row) const;

    // Every pixel that Draw and DrawMarker can cover, in a painter whose
    // font has these metrics: the bars up to the top of the scale, the
    // axes, the scale labels, the selection line with the widest texts the
    // file's columns hold, and the marker under any bar. Bars of powers
    // above the scale only reach further up, never right or down.
    QRect Extent(const QFontMetrics &metrics) const;

private:
    double X(double designX) const { return double(m_scaleX) * designX; }
    double Y(double designY) const { return double(m_scaleY) * designY; }

    float m_scaleX;
    float m_scaleY;
};
