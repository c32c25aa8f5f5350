#pragma once

// A paint device that draws nothing and records what is drawn on it: lines,
// texts, filled rectangles and polygons in the painter's logical units, with
// the transform, font, clip, pen and brush that were in force.

#include <QBrush>
#include <QFont>
#include <QPen>
#include <QPolygonF>
#include <QList>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainterPath>
#include <QTextItem>
#include <QTransform>

struct RecordedText
{
    QString text;
    QPointF baseline; // logical units
    qreal width = 0;
    qreal ascent = 0;
    qreal descent = 0;
    QFont font;
    QColor color; // the pen's
    QTransform transform;
    bool clipped = false;
    QRectF clip; // logical units, when clipped

    qreal left() const { return baseline.x(); }
    qreal right() const { return baseline.x() + width; }
    qreal top() const { return baseline.y() - ascent; }
    qreal centreX() const { return baseline.x() + width / 2; }
    qreal centreY() const { return baseline.y() + (descent - ascent) / 2; }
};

class RecordingEngine : public QPaintEngine
{
public:
    RecordingEngine() : QPaintEngine(QPaintEngine::AllFeatures) {}

    bool begin(QPaintDevice *) override { return true; }
    bool end() override { return true; }
    Type type() const override { return QPaintEngine::User; }

    void updateState(const QPaintEngineState &changed) override
    {
        const QPaintEngine::DirtyFlags flags = changed.state();
        if (flags & DirtyTransform)
            m_transform = changed.transform();
        if (flags & DirtyPen)
            m_pen = changed.pen();
        if (flags & DirtyBrush)
            m_brush = changed.brush();
        if (flags & DirtyClipEnabled)
            m_clipEnabled = changed.isClipEnabled();
        if (flags & (DirtyClipPath | DirtyClipRegion)) {
            // The clip comes in the coordinates of the moment it was set.
            const QRectF bounds = (flags & DirtyClipPath) ? changed.clipPath().boundingRect()
                                                          : QRectF(changed.clipRegion().boundingRect());
            m_clip = bounds;
            m_clipEnabled = changed.clipOperation() != Qt::NoClip;
        }
    }

    void drawLines(const QLineF *given, int count) override
    {
        for (int i = 0; i < count; ++i) {
            lines.append(given[i]);
            linePens.append(m_pen);
        }
    }
    void drawLines(const QLine *given, int count) override
    {
        for (int i = 0; i < count; ++i) {
            lines.append(QLineF(given[i]));
            linePens.append(m_pen);
        }
    }
    void drawTextItem(const QPointF &p, const QTextItem &item) override
    {
        // A text that needs fallback fonts arrives in pieces, one per font.
        if (!texts.isEmpty()) {
            RecordedText &last = texts.last();
            if (last.baseline.y() == p.y() && qAbs(last.right() - p.x()) < 0.5
                && last.transform == m_transform) {
                last.text += item.text();
                last.width += item.width();
                last.ascent = qMax(last.ascent, qreal(item.ascent()));
                last.descent = qMax(last.descent, qreal(item.descent()));
                return;
            }
        }
        RecordedText text;
        text.text = item.text();
        text.baseline = p;
        text.width = item.width();
        text.ascent = item.ascent();
        text.descent = item.descent();
        text.font = item.font();
        text.color = m_pen.color();
        text.transform = m_transform;
        text.clipped = m_clipEnabled;
        text.clip = m_clip;
        texts.append(text);
    }
    void drawPixmap(const QRectF &, const QPixmap &, const QRectF &) override { ++others; }
    void drawPath(const QPainterPath &) override { ++others; }
    void drawRects(const QRectF *rects, int count) override
    {
        for (int i = 0; i < count; ++i)
            fills.append({rects[i], m_brush.color()});
        ++others;
    }
    void drawRects(const QRect *rects, int count) override
    {
        for (int i = 0; i < count; ++i)
            fills.append({QRectF(rects[i]), m_brush.color()});
        ++others;
    }
    void drawPolygon(const QPointF *points, int count, PolygonDrawMode) override
    {
        polygons.append({QPolygonF(QList<QPointF>(points, points + count)), m_brush.color(), m_pen});
        ++others;
    }
    void drawPolygon(const QPoint *points, int count, PolygonDrawMode) override
    {
        QPolygonF polygon;
        for (int i = 0; i < count; ++i)
            polygon.append(QPointF(points[i]));
        polygons.append({polygon, m_brush.color(), m_pen});
        ++others;
    }

    struct Fill
    {
        QRectF rect;
        QColor color;
    };
    struct Polygon
    {
        QPolygonF points;
        QColor brush;
        QPen pen;
    };

    QList<QLineF> lines;
    QList<QPen> linePens; // one for each line
    QList<RecordedText> texts;
    QList<Fill> fills;
    QList<Polygon> polygons;
    int others = 0; // anything drawn but lines and texts

private:
    QPen m_pen;
    QBrush m_brush;
    QTransform m_transform;
    bool m_clipEnabled = false;
    QRectF m_clip;
};

class RecordingDevice : public QPaintDevice
{
public:
    // A page of `size` device pixels at the given resolution.
    explicit RecordingDevice(QSize size = QSize(794, 1123), int dpiX = 96, int dpiY = 96)
        : m_size(size), m_dpiX(dpiX), m_dpiY(dpiY)
    {
    }

    QPaintEngine *paintEngine() const override { return &m_engine; }
    RecordingEngine &engine() const { return m_engine; }

    QList<RecordedText> texts() const { return m_engine.texts; }
    QList<QLineF> lines() const { return m_engine.lines; }

    const RecordedText *find(const QString &text) const
    {
        for (const RecordedText &item : m_engine.texts)
            if (item.text == text)
                return &item;
        return nullptr;
    }

protected:
    int metric(PaintDeviceMetric metric) const override
    {
        switch (metric) {
        case PdmWidth: return m_size.width();
        case PdmHeight: return m_size.height();
        case PdmWidthMM: return int(m_size.width() * 25.4 / m_dpiX);
        case PdmHeightMM: return int(m_size.height() * 25.4 / m_dpiY);
        case PdmDpiX:
        case PdmPhysicalDpiX: return m_dpiX;
        case PdmDpiY:
        case PdmPhysicalDpiY: return m_dpiY;
        case PdmNumColors: return 0x7fffffff;
        case PdmDepth: return 32;
        case PdmDevicePixelRatio: return 1;
        case PdmDevicePixelRatioScaled: return int(QPaintDevice::devicePixelRatioFScale());
        default: return 0;
        }
    }

private:
    QSize m_size;
    int m_dpiX;
    int m_dpiY;
    mutable RecordingEngine m_engine;
};
