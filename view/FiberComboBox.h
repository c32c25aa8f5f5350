#pragma once

#include "view/FiberFilterModel.h"
#include "view/FiberFindBar.h"
#include "view/FiberListModel.h"

#include <QByteArray>
#include <QList>
#include <QWidget>

#include <functional>

class QLineEdit;
class QListView;

// The fiber box: an edit field above a list that is always shown, with a
// vertical scroll bar. Names added with AddString/AddSorted go to their
// sorted place (byte-wise ascending, equal names in the order added);
// InsertString puts an entry where it is told. Entries keep the exact bytes
// of their names and show them decoded from GB18030.
class FiberComboBox : public QWidget
{
    Q_OBJECT
public:
    explicit FiberComboBox(QWidget *parent = nullptr);

    // Adds one entry per name, entry i standing for block i; the names are
    // sorted once and merged into the list, never inserted one by one.
    void AddSorted(const QList<QByteArray> &namesByBlock);
    // The same with the names already decoded (`shown`, by block) and put
    // in order (`order`, the blocks in the box's order; see LoadedFile).
    void AddSorted(const QList<QByteArray> &namesByBlock, const QStringList &shown,
                   const QList<qsizetype> &order);
    // Adds one name at its sorted place; returns its position.
    int AddString(const QByteArray &bytes, qsizetype block);
    // Inserts at `pos` (-1: at the end) without sorting; returns the
    // position, or -1 when `pos` is out of range. A text is stored encoded
    // to GB18030.
    int InsertString(int pos, const QByteArray &bytes, qsizetype block);
    int InsertString(int pos, const QString &text, qsizetype block);
    // Returns the number of entries left, or -1 when `pos` is out of range.
    int DeleteString(int pos);
    void ResetContent();

    int GetCount() const;
    int GetCurSel() const { return m_nCurSel; }
    // Selects the entry and shows its text in the edit field; -1 clears
    // both. Returns the position, or -1.
    int SetCurSel(int pos);
    // Chooses the entry as a click on it would, which selEndOk tells;
    // nothing for a position out of range.
    void ChooseEntry(int pos);
    // The next entry of a failing fiber from the one chosen, the way `step`
    // goes, round the end of the box; chosen as a click would. Nothing
    // before the document's verdicts are known.
    void ChooseNextFailing(int step) { ChooseEntry(m_model->NextFailing(GetCurSel(), step)); }

    // The first entry after `from` the way `step` goes, round the end,
    // whose block `matches`; -1 for none. From -1, the first entry matches
    // first either way.
    int FindEntry(int from, int step, const std::function<bool(qsizetype block)> &matches) const
    {
        return m_model->FindEntry(from, step, matches);
    }

    QString GetLBText(int pos) const;     // empty when out of range
    QByteArray GetLBBytes(int pos) const; // empty when out of range
    qsizetype GetItemBlock(int pos) const; // -1 when out of range

    // The edit field's text.
    QString GetWindowText() const;
    void SetWindowText(const QString &text); // raises no editChange

    // Gives entry `pos` a new name in place: it keeps its place and its
    // block, and stays chosen if it was. The edit field shows the name
    // where the entry is the one chosen.
    void SetItemName(int pos, const QByteArray &bytes, const QString &text);

    // The document whose verdicts the entries show, whether they show them,
    // and that they changed (see FiberListModel).
    void SetDocument(const ResultDocument *document) { m_model->SetDocument(document); }
    void ShowVerdicts(bool shown);
    void VerdictsChanged()
    {
        m_model->MarksChanged();
        m_shown->BlocksChanged();
    }

    // The find bar between the edit field and the list (see FiberFindBar):
    // typing in its field shows only the entries whose names hold the
    // text, of those the verdict filter keeps; Enter or Down chooses the
    // first of them (Down goes on into the list), Esc closes the bar and
    // shows every entry again, the filter set back to all fibers.
    // Renaming stays the edit field's.
    void OpenFind();
    // Lists only the fibers of `blocks`, `note` in place of the count,
    // until Esc (CloseFind).
    void ShowOnly(const QString &note, const QList<qsizetype> &blocks);
    void CloseFind();
    bool Finding() const;
    // Lists only the failing, marginal or incomplete fibers (by the
    // document's marks and rows), or all; any but all opens the bar.
    void SetVerdictFilter(FiberFilterModel::Verdicts verdicts);
    FiberFilterModel::Verdicts VerdictFilter() const { return m_shown->VerdictsShown(); }

    // The width at which the widest name a fiber can have (eight bytes:
    // eight of the widest letters, or four full-width characters) shows
    // whole in the edit field and in the list beside its scroll bar, and
    // beside its mark with `marks`, in the fonts and style in effect.
    int WholeWidth(bool marks) const;

    QLineEdit *Edit() const { return m_edit; }
    QLineEdit *Find() const { return m_find; }
    QListView *List() const { return m_list; }

signals:
    // The user chose an entry: a click on it, a move of the selection with
    // the keys (in the list, or Up, Down, Page Up and Page Down in the edit
    // field) or with the mouse, or Enter in the list.
    void selEndOk();
    // The user changed the edit field's text (not the program).
    void editChange();
    // The user chose a verdict filter, or Esc set it back to all fibers.
    void filterChosen(FiberFilterModel::Verdicts verdicts);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void moveEvent(QMoveEvent *event) override;

private:
    FiberListModel::Entry makeEntry(QByteArray bytes, qsizetype block) const;
    void chooseShown(int row);
    bool findKey(QObject *watched, int key);
    void showSelection();
    void placeChildren();

    QLineEdit *m_edit;
    FiberFindBar *m_bar;
    QLineEdit *m_find; // the bar's
    QListView *m_list;
    FiberListModel *m_model;
    FiberFilterModel *m_shown; // what the list shows of m_model
    int m_nCurSel = -1;
    bool m_bChanging = false; // the program moves the list's selection
    bool m_bChoseOnPress = false; // the current mouse press chose already
};
