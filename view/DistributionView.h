#pragma once

#include "output/DistributionChart.h"

#include <QPixmap>
#include <QString>
#include <QWidget>

#include <optional>

class ThresholdJudge;

// The distributions of the file shown, drawn by DistributionChart to fill
// the widget and to follow its size: a histogram per channel in a grid and
// the Pareto beside them, on the palette's colours. The arrow keys, Home and
// End move among the histograms, Enter chooses the one marked; a tool tip
// on a bar gives its bin's range and count; a right click offers Save
// Image. Drawn once per size and kept: a repaint that changes nothing
// draws nothing anew, and a resize never judges anything.
class DistributionView : public QWidget
{
    Q_OBJECT
public:
    explicit DistributionView(QWidget *parent = nullptr);

    // The figures of `judge` (copied: the judge may go), headed `title`.
    void SetFigures(const ThresholdJudge &judge, const QString &title);
    // The chosen fiber's powers marked on the histograms (kept for the
    // figures shown after); none for no fiber.
    void SetFiberMarks(const QHash<QByteArray, double> &powers);
    // No chart: `text` in its place.
    void SetMessage(const QString &text);
    bool HasChart() const { return m_chart.has_value(); }
    const DistributionChart *Chart() const { return m_chart ? &*m_chart : nullptr; }

    // All the histograms on one axis (kept for the files shown after).
    void SetCommonAxis(bool common);
    bool CommonAxis() const { return m_commonAxis; }

    // The histogram marked, a place in the judge's channels; -1 for none.
    int Current() const { return m_current; }
    void SetCurrent(int index);

    // The chart as it is shown, into any painter of this widget's size.
    void DrawChart(QPainter &painter, const QRectF &area) const;

    // A tool tip's text for the point `at`: the bin under it, its range in
    // dB and how many values it counts (of them failing); empty elsewhere.
    QString TipAt(const QPointF &at) const;
    // A bin's edge with the places its width needs.
    static QString BinEdge(double value, double width);
    // The bar under `at`: its histogram's channel, the histogram as drawn
    // there, and the bin.
    struct Bar
    {
        int index = -1;
        ChannelHistogram histogram;
        int bin = -1;
    };
    std::optional<Bar> BarAt(const QPointF &at) const;

    // A lower limit tried for the histogram `index`: drawn over the chart
    // as it stands (the chart itself follows once the fibers are judged by
    // it); none ends it.
    void SetWhatIf(int index, std::optional<double> lower);
    // Where the limit line of histogram `index` stands, in the widget; none
    // where it stands off the plot, or there is none.
    std::optional<double> LimitX(int index) const;
    // The value under `x` on histogram `index`'s axis, to 0.01 dB.
    std::optional<double> ValueAt(int index, double x) const;

    QSize sizeHint() const override { return QSize(960, 600); }

signals:
    void currentChanged(int index);
    // A histogram's lower limit dragged to `lower`; `done` once let go.
    void limitDragged(int index, double lower, bool done);
    // Enter on the histogram of channel `index`, or a double click on it.
    void channelChosen(int index);
    void saveRequested();
    // A click on a bar of channel `index` (not on its limit's line).
    void barClicked(int index, const ChannelHistogram &histogram, int bin);

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    DistributionChart::Layout layout() const;
    int panelAt(const QPointF &at) const;
    int neighbour(int key) const;
    void describeCurrent();
    DistributionChart::Colours colours() const;
    struct PlotAxis
    {
        QRectF plot;
        double start = 0;
        double end = 0;
    };
    std::optional<PlotAxis> plotAxis(int index) const;

    std::optional<DistributionChart> m_chart;
    QHash<QByteArray, double> m_fiberMarks;
    QString m_message;
    int m_current = -1;
    bool m_commonAxis = false;
    QPixmap m_drawn; // the chart at the widget's size and pixel ratio; null: to draw
    int m_whatIfIndex = -1;
    std::optional<double> m_whatIf;
    int m_dragging = -1; // the histogram whose limit is being dragged
};
