#pragma once

#include "output/CompareChart.h"

#include <QWidget>

// The comparison's histograms, A over B for each channel (see
// CompareChart), and below them the paired differences of the channel
// clicked. A click on a panel marks its channel (channelChosen); the
// context menu offers Save Image.
class CompareView : public QWidget
{
    Q_OBJECT
public:
    explicit CompareView(QWidget *parent = nullptr);

    void SetPanels(QList<CompareChart::Panel> panels);
    const QList<CompareChart::Panel> &Panels() const { return m_panels; }
    // The paired differences of the marked channel.
    void SetDifferences(int channel, const Comparison::Paired &paired, QList<double> differences);
    int Marked() const { return m_marked; }

    // Draws what the widget shows into `area`, for Save Image.
    void DrawInto(QPainter &painter, const QRectF &area) const;
    // The panels' part of the widget, and the differences' below it.
    QRectF PanelsArea() const;

signals:
    void channelChosen(int channel);
    void saveImageWanted(const QPoint &globalPos);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    static QRectF panelsOf(const QRectF &area);
    static QRectF differencesOf(const QRectF &area);

    QList<CompareChart::Panel> m_panels;
    int m_marked = -1;
    Comparison::Paired m_paired;
    QList<double> m_differences;
};
