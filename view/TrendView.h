#pragma once

#include "output/TrendChart.h"

#include <QWidget>

// The lot's trend chart (see TrendChart) in the lot's tab; a click on a
// file's point tells which file, by its place in the lot.
class TrendView : public QWidget
{
    Q_OBJECT
public:
    explicit TrendView(QWidget *parent = nullptr);

    void SetPanels(QList<TrendChart::Panel> panels, const QString &first, const QString &last);
    void SetSelected(qsizetype file);
    qsizetype Selected() const { return m_selected; }
    // Where the files' points stand in the widget.
    QRectF Plot() const;
    QSize sizeHint() const override { return QSize(600, 360); }
    QSize minimumSizeHint() const override { return QSize(240, 180); }

signals:
    void fileClicked(qsizetype file);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    QList<TrendChart::Panel> m_panels;
    QString m_first, m_last;
    qsizetype m_selected = -1;
};
