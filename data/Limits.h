#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QString>

#include <array>
#include <optional>

// The limits of one channel that an engineer sets. A lower limit takes the
// place of the threshold the rows carry; an upper limit fails a power
// above it; a warning band marks as marginal a fiber that passes within
// `warn` dB of a limit. None of them is needed.
struct ChannelLimit
{
    std::optional<double> lower;
    std::optional<double> upper;
    std::optional<double> warn;

    bool operator==(const ChannelLimit &other) const
    {
        return lower == other.lower && upper == other.upper && warn == other.warn;
    }
};

// The limits of a file of limits, one per channel: a CSV file in UTF-8,
// its header `channel,lower,upper,warn`, then a line for each channel it
// sets, the channel's number as the files write it ("07", or "7"). An
// empty cell sets nothing: the rows' own threshold stays the lower limit,
// and there is no upper limit or band.
//
// A channel is one of a fiber's 18, by its number; a result file's
// channel whose text is no such number keeps its rows' threshold.
class Limits
{
    Q_DECLARE_TR_FUNCTIONS(Limits)
public:
    static constexpr int Channels = 18;

    // No limits: every row is judged by its own threshold.
    bool IsEmpty() const { return m_name.isEmpty() && !m_any; }
    // The name of the file they were read from ("" for none): what a
    // summary gives as their source.
    const QString &Name() const { return m_name; }
    void SetName(const QString &name) { m_name = name; }
    // "file" without limits, else their file's name.
    QString Source() const;

    // The limit of a channel shown as `shownText` (decoded, trimmed); none
    // for a channel the limits do not set.
    const ChannelLimit *Of(QByteArrayView shownText) const;
    const ChannelLimit *OfNumber(int channel) const;
    void Set(int channel, const ChannelLimit &limit);
    void Clear(int channel);
    // Whether any channel has limits of its own.
    bool SetsAny() const { return m_any; }
    // Whether any channel has a warning band.
    bool AnyWarn() const;

    // 1 to 18 for a channel's number ("07", "7"); 0 for any other text.
    static int ChannelNumber(QByteArrayView text);

    // The limits in `bytes`, read from the file `name`. False, with a
    // message naming the line and the column at fault, for a missing or
    // wrong header, a line of more or fewer cells, an unknown channel, a
    // channel listed twice, text or no finite number in a number cell, a
    // negative band, a lower limit above the upper, or bytes that are not
    // UTF-8; `limits` is then left as it was.
    static bool Parse(QByteArrayView bytes, const QString &name, Limits *limits, QString *error);
    // The file at `path`, likewise; its file name becomes the name.
    static bool Read(const QString &path, Limits *limits, QString *error);
    // The CSV text that Parse reads back to these limits, channels in order.
    QByteArray ToCsv() const;
    // What tells one set of limits from another, for what is kept of
    // figures judged with them.
    QByteArray Signature() const;

    bool operator==(const Limits &other) const
    {
        return m_name == other.m_name && m_limits == other.m_limits;
    }
    bool operator!=(const Limits &other) const { return !(*this == other); }

private:
    QString m_name;
    std::array<std::optional<ChannelLimit>, Channels> m_limits;
    bool m_any = false;
};
