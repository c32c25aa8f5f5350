#pragma once

#include <QDialog>

#include <optional>

class QCheckBox;
class QDoubleSpinBox;

// Asks for the warning margin: off, or the margin in dB (0 or more) below
// which a fiber that passes is marked marginal. Opened without blocking the
// window; `chosen` tells what OK took.
class WarningMarginDialog : public QDialog
{
    Q_OBJECT
public:
    explicit WarningMarginDialog(std::optional<double> margin, QWidget *parent = nullptr);

    std::optional<double> Margin() const;

signals:
    void chosen(std::optional<double> margin);

private:
    QCheckBox *m_on;
    QDoubleSpinBox *m_value;
};
