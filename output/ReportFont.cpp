#include "output/ReportFont.h"

#include <QByteArray>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QHash>
#include <QtMath>

#include <atomic>
#include <cstring>

namespace {

constexpr qint32 kStartHeight = -12;
constexpr quint8 kDefaultCharSet = 1;
constexpr quint8 kProofQuality = 2;
constexpr quint8 kVariablePitch = 0x02;
constexpr quint8 kFixedPitch = 0x01;
constexpr quint8 kPitchMask = 0x03;
constexpr quint8 kStartPitchAndFamily = 0x12;

// Metrics are measured at a large size and scaled, so that hinting at small
// sizes does not skew the solved size.
constexpr int kReferencePixelSize = 256;
constexpr int kMinStretch = 1;
constexpr int kMaxStretch = 4000;

std::atomic<int> liveFonts{0}; // reports are drawn on several threads at once

QFont baseFont(const ReportLogFont &description)
{
    QFont font(QString::fromLocal8Bit(description.lfFaceName));
    // Report faces such as "Boldface" need not exist; the description asks
    // for a variable-pitch Swiss face, which the hint finds instead. Latin
    // text is not shaped, so no ligature stands for its letters ("fi" in
    // a file's name): a PDF's text is searched and copied as it was drawn.
    font.setStyleHint(QFont::SansSerif, QFont::StyleStrategy(QFont::PreferQuality | QFont::PreferNoShaping));
    const quint8 pitch = description.lfPitchAndFamily & kPitchMask;
    if (pitch == kFixedPitch)
        font.setFixedPitch(true);
    else if (pitch == kVariablePitch)
        font.setFixedPitch(false);
    font.setItalic(description.lfItalic != 0);
    font.setUnderline(description.lfUnderline != 0);
    font.setStrikeOut(description.lfStrikeOut != 0);
    const int weight = description.lfWeight <= 0 ? int(QFont::Normal)
                                                 : qBound(1, description.lfWeight, 1000);
    font.setWeight(QFont::Weight(weight));
    font.setKerning(false);
    return font;
}

// What font matching decides for a description: the em size in pixels
// (0: the default size) and the stretch in percent (0: none).
struct SolvedSize
{
    int pixelSize = 0;
    int stretch = 0;
};

SolvedSize solveSize(const ReportLogFont &description)
{
    QFont font = baseFont(description);
    font.setPixelSize(kReferencePixelSize);
    const QFontMetricsF reference(font);

    // Qt's pixel size is the em height, which is the character height
    // without internal leading; a cell height also holds that leading.
    SolvedSize solved;
    qreal size = qAbs(description.lfHeight);
    if (description.lfHeight > 0)
        size = description.lfHeight * kReferencePixelSize / reference.height();
    if (description.lfHeight != 0)
        solved.pixelSize = qMax(1, qRound(size));
    else
        size = QFontInfo(baseFont(description)).pixelSize();

    if (description.lfWidth > 0) {
        const qreal used = solved.pixelSize > 0 ? qreal(solved.pixelSize) : size;
        const qreal average = reference.averageCharWidth() * used / kReferencePixelSize;
        if (average > 0)
            solved.stretch = qBound(kMinStretch, qRound(100 * description.lfWidth / average),
                                    kMaxStretch);
    }
    return solved;
}

} // namespace

ReportFont::ReportFont(const char *faceName)
{
    std::memset(&m_logFont, 0, sizeof m_logFont);
    m_logFont.lfHeight = kStartHeight;
    m_logFont.lfWeight = NormalWeight;
    m_logFont.lfCharSet = kDefaultCharSet;
    m_logFont.lfQuality = kProofQuality;
    m_logFont.lfPitchAndFamily = kStartPitchAndFamily;
    if (faceName)
        std::strncpy(m_logFont.lfFaceName, faceName, MaxFaceNameLength);
    CreateFontIndirect();
}

ReportFont::~ReportFont()
{
    DeleteObject();
}

template<typename Field>
Field ReportFont::Recreate(Field ReportLogFont::*field, Field value)
{
    const Field previous = m_logFont.*field;
    DeleteObject();
    m_logFont.*field = value;
    CreateFontIndirect();
    return previous;
}

int ReportFont::SetHeight(int height)
{
    return Recreate(&ReportLogFont::lfHeight, qint32(height));
}

int ReportFont::SetWidth(int width)
{
    return Recreate(&ReportLogFont::lfWidth, qint32(width));
}

int ReportFont::SetWeight(int weight)
{
    return Recreate(&ReportLogFont::lfWeight, qint32(weight));
}

bool ReportFont::SetBold(bool bold)
{
    return SetWeight(bold ? BoldWeight : NormalWeight) >= 500;
}

bool ReportFont::DeleteObject()
{
    if (!m_font)
        return false;
    m_font.reset();
    --liveFonts;
    return true;
}

QFont ReportFont::Font() const
{
    return m_font ? *m_font : QFont();
}

int ReportFont::LiveFontCount()
{
    return liveFonts;
}

void ReportFont::CreateFontIndirect()
{
    m_font = FontFromDescription(m_logFont);
    ++liveFonts;
}

QFont ReportFont::FontFromDescription(const ReportLogFont &description)
{
    // A report makes the same few fonts on every page; solving each needs
    // font metrics, so the answers are kept (sizes only: fonts must not
    // outlive the application).
    thread_local QHash<QByteArray, SolvedSize> sizes;
    const QByteArray key(reinterpret_cast<const char *>(&description), sizeof description);
    auto found = sizes.constFind(key);
    if (found == sizes.constEnd())
        found = sizes.insert(key, solveSize(description));
    QFont font = baseFont(description);
    if (found->pixelSize > 0)
        font.setPixelSize(found->pixelSize);
    if (found->stretch > 0)
        font.setStretch(found->stretch);
    return font;
}
