#pragma once

#include "output/TrendAxis.h"
#include "output/TrendChart.h"

#include <QPointF>
#include <QStringList>
#include <QWidget>

#include <optional>

// The lot's trend chart (see TrendChart) in the lot's tab, across time or
// the files. Under the pointer a readout tells the nearest file, its time
// and its values. The wheel zooms about the pointer (with Shift, or
// across, it pans), a drag zooms to the span dragged (with Shift it picks the control charts' baseline), Home
// shows every file again; the arrow keys move from file to file, Enter
// opens the one chosen. A click on a file's point tells which file, by
// its place in the lot.
class TrendView : public QWidget
{
    Q_OBJECT
public:
    explicit TrendView(QWidget *parent = nullptr);

    // The panels over the files of `times` (as LotTrend::Times), each
    // file's name for the readout. A zoom stays while the lot grows.
    void SetPanels(QList<TrendChart::Panel> panels, const QList<qint64> &times, const QStringList &names);
    // Across time (the default) or the files.
    void SetByTime(bool byTime);
    bool ByTime() const { return m_byTime; }
    void SetSelected(qsizetype file);
    qsizetype Selected() const { return m_selected; }
    const TrendAxis &Axis() const { return m_axis; }
    // Where the files' points stand in the widget.
    QRectF Plot() const;
    // The readout's lines for `file`.
    QStringList ReadoutOf(qsizetype file) const;
    // The chart as an image shows it: the files shown, in the window's
    // colours for text on white.
    void DrawChart(QPainter &painter, const QRectF &area) const;
    bool HasChart() const { return !m_panels.isEmpty(); }
    QSize sizeHint() const override { return QSize(600, 360); }
    QSize minimumSizeHint() const override { return QSize(240, 180); }

signals:
    void fileClicked(qsizetype file);
    void fileActivated(qsizetype file);
    // The files from `first` to `last` dragged with Shift.
    void baselinePicked(qsizetype first, qsizetype last);
    void changeMarked(qsizetype file);
    void changesCleared();
    void saveRequested();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    void rebuildAxis();
    qsizetype fileAt(const QPointF &point) const;
    // The placed files whose points fall between two pixels across.
    QPair<qsizetype, qsizetype> filesBetween(qreal left, qreal right) const;

    QList<TrendChart::Panel> m_panels;
    QList<qint64> m_times;
    QStringList m_names;
    TrendAxis m_axis;
    bool m_byTime = true;
    qsizetype m_selected = -1;
    qsizetype m_hover = -1;
    QPointF m_pointer;
    std::optional<QPointF> m_dragFrom; // a press not yet let go
    bool m_dragging = false;
};
