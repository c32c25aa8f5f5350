#include "output/ChartColours.h"

ChartColours ChartColours::Light()
{
    return On(QColor(0x20, 0x20, 0x20), Qt::white);
}

// The Okabe-Ito colours, which colour-blind readers tell apart: blue bars,
// vermilion for failing, orange for fair, bluish green for good.
ChartColours ChartColours::On(const QColor &ink, const QColor &paper)
{
    ChartColours colours;
    colours.ink = ink;
    colours.paper = paper;
    colours.grid = QColor::fromRgbF(float((ink.redF() + paper.redF()) / 2), float((ink.greenF() + paper.greenF()) / 2),
                                    float((ink.blueF() + paper.blueF()) / 2));
    colours.pass = QColor(0x56, 0xb4, 0xe9);
    colours.fail = QColor(0xd5, 0x5e, 0x00);
    colours.fair = QColor(0xe6, 0x9f, 0x00);
    colours.band = QColor(0xe6, 0x9f, 0x00, 70);
    return colours;
}
