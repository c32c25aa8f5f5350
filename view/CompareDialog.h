#pragma once

#include "data/Comparison.h"
#include "data/JudgePipeline.h"
#include "lot/CompareReader.h"

#include <QDialog>

#include <atomic>
#include <memory>

class CompareShiftModel;
class CompareView;
class FileDialogs;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
class QTableWidget;
class WindowWork;

// Two result files or folders compared: each channel's histograms of A and
// B over each other, the table of shifts (sortable by any column), the
// agreement of the verdicts of the fibers on both sides, and a channel's
// paired differences once its panel is clicked. The sides are read and
// compared on a thread of their own, so the window never waits on the
// disk; Compare again while a comparison runs starts it over.
class CompareDialog : public QDialog
{
    Q_OBJECT
public:
    CompareDialog(FileDialogs &dialogs, QWidget *parent = nullptr);
    ~CompareDialog() override;

    // The sides' paths, as the fields show them.
    void SetPaths(const QString &a, const QString &b);
    // What the sides are judged with: the window's warning margin and limits.
    void SetInputs(const JudgeInputs &inputs) { m_inputs = inputs; }
    // Reads and compares the sides named (compared once it is done).
    void Compare();
    bool Comparing() const;
    // The comparison shown last; none before the first.
    const Comparison *Shown() const;
    void ChooseChannel(int channel);
    void SaveImage();
    // The rows of the shift table chosen (all where none is), as Copy puts
    // them on the clipboard.
    QString CopiedText() const;

    // The p-value below which a shift is marked: 0.001 unless chosen.
    double Alpha() const { return m_alpha; }
    void SetAlpha(double alpha);

signals:
    void compared();

private:
    struct Outcome;
    void browse(QLineEdit *field, bool folder);
    void finish(const std::shared_ptr<Outcome> &outcome);
    void showAgreement(const Comparison &comparison);
    void showShifts();

    FileDialogs &m_dialogs;
    JudgeInputs m_inputs;
    QLineEdit *m_a;
    QLineEdit *m_b;
    QPushButton *m_run;
    QLabel *m_status;
    QComboBox *m_alphaBox;
    double m_alpha = 0.001;
    CompareView *m_view;
    CompareShiftModel *m_shifts;
    QTableView *m_shiftTable;
    QTableWidget *m_agreement;
    QLabel *m_kappa;
    QLabel *m_notes;
    WindowWork *m_work;
    std::shared_ptr<Outcome> m_shown;
};
