#include "view/WarningMarginDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

WarningMarginDialog::WarningMarginDialog(std::optional<double> margin, QWidget *parent)
    : QDialog(parent), m_on(new QCheckBox(tr("&Mark fibers that pass by less than"), this)),
      m_value(new QDoubleSpinBox(this))
{
    setObjectName(QStringLiteral("warningMargin"));
    setWindowTitle(tr("Warning Margin"));
    m_on->setObjectName(QStringLiteral("warnMarginOn"));
    m_value->setObjectName(QStringLiteral("warnMarginValue"));
    m_value->setRange(0, 999.99);
    m_value->setDecimals(2);
    m_value->setSingleStep(0.5);
    m_value->setSuffix(tr(" dB"));
    m_value->setAccessibleName(tr("Warning margin in dB"));
    m_on->setChecked(margin.has_value());
    m_value->setValue(margin.value_or(1.0));
    m_value->setEnabled(m_on->isChecked());
    connect(m_on, &QCheckBox::toggled, m_value, &QWidget::setEnabled);

    auto *explanation = new QLabel(tr("A fiber that passes, but whose worst channel is less than this above its "
                                      "threshold, is marginal: it still passes. A margin equal to it is not "
                                      "marginal."),
                                   this);
    explanation->setWordWrap(true);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(this, &QDialog::accepted, this, [this] { emit chosen(Margin()); });

    auto *row = new QHBoxLayout;
    row->addWidget(m_on);
    row->addWidget(m_value);
    row->addStretch();
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(explanation);
    layout->addWidget(buttons);
}

std::optional<double> WarningMarginDialog::Margin() const
{
    return m_on->isChecked() ? std::optional<double>(m_value->value()) : std::nullopt;
}
