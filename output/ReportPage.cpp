#include "output/ReportPage.h"

#include "output/ReportFont.h"

#include <QCoreApplication>
#include <QFontMetricsF>
#include <QPainter>
#include <QPen>

namespace ReportPage {

namespace {

constexpr char kReportFace[] = "Boldface";
constexpr int kFooterTop = 1072;
constexpr int kFooterBottom = 1096;
constexpr int kLeftInCell = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine;
constexpr int kRightInCell = Qt::AlignRight | Qt::AlignVCenter | Qt::TextSingleLine;

} // namespace

QFont Font(int pixels, bool bold, int width)
{
    ReportFont font(kReportFace);
    font.SetHeight(pixels);
    if (width > 0)
        font.SetWidth(width);
    if (bold)
        font.SetBold(true);
    const QFont made = font.Font();
    font.DeleteObject();
    return made;
}

QRect Span(int left, int top, int right, int bottom)
{
    return QRect(left, top, right - left, bottom - top);
}

void DrawText(QPainter &painter, const QRect &rect, int flags, const QString &text)
{
    const QFontMetricsF metrics(painter.font(), painter.device());
    painter.drawText(rect, flags, metrics.elidedText(text, Qt::ElideRight, rect.width()));
}

void DrawRules(QPainter &painter, const QVarLengthArray<QLine, 64> &rules)
{
    const QPen previous = painter.pen();
    QPen hairline = previous;
    hairline.setWidth(0);
    painter.setPen(hairline);
    painter.drawLines(rules.constData(), int(rules.size()));
    painter.setPen(previous);
}

void DrawFooter(QPainter &painter, const QString &name, int page, int total)
{
    DrawRules(painter, {QLine(Left, FooterRule, Right, FooterRule)});
    painter.setFont(Font(12));
    DrawText(painter, Span(Left, kFooterTop, 560, kFooterBottom), kLeftInCell, name);
    DrawText(painter, Span(560, kFooterTop, Right, kFooterBottom), kRightInCell,
             QCoreApplication::translate("ReportPage", "Page %1 of %2").arg(page).arg(total));
}

} // namespace ReportPage
