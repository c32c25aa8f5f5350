#include "view/FiberFindBar.h"

#include "view/Resources.h"

#include <QAbstractItemModel>
#include <QAction>
#include <QActionGroup>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPainterPath>
#include <QToolButton>

namespace {

constexpr FiberFilterModel::Verdicts kFilters[] = {FiberFilterModel::Verdicts::All, FiberFilterModel::Verdicts::Failing,
                                             FiberFilterModel::Verdicts::Marginal, FiberFilterModel::Verdicts::Incomplete};

// A funnel in `ink`, drawn at twice the size for screens that scale.
QIcon funnel(const QColor &ink, bool filled)
{
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing, true);
    QPainterPath path(QPointF(4, 6));
    path.lineTo(28, 6);
    path.lineTo(18, 17);
    path.lineTo(18, 27);
    path.lineTo(14, 24);
    path.lineTo(14, 17);
    path.closeSubpath();
    painter.setPen(QPen(ink, 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(filled ? QBrush(ink) : QBrush(Qt::NoBrush));
    painter.drawPath(path);
    painter.end();
    pixmap.setDevicePixelRatio(2);
    return QIcon(pixmap);
}

} // namespace

FiberFindBar::FiberFindBar(QWidget *parent)
    : QWidget(parent), m_find(new QLineEdit(this)), m_button(new QToolButton(this)), m_count(new QLabel(this)),
      m_choices(new QActionGroup(this))
{
    m_find->setObjectName(QStringLiteral("findFiber"));
    m_find->setPlaceholderText(tr("Find"));
    m_find->setToolTip(tr("Shows the fibers whose names hold this text; Enter or Down "
                          "chooses the first, Esc shows them all again"));
    m_find->setAcceptDrops(false);
    m_button->setObjectName(QStringLiteral("verdictFilter"));
    m_button->setPopupMode(QToolButton::InstantPopup);
    m_button->setAutoRaise(true);
    m_button->setFocusPolicy(Qt::NoFocus); // Tab goes on from the field into the list
    auto *menu = new QMenu(m_button);
    for (const FiberFilterModel::Verdicts filter : kFilters) {
        QAction *choice = menu->addAction(FilterText(filter));
        choice->setCheckable(true);
        choice->setData(int(filter));
        m_choices->addAction(choice);
    }
    m_button->setMenu(menu);
    connect(m_choices, &QActionGroup::triggered, this, [this](QAction *choice) {
        SetFilter(FiberFilterModel::Verdicts(choice->data().toInt()));
        emit filterChosen(m_filter);
    });
    m_count->setObjectName(QStringLiteral("fiberCount"));
    m_count->setIndent(2);
    updateButton();
}

QString FiberFindBar::FilterText(FiberFilterModel::Verdicts filter)
{
    switch (filter) {
    case FiberFilterModel::Verdicts::Failing:
        return tr("&Failing Fibers Only");
    case FiberFilterModel::Verdicts::Marginal:
        return tr("&Marginal Fibers Only");
    case FiberFilterModel::Verdicts::Incomplete:
        return tr("&Incomplete Fibers Only");
    case FiberFilterModel::Verdicts::All:
        break;
    }
    return tr("&All Fibers");
}

void FiberFindBar::SetFilter(FiberFilterModel::Verdicts filter)
{
    m_filter = filter;
    m_choices->actions().at(int(filter))->setChecked(true);
    updateButton();
    SetCount(m_kept, m_all, m_shown);
}

// The whole text where the bar is wide enough; in a narrow box the word
// goes second and then the numbers are shortened, the whole text in the
// tool tip.
void FiberFindBar::SetCount(int kept, int all, int shown)
{
    m_kept = kept;
    m_all = all;
    m_shown = shown;
    QString word;
    switch (m_filter) {
    case FiberFilterModel::Verdicts::All:
        word = tr("fibers");
        break;
    case FiberFilterModel::Verdicts::Failing:
        word = tr("failing");
        break;
    case FiberFilterModel::Verdicts::Marginal:
        word = tr("marginal");
        break;
    case FiberFilterModel::Verdicts::Incomplete:
        word = tr("incomplete");
        break;
    }
    const QStringList forms = shown < 0
        ? QStringList{tr("%1 of %2 %3").arg(kept).arg(all).arg(word), tr("%1/%2 %3").arg(kept).arg(all).arg(word),
                      tr("%1/%2").arg(kept).arg(all)}
        : QStringList{tr("%1 %2, %3 shown").arg(kept).arg(word).arg(shown), tr("%1 %2, %3").arg(kept).arg(word).arg(shown),
                      tr("%1, %2").arg(kept).arg(shown)};
    // A note is shortened to the count of fibers it stands for, never cut.
    const QStringList noted{m_note, kept == 1 ? tr("1 fiber") : tr("%1 fibers").arg(kept), QString::number(kept)};
    const QString &text = m_note.isEmpty() ? forms.first() : m_note;
    m_count->setToolTip(text);
    m_count->setAccessibleName(text);
    const int width = m_count->contentsRect().width() - m_count->indent();
    const QFontMetrics metrics = m_count->fontMetrics();
    QString fits = text;
    for (const QString &shorter : (m_note.isEmpty() ? forms : noted).mid(1)) {
        if (metrics.horizontalAdvance(fits) <= width)
            break;
        fits = shorter;
    }
    m_count->setText(metrics.elidedText(fits, Qt::ElideRight, width));
}

void FiberFindBar::SetNote(const QString &note)
{
    m_note = note;
    SetCount(m_kept, m_all, m_shown);
}

void FiberFindBar::Count(const FiberFilterModel *listed, const QAbstractItemModel *all)
{
    const auto count = [=] {
        SetCount(listed->KeptCount(), all->rowCount(), listed->FindingText() ? listed->rowCount() : -1);
    };
    connect(listed, &QAbstractItemModel::modelReset, this, count);
    connect(listed, &QAbstractItemModel::rowsInserted, this, count);
    connect(listed, &QAbstractItemModel::rowsRemoved, this, count);
}

// The funnel is filled while a filter leaves fibers out, so that a look
// tells it; its tip and its name say which.
void FiberFindBar::updateButton()
{
    const QString which = FilterText(m_filter).remove(QLatin1Char('&'));
    m_button->setIcon(funnel(palette().color(QPalette::WindowText), m_filter != FiberFilterModel::Verdicts::All));
    m_button->setToolTip(tr("Which fibers the box lists: %1").arg(which));
    m_button->setAccessibleName(tr("Verdict filter: %1").arg(which));
}

void FiberFindBar::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    placeChildren();
}

void FiberFindBar::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::PaletteChange)
        updateButton();
}

void FiberFindBar::placeChildren()
{
    const int row = height() / 2;
    const int button = qMin(row, width() / 3);
    Resources::PlaceOnDevicePixels(m_find, QRect(0, 0, width() - button, row));
    m_button->setGeometry(width() - button, 0, button, row);
    m_count->setGeometry(0, row, width(), height() - row);
    SetCount(m_kept, m_all, m_shown);
}
