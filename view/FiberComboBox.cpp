#include "view/FiberComboBox.h"

#include "data/CodePage936.h"
#include "data/LoadedFile.h"
#include "view/Resources.h"
#include "view/StyleMetrics.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QStyle>

#include <algorithm>
#include <numeric>

FiberComboBox::FiberComboBox(QWidget *parent)
    : QWidget(parent), m_edit(new QLineEdit(this)), m_bar(new FiberFindBar(this)), m_find(m_bar->Find()),
      m_list(new QListView(this)), m_model(new FiberListModel(this)),
      m_shown(new FiberFilterModel(m_model, this))
{
    m_edit->setObjectName(QStringLiteral("fiberEdit"));
    m_bar->hide();
    m_find->installEventFilter(this);
    connect(m_find, &QLineEdit::textEdited, m_shown, &FiberFilterModel::SetFilter);
    connect(m_bar, &FiberFindBar::filterChosen, this, [this](FiberFilterModel::Verdicts filter) {
        SetVerdictFilter(filter);
        emit filterChosen(filter);
    });
    m_bar->Count(m_shown, m_model);
    m_list->setObjectName(QStringLiteral("fiberList"));
    m_list->setModel(m_shown);
    m_list->setUniformItemSizes(true); // keeps 55,000 entries cheap to lay out
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_list->setTextElideMode(Qt::ElideNone);
    m_list->installEventFilter(this);
    m_list->viewport()->installEventFilter(this);
    m_edit->installEventFilter(this);
    // A drop on the box opens files, like anywhere in the window: it must
    // never become a fiber's name.
    m_edit->setAcceptDrops(false);
    setFocusProxy(m_edit);

    // Every move of the list's selection by the user is a choice, whether
    // by a key, a click or a drag, so the edit field always shows the entry
    // that was chosen last, the one that typing renames. (The list's current
    // row alone is no choice: the list sets one when it gets the focus.)
    connect(m_list->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        const QModelIndexList selected = m_list->selectionModel()->selectedIndexes();
        if (!m_bChanging && !selected.isEmpty() && m_shown->EntryAt(selected.first().row()) != m_nCurSel) {
            m_bChoseOnPress = true;
            chooseShown(selected.first().row());
        }
    });
    // A click on the entry already chosen moves nothing but is a choice too.
    connect(m_list, &QListView::clicked, this, [this](const QModelIndex &index) {
        if (!m_bChoseOnPress)
            chooseShown(index.row());
    });
    // Whatever the list shows anew, the entry chosen stays marked where it
    // is shown.
    connect(m_shown, &QAbstractItemModel::modelReset, this, [this] {
        if (m_nCurSel >= 0 && m_nCurSel < GetCount())
            showSelection();
    });
    connect(m_edit, &QLineEdit::textEdited, this, &FiberComboBox::editChange);
}

FiberListModel::Entry FiberComboBox::makeEntry(QByteArray bytes, qsizetype block) const
{
    QString text = CodePage936::Decode(bytes);
    return {std::move(bytes), std::move(text), block};
}

void FiberComboBox::AddSorted(const QList<QByteArray> &namesByBlock)
{
    QStringList shown;
    shown.reserve(namesByBlock.size());
    for (const QByteArray &bytes : namesByBlock)
        shown.append(CodePage936::Decode(bytes));
    AddSorted(namesByBlock, shown, LoadedFile::BoxOrder(namesByBlock));
}

void FiberComboBox::AddSorted(const QList<QByteArray> &namesByBlock, const QStringList &shown,
                              const QList<qsizetype> &order)
{
    QList<FiberListModel::Entry> added;
    added.reserve(order.size());
    for (qsizetype block : order)
        added.append({namesByBlock[block], shown[block], block});

    m_nCurSel = -1;
    m_model->Merge(std::move(added));
}

int FiberComboBox::AddString(const QByteArray &bytes, qsizetype block)
{
    FiberListModel::Entry entry = makeEntry(bytes, block);
    const QList<FiberListModel::Entry> &entries = m_model->Entries();
    const int pos = int(std::upper_bound(entries.begin(), entries.end(), entry, FiberListModel::InBoxOrder)
                        - entries.begin());
    {
        const QScopedValueRollback<bool> changing(m_bChanging, true);
        m_model->Insert(pos, std::move(entry));
    }
    if (m_nCurSel >= pos)
        ++m_nCurSel;
    return pos;
}

