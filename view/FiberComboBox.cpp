#include "view/FiberComboBox.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
#include <QScopedValueRollback>
#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>
#include <numeric>

namespace {

QStringDecoder fromCodePage()
{
    return QStringDecoder("GB18030", QStringDecoder::Flag::Stateless);
}

bool byBytes(const FiberListModel::Entry &a, const FiberListModel::Entry &b)
{
    return a.bytes < b.bytes; // unsigned byte-wise, a prefix first
}

} // namespace

FiberComboBox::FiberComboBox(QWidget *parent)
    : QWidget(parent), m_edit(new QLineEdit(this)), m_list(new QListView(this)),
      m_model(new FiberListModel(this))
{
    m_list->setModel(m_model);
    m_list->setUniformItemSizes(true); // keeps 55,000 entries cheap to lay out
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_list->setTextElideMode(Qt::ElideNone);
    m_list->installEventFilter(this);
    setFocusProxy(m_edit);

    connect(m_list, &QListView::clicked, this,
            [this](const QModelIndex &index) { chooseRow(index.row()); });
    connect(m_list->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &current) {
                // Moving through the list with the keys selects without choosing.
                if (!m_bChanging && current.isValid() && current.row() != m_nCurSel) {
                    m_nCurSel = current.row();
                    m_edit->setText(m_model->At(m_nCurSel).text);
                }
            });
    connect(m_edit, &QLineEdit::textEdited, this, &FiberComboBox::editChange);
}

FiberListModel::Entry FiberComboBox::makeEntry(QByteArray bytes, qsizetype block) const
{
    QStringDecoder decode = fromCodePage();
    QString text = decode(bytes);
    return {std::move(bytes), std::move(text), block};
}

void FiberComboBox::AddSorted(const QList<QByteArray> &namesByBlock)
{
    QList<qsizetype> order(namesByBlock.size());
    std::iota(order.begin(), order.end(), qsizetype(0));
    std::stable_sort(order.begin(), order.end(), [&](qsizetype a, qsizetype b) {
        return namesByBlock[a] < namesByBlock[b];
    });

    QStringDecoder decode = fromCodePage();
    QList<FiberListModel::Entry> added;
    added.reserve(order.size());
    for (qsizetype block : order) {
        const QByteArray &bytes = namesByBlock[block];
        added.append({bytes, decode(bytes), block});
    }

    QList<FiberListModel::Entry> entries;
    if (m_model->Entries().isEmpty()) {
        entries = std::move(added);
    } else {
        // Entries already there come first among equal names.
        const QList<FiberListModel::Entry> &old = m_model->Entries();
        entries.reserve(old.size() + added.size());
        std::merge(old.begin(), old.end(), added.begin(), added.end(),
                   std::back_inserter(entries), byBytes);
    }
    m_nCurSel = -1;
    m_model->Reset(std::move(entries));
}

int FiberComboBox::AddString(const QByteArray &bytes, qsizetype block)
{
    FiberListModel::Entry entry = makeEntry(bytes, block);
    const QList<FiberListModel::Entry> &entries = m_model->Entries();
    const int pos = int(std::upper_bound(entries.begin(), entries.end(), entry, byBytes)
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
    QStringEncoder toCodePage("GB18030", QStringEncoder::Flag::Stateless);
    return InsertString(pos, QByteArray(toCodePage(text)), block);
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
    const QModelIndex index = m_model->index(m_nCurSel);
    m_list->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    m_list->scrollTo(index);
    // Leaves the cursor where it is while the field already shows the name.
    if (m_edit->text() != m_model->At(m_nCurSel).text)
        m_edit->setText(m_model->At(m_nCurSel).text);
}

void FiberComboBox::chooseRow(int row)
{
    if (row < 0 || row >= GetCount())
        return;
    m_nCurSel = row;
    showSelection();
    emit selEndOk();
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
    if (watched == m_list && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            chooseRow(m_list->currentIndex().row());
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void FiberComboBox::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    const int editHeight = qMin(height(), fontMetrics().height() + 6);
    m_edit->setGeometry(0, 0, width(), editHeight);
    m_list->setGeometry(0, editHeight, width(), height() - editHeight);
}
