#pragma once

#include <QFont>
#include <QLine>
#include <QRect>
#include <QString>
#include <QVarLengthArray>

class QPainter;

// What every page of a report with figures shares, in the report's logical
// units of 1/96 inch (see PrintReport): its face, texts cut to their
// rectangles, hairline rules, and the footer of a name and "Page N of M".
namespace ReportPage {

constexpr int Left = 24;
constexpr int Right = 762;
constexpr int FooterRule = 1068;

// The report's face (see ReportFont) at `pixels` logical units.
QFont Font(int pixels, bool bold = false, int width = 0);

QRect Span(int left, int top, int right, int bottom);

// A text cut with an ellipsis where it is wider than its rectangle.
void DrawText(QPainter &painter, const QRect &rect, int flags, const QString &text);

// The thinnest line the device draws: one pixel on a screen or a printer
// whatever its resolution, the hairline in a PDF.
void DrawRules(QPainter &painter, const QVarLengthArray<QLine, 64> &rules);

// A rule over `name` at the left and "Page N of M" at the right.
void DrawFooter(QPainter &painter, const QString &name, int page, int total);

} // namespace ReportPage
