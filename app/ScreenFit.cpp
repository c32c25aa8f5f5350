#include "app/ScreenFit.h"

#include "view/CSDIQVLView.h"

#include <QGuiApplication>
#include <QLayout>
#include <QMainWindow>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>

// A Wayland compositor tells neither where it puts the window nor what its
// own bars take of the screen: where the screen's available area is all of
// it, room is kept for a desktop's bar, so that the window's foot stays on
// the screen wherever the bar pushes it.
int ScreenFit::unknownBars(const QScreen &screen)
{
    constexpr int kDesktopBar = 48;
    const bool toldNothing = screen.availableGeometry() == screen.geometry();
    return toldNothing && QGuiApplication::platformName() == QLatin1String("wayland") ? kDesktopBar : 0;
}

void ScreenFit::Fit(const QSize &form, CSDIQVLView *view)
{
    m_formSize = form;
    QLayout *layout = m_frame.layout();
    m_area.setMinimumSize(m_formSize);
    layout->invalidate();
    layout->activate();
    const QSize needed = layout->totalMinimumSize(); // with the menu bar
    m_area.setMinimumSize(0, 0);
    QSize size = needed;
    if (const QScreen *screen = m_frame.screen()) {
        const QRect available = screen->availableGeometry();
        const QSize room = available.size() - (m_frame.frameGeometry().size() - m_frame.geometry().size())
            - QSize(0, unknownBars(*screen));
        // A form that does not fit first makes itself lower.
        if (view && needed.height() > room.height()) {
            const QSize before = m_formSize;
            view->LimitHeight(m_formSize.height() - (needed.height() - room.height()));
            if (m_formSize != before)
                return; // fitted again by now, to the lower form
        }
        // A scroll bar one way takes room the other way.
        const int bar = m_frame.style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, &m_area);
        if (needed.height() > room.height())
            size.rwidth() += bar;
        if (needed.width() > room.width())
            size.rheight() += bar;
        size = size.boundedTo(room);
        // A window that does not fit starts at the corner of the room.
        if (needed != size && m_frame.isVisible() && !available.contains(m_frame.frameGeometry()))
            m_frame.move(available.topLeft());
    }
    m_frame.setFixedSize(size);
    // From now on the size is ours, not the layout's.
    layout->setSizeConstraint(QLayout::SetNoConstraint);
}
