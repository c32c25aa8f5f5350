#pragma once

#include <QSize>

class CSDIQVLView;
class QMainWindow;
class QScreen;
class QScrollArea;

// The window fitted to the form it shows, on the screen it stands on: it
// holds the form exactly where the screen has room for that; where it has
// not, the form first lowers its chart and gives up rows (see
// CSDIQVLView::LimitHeight), and what still does not fit scrolls inside the
// window, which takes the room there is.
class ScreenFit
{
public:
    ScreenFit(QMainWindow &frame, QScrollArea &area) : m_frame(frame), m_area(area) {}

    void Fit(const QSize &form, CSDIQVLView *view);
    // Fits the window again to the form it was fitted to last.
    void Refit(CSDIQVLView *view) { Fit(m_formSize, view); }

private:
    static int unknownBars(const QScreen &screen);

    QMainWindow &m_frame;
    QScrollArea &m_area;
    QSize m_formSize;
};
