#pragma once

#include "view/FiberFilterModel.h"

#include <QWidget>

class QAbstractItemModel;
class QActionGroup;
class QLabel;
class QLineEdit;
class QToolButton;

// The fiber box's bar for finding fibers, under its edit field while it is
// open: the find field, beside it the button of the verdict filter (every
// fiber, or the failing, the marginal or the incomplete ones only), and
// under them how many fibers the box lists of how many.
class FiberFindBar : public QWidget
{
    Q_OBJECT
public:
    explicit FiberFindBar(QWidget *parent = nullptr);

    QLineEdit *Find() const { return m_find; }
    FiberFilterModel::Verdicts CurrentFilter() const { return m_filter; }
    // Sets the filter without telling filterChosen.
    void SetFilter(FiberFilterModel::Verdicts filter);
    // "9 of 48 failing": the fibers the filter keeps and all of them
    // ("9/48 failing" or "9/48" where the bar is narrow); while a text is
    // looked for, "9 failing, 1 shown" ("9 failing, 1", "9, 1"), the
    // fibers kept and those of them whose names hold the text.
    void SetCount(int kept, int all, int shown = -1);
    // A note in place of the count while it is not empty ("bin -32 to -30
    // dBm, 7 fibers"; "7 fibers" or "7" where the bar is narrow).
    void SetNote(const QString &note);
    // The same, kept up with the rows of `listed` and `all`.
    void Count(const FiberFilterModel *listed, const QAbstractItemModel *all);
    // The bar's height for rows of `rowHeight`.
    static int HeightFor(int rowHeight) { return 2 * rowHeight; }

    // The filter's name in a menu: "&All Fibers", "&Failing Fibers Only", ...
    static QString FilterText(FiberFilterModel::Verdicts filter);

signals:
    void filterChosen(FiberFilterModel::Verdicts filter);

protected:
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void placeChildren();
    void updateButton();

    QLineEdit *m_find;
    QToolButton *m_button;
    QLabel *m_count;
    QActionGroup *m_choices;
    FiberFilterModel::Verdicts m_filter = FiberFilterModel::Verdicts::All;
    int m_kept = 0;
    int m_all = 0;
    int m_shown = -1;
    QString m_note;
};
