#pragma once

#include <QDialog>

#include <memory>

class DistributionView;
class FileDialogs;
class LotDocument;
class QLabel;
class WindowWork;
struct JudgeInputs;

// The distributions of a lot: every channel's histogram, the Pareto of the
// failures and the capability, over the fibers of all its files, each
// fiber counted once by its latest result. The folder is read again on a
// thread of the dialog's own (through the summary cache, as its tab reads
// it), for the histograms need the rows; Save Image writes the chart.
class LotDistributionsDialog : public QDialog
{
    Q_OBJECT
public:
    LotDistributionsDialog(FileDialogs &dialogs, QWidget *parent = nullptr);
    ~LotDistributionsDialog() override;

    // Shows `lot`'s distributions, once read.
    void Show(const LotDocument &lot, const JudgeInputs &inputs);
    bool Reading() const;
    DistributionView *View() const { return m_view; }
    void SaveImage();

signals:
    void shown();

private:
    struct Outcome;
    void finish(const std::shared_ptr<Outcome> &outcome);

    FileDialogs &m_dialogs;
    DistributionView *m_view;
    QLabel *m_notes;
    QString m_folder;
    WindowWork *m_work;
};