int FiberComboBox::InsertString(int pos, const QByteArray &bytes, qsizetype block)
{
    if (pos == -1)
        pos = GetCount();
    if (pos < 0 || pos > GetCount())
        return -1;
    {
        const QScopedValueRollback<bool> changing(m_bChanging, true);
        m_model->Insert(pos, makeEntry(bytes, block));
    }
    if (m_nCurSel >= pos)
        ++m_nCurSel;
    return pos;
}

int FiberComboBox::InsertString(int pos, const QString &text, qsizetype block)
{
    return InsertString(pos, CodePage936::Encode(text), block);
}

int FiberComboBox::DeleteString(int pos)
{
    if (pos < 0 || pos >= GetCount())
        return -1;
    if (m_nCurSel == pos)
        m_nCurSel = -1;
    else if (m_nCurSel > pos)
        --m_nCurSel;
    const QScopedValueRollback<bool> changing(m_bChanging, true);
    m_model->Remove(pos);
    return GetCount();
}

void FiberComboBox::ResetContent()
{
    m_nCurSel = -1;
    m_model->Reset({});
    m_edit->clear();
}

int FiberComboBox::GetCount() const
{
    return int(m_model->Entries().size());
}

int FiberComboBox::SetCurSel(int pos)
{
    if (pos < 0 || pos >= GetCount()) {
        m_nCurSel = -1;
        const QScopedValueRollback<bool> changing(m_bChanging, true);
        m_list->selectionModel()->clear();
        m_edit->clear();
        return -1;
    }
    m_nCurSel = pos;
    showSelection();
    return pos;
}

void FiberComboBox::showSelection()
{
    const QModelIndex index = m_shown->index(m_shown->RowOf(m_nCurSel));
    {
        const QScopedValueRollback<bool> changing(m_bChanging, true);
        if (index.isValid())
            m_list->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
        else
            m_list->selectionModel()->clear(); // chosen, but not among those found
    }
    if (index.isValid())
        m_list->scrollTo(index);
    // Leaves the cursor where it is while the field already shows the name.
    if (m_edit->text() != m_model->At(m_nCurSel).text)
        m_edit->setText(m_model->At(m_nCurSel).text);
}

void FiberComboBox::ChooseEntry(int row)
{
    if (row < 0 || row >= GetCount())
        return;
    m_nCurSel = row;
    showSelection();
    emit selEndOk();
}

// Row `row` of the list as the list shows it.
void FiberComboBox::chooseShown(int row)
{
    ChooseEntry(m_shown->EntryAt(row));
}

void FiberComboBox::OpenFind()
{
    m_bar->show();
    placeChildren();
    m_find->setFocus(Qt::ShortcutFocusReason);
    m_find->selectAll();
    m_shown->SetFilter(m_find->text());
}

// Every fiber listed again: the text and the filter go.
void FiberComboBox::CloseFind()
{
    if (!Finding())
        return;
    const bool hadFocus = m_find->hasFocus() || m_list->hasFocus();
    m_bar->hide();
    m_bar->SetNote(QString());
    m_shown->ShowAll();
    m_shown->SetFilter(QString());
    if (m_bar->CurrentFilter() != FiberFilterModel::Verdicts::All) {
        SetVerdictFilter(FiberFilterModel::Verdicts::All);
        emit filterChosen(FiberFilterModel::Verdicts::All);
    }
    placeChildren();
    if (hadFocus)
        m_list->setFocus(Qt::OtherFocusReason);
}

void FiberComboBox::ShowOnly(const QString &note, const QList<qsizetype> &blocks)
{
    m_find->clear();
    m_shown->ShowOnly(blocks);
    m_bar->SetNote(note);
    OpenFind();
}

bool FiberComboBox::Finding() const
{
    return !m_bar->isHidden();
}

// A filter that leaves fibers out shows the bar, which says so.
void FiberComboBox::SetVerdictFilter(FiberFilterModel::Verdicts verdicts)
{
    m_bar->SetFilter(verdicts);
    m_shown->SetVerdicts(verdicts, m_model->Document());
    if (verdicts != FiberFilterModel::Verdicts::All && !Finding()) {
        m_bar->show();
        placeChildren();
    }
}

