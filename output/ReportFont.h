#pragma once

#include <QFont>
#include <QtGlobal>

#include <optional>

// The description a report font is made from, field for field the classic
// GDI LOGFONT: heights and widths in the painter's logical units.
struct ReportLogFont
{
    qint32 lfHeight;    // < 0: character height without internal leading; > 0: cell height
    qint32 lfWidth;     // average character width; 0: the face's own
    qint32 lfEscapement;
    qint32 lfOrientation;
    qint32 lfWeight;    // 0 to 1000, 400 normal, 700 bold
    quint8 lfItalic;
    quint8 lfUnderline;
    quint8 lfStrikeOut;
    quint8 lfCharSet;
    quint8 lfOutPrecision;
    quint8 lfClipPrecision;
    quint8 lfQuality;
    quint8 lfPitchAndFamily;
    char lfFaceName[32];
};

// A font kept together with the description it was made from, so that one
// attribute can be changed and the font made again. Each report step makes
// one, sizes it, draws with it and deletes it.
class ReportFont
{
public:
    static constexpr int NormalWeight = 400;
    static constexpr int BoldWeight = 700;
    static constexpr int MaxFaceNameLength = 31;

    // Proof-quality, variable-pitch Swiss font of height -12 in `faceName`
    // (cut to 31 bytes).
    explicit ReportFont(const char *faceName);
    virtual ~ReportFont();

    ReportFont(const ReportFont &) = delete;
    ReportFont &operator=(const ReportFont &) = delete;

    // Each setter makes the font again at once and returns the old value.
    int SetHeight(int height);
    int SetWidth(int width);
    int SetWeight(int weight);
    // Weight 700 or 400; returns whether the old weight was at least 500.
    bool SetBold(bool bold);

    // Releases the font; false when none was held.
    bool DeleteObject();
    bool HasFont() const { return m_font.has_value(); }
    // The font as made from the description; a default font when none is held.
    QFont Font() const;

    const ReportLogFont &LogFont() const { return m_logFont; }

    // Fonts made and not yet released, over the whole process.
    static int LiveFontCount();

    // The Qt font for a description: pixel sizes in logical units, the
    // width reached through the font's stretch.
    static QFont FontFromDescription(const ReportLogFont &description);

private:
    template<typename Field>
    Field Recreate(Field ReportLogFont::*field, Field value);
    void CreateFontIndirect();

    ReportLogFont m_logFont;
    std::optional<QFont> m_font;
};
