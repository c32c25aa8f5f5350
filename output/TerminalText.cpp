#include "output/TerminalText.h"

#include <algorithm>

namespace TerminalText {

namespace {

bool isControl(char32_t c)
{
    return c < 0x20 || (c >= 0x7f && c < 0xa0);
}

// The marks that reorder text on the screen: a name could show as another.
bool isBidiControl(char32_t c)
{
    return c == 0x200e || c == 0x200f || (c >= 0x202a && c <= 0x202e)
        || (c >= 0x2066 && c <= 0x2069);
}

// East Asian Wide and Fullwidth, as terminals count them.
bool isWide(char32_t c)
{
    return (c >= 0x1100 && c <= 0x115f) || (c >= 0x2e80 && c <= 0x303e)
        || (c >= 0x3041 && c <= 0x33ff) || (c >= 0x3400 && c <= 0x4dbf)
        || (c >= 0x4e00 && c <= 0x9fff) || (c >= 0xa000 && c <= 0xa4cf)
        || (c >= 0xac00 && c <= 0xd7a3) || (c >= 0xf900 && c <= 0xfaff)
        || (c >= 0xfe30 && c <= 0xfe4f) || (c >= 0xff00 && c <= 0xff60)
        || (c >= 0xffe0 && c <= 0xffe6) || (c >= 0x1f300 && c <= 0x1f64f)
        || (c >= 0x1f900 && c <= 0x1f9ff) || (c >= 0x20000 && c <= 0x3fffd);
}

} // namespace

QString Escaped(QStringView text)
{
    // Every control and bidi mark lies in the Basic Multilingual Plane, so
    // a surrogate pair is never one of them and passes through whole.
    const auto needsEscape = [](QChar c) { return isControl(c.unicode()) || isBidiControl(c.unicode()); };
    if (std::none_of(text.begin(), text.end(), needsEscape))
        return text.toString();
    QString shown;
    shown.reserve(text.size() + 8);
    for (const QChar c : text) {
        if (isControl(c.unicode()))
            shown += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
        else if (isBidiControl(c.unicode()))
            shown += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
        else
            shown += c;
    }
    return shown;
}

qsizetype Width(QStringView text)
{
    qsizetype width = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        char32_t c = text.at(i).unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            c = QChar::surrogateToUcs4(text.at(i), text.at(i + 1));
            ++i;
        }
        const QChar::Category category = QChar::category(c);
        if (category == QChar::Mark_NonSpacing || category == QChar::Mark_Enclosing)
            continue;
        width += isWide(c) ? 2 : 1;
    }
    return width;
}

QString Padded(const QString &text, qsizetype width)
{
    const qsizetype cells = Width(text);
    return cells >= width ? text : text + QString(width - cells, QLatin1Char(' '));
}

} // namespace TerminalText