// The keys of the find field, and Esc in the list while it is open.
bool FiberComboBox::findKey(QObject *watched, int key)
{
    if (key == Qt::Key_Escape && (watched == m_find || (watched == m_list && Finding()))) {
        CloseFind();
        return true;
    }
    if (watched != m_find)
        return false;
    if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Down) {
        if (m_shown->rowCount() > 0) {
            chooseShown(0);
            if (key == Qt::Key_Down)
                m_list->setFocus(Qt::OtherFocusReason);
        }
        return true;
    }
    if (key == Qt::Key_Up || key == Qt::Key_PageUp || key == Qt::Key_PageDown)
        return true; // no place to move to from above the list
    return false;
}

QString FiberComboBox::GetLBText(int pos) const
{
    return pos >= 0 && pos < GetCount() ? m_model->At(pos).text : QString();
}

QByteArray FiberComboBox::GetLBBytes(int pos) const
{
    return pos >= 0 && pos < GetCount() ? m_model->At(pos).bytes : QByteArray();
}

qsizetype FiberComboBox::GetItemBlock(int pos) const
{
    return pos >= 0 && pos < GetCount() ? m_model->At(pos).block : -1;
}

void FiberComboBox::SetItemName(int pos, const QByteArray &bytes, const QString &text)
{
    if (pos < 0 || pos >= GetCount())
        return;
    m_model->Rename(pos, bytes, text);
    if (pos == m_nCurSel && m_edit->text() != text)
        m_edit->setText(text);
}

// The marks take no more height than the names, so the list keeps its rows.
void FiberComboBox::ShowVerdicts(bool shown)
{
    const int side = qMax(8, m_list->fontMetrics().height() - 2);
    m_list->setIconSize(QSize(side, side));
    m_model->ShowVerdicts(shown);
}

int FiberComboBox::WholeWidth(bool marks) const
{
    const int chrome = 2 * m_list->frameWidth()
        + m_list->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, m_list->verticalScrollBar());
    int width = 0;
    for (const QString &name : {QString(8, QLatin1Char('W')), QString(4, QChar(0x5149))})
        width = std::max({width, StyleMetrics::LineEditWidth(*m_edit, name),
                          StyleMetrics::ItemSize(*m_list, name, marks).width() + chrome});
    return width;
}

QString FiberComboBox::GetWindowText() const
{
    return m_edit->text();
}

void FiberComboBox::SetWindowText(const QString &text)
{
    m_edit->setText(text);
}

bool FiberComboBox::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_list->viewport() && event->type() == QEvent::MouseButtonPress)
        m_bChoseOnPress = false;
    if (event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    const int key = static_cast<QKeyEvent *>(event)->key();
    if (findKey(watched, key))
        return true;
    if (watched == m_list && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
        chooseShown(m_list->currentIndex().row());
        return true;
    }
    // While no entry shown is chosen, Down chooses the first instead of
    // passing it by, in the list and in the edit field alike.
    if ((watched == m_list || watched == m_edit) && key == Qt::Key_Down
        && m_shown->RowOf(m_nCurSel) < 0 && m_shown->rowCount() > 0) {
        chooseShown(0);
        return true;
    }
    // In the edit field the keys that move through entries move the list,
    // as in the platform's simple combo box; Home and End stay the field's.
    if (watched == m_edit
        && (key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_PageUp
            || key == Qt::Key_PageDown)) {
        QCoreApplication::sendEvent(m_list, event);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void FiberComboBox::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    placeChildren();
}

// The box moves when the form puts it on whole device pixels; its parts
// follow.
void FiberComboBox::moveEvent(QMoveEvent *event)
{
    QWidget::moveEvent(event);
    placeChildren();
}

void FiberComboBox::placeChildren()
{
    const int editHeight = qMin(height(), fontMetrics().height() + 6);
    Resources::PlaceOnDevicePixels(m_edit, QRect(0, 0, width(), editHeight));
    int top = editHeight;
    if (Finding()) {
        const int barHeight = qMin(FiberFindBar::HeightFor(editHeight), height() - top);
        m_bar->setGeometry(0, top, width(), barHeight);
        top += barHeight;
    }
    Resources::PlaceOnDevicePixels(m_list, QRect(0, top, width(), qMax(0, height() - top)));
}
