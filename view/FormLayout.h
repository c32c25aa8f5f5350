#pragma once

#include "view/FormGeometry.h"

#include <QRect>
#include <QSize>

#include <climits>
#include <functional>

class ChannelList;
class FiberComboBox;
class QFontMetrics;

// Where the form's controls and its chart go, for what the controls need in
// the fonts and the style in effect. At the design's fonts on the design
// screen that is the design: the fiber box and the list at their places,
// the list as long as a fiber's 18 rows need, the chart below it.
//
// The fiber box is as wide as the widest name needs, the list moving right
// where the box would reach it; the list is as wide as its columns need.
// Where the form may not be as high as all that takes, the chart is lowered
// (see ChannelChart) as far as its axis keeps `minAxis` pixels; where even
// that does not fit, the list gives up rows, down to its design height, and
// the form scrolls inside the window.
struct FormLayout
{
    struct Needs
    {
        int comboWidth = 0;
        int listWidth = 0;
        std::function<int(int rows)> listHeight; // with `rows` rows whole
        bool verdicts = false;
        int heightLimit = INT_MAX;
        int minAxis = 0;
    };

    static FormLayout Make(const FormGeometry &geometry, const QFontMetrics &metrics, const Needs &needs);
    // What the form's fiber box and list need, with the verdicts shown or
    // not, in a form at most `heightLimit` high whose chart keeps 200
    // pixels of the screen for its axis, or more on a screen that draws it
    // bigger (`devicePixelRatio` of them to a pixel of the form).
    static Needs NeedsOf(const FiberComboBox &combo, const ChannelList &list, const FormGeometry &geometry,
                         bool verdicts, int heightLimit, qreal devicePixelRatio);

    QRect combo;
    QRect list;
    int chartShift = 0;
    double squeeze = 1.0;
    QSize form;
};
