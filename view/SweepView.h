#pragma once

#include "output/SweepChart.h"

#include <QWidget>

#include <optional>

// A channel's yield against its lower limit (see SweepChart), filling the
// widget; nothing drawn without a curve.
class SweepView : public QWidget
{
    Q_OBJECT
public:
    explicit SweepView(QWidget *parent = nullptr);

    void SetChart(std::optional<SweepChart> chart);
    const SweepChart *Chart() const { return m_chart ? &*m_chart : nullptr; }

    QSize sizeHint() const override { return QSize(600, 160); }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    std::optional<SweepChart> m_chart;
};
