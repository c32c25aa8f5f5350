#include "view/FormLayout.h"

#include "data/ChannelTable.h"
#include "view/ChannelList.h"
#include "view/FiberComboBox.h"

#include <QFontMetrics>

#include <cmath>

namespace {

// The least room between the fiber box and the list.
constexpr int kComboGap = 8;

} // namespace

FormLayout FormLayout::Make(const FormGeometry &geometry, const QFontMetrics &metrics, const Needs &needs)
{
    FormLayout layout;
    layout.combo = FormGeometry::ComboRect();
    layout.combo.setWidth(qMax(layout.combo.width(), needs.comboWidth));
    QRect designList = FormGeometry::ListRect(needs.listWidth, 0);
    designList.moveLeft(qMax(designList.left(), layout.combo.right() + 1 + kComboGap));

    const int designHeight = geometry.FormSize(metrics, designList, geometry.ChartShift(designList.bottom(), metrics),
                                               needs.verdicts).height();
    const auto place = [&](const QRect &list, double squeeze) {
        layout.list = list;
        layout.squeeze = squeeze;
        layout.chartShift = geometry.ChartShift(list.bottom(), metrics, squeeze);
        layout.form = geometry.FormSize(metrics, list, layout.chartShift, needs.verdicts, squeeze);
        // A form at its design height is never too high: it scrolls.
        const int limit = squeeze < 1.0 ? needs.heightLimit : qMax(designHeight, needs.heightLimit);
        return layout.form.height() <= limit;
    };
    const double least = qMin(1.0, geometry.Chart().SqueezeFor(needs.minAxis));
    // As many whole rows as the room takes with the chart whole, else
    // lowered, down to the design's list.
    for (int rows = ChannelTable::FiberSize; rows > 0 && needs.listHeight; --rows) {
        const int height = needs.listHeight(rows);
        if (height <= designList.height())
            break;
        QRect list = designList;
        list.setHeight(height);
        if (place(list, 1.0))
            return layout;
        if (!place(list, least))
            continue;
        // The least lowering that fits, to a hundredth.
        double fits = least;
        double tooHigh = 1.0;
        while (tooHigh - fits > 0.01) {
            const double middle = (fits + tooHigh) / 2;
            (place(list, middle) ? fits : tooHigh) = middle;
        }
        place(list, fits);
        return layout;
    }
    place(designList, 1.0);
    return layout;
}

FormLayout::Needs FormLayout::NeedsOf(const FiberComboBox &combo, const ChannelList &list,
                                      const FormGeometry &geometry, bool verdicts, int heightLimit,
                                      qreal devicePixelRatio)
{
    // At a fractional scale a control is placed where its frame lines fall
    // on whole device pixels, which takes up to three pixels off each side.
    const int snapping = qFuzzyCompare(devicePixelRatio, qreal(qRound(devicePixelRatio))) ? 0 : 6;
    Needs needs;
    needs.comboWidth = combo.WholeWidth(verdicts) + snapping;
    needs.listWidth = list.WholeWidth() + snapping;
    needs.listHeight = [&list, snapping](int rows) { return list.WholeHeight(rows) + snapping; };
    needs.verdicts = verdicts;
    needs.heightLimit = heightLimit;
    needs.minAxis = int(std::ceil(200 * geometry.Chart().ScaleY() / devicePixelRatio));
    return needs;
}
