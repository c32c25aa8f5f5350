#pragma once

#include <QList>
#include <QMap>
#include <QtGlobal>

#include <cmath>
#include <memory>
#include <optional>
#include <vector>

// How many of a set of values (powers or thresholds in dB) stand at each
// hundredth of a dB: one pass over the values, memory that does not grow
// with their number, and order statistics exact to 0.01 dB.
//
// Values from -327.68 to +327.67 dB (every power a meter measures, and far
// beyond) are counted in bins 0.01 dB wide, allocated a few hundred at a
// time where values fall. Values beyond that range are kept exactly: the
// Kept nearest the range on either side with their counts, and those
// further out as a count with their least and greatest. The counts depend
// only on which values were added, never on their order, so bins filled in
// parts and merged hold the very counts of bins filled in one go.
class PowerBins
{
public:
    // A value as the bins know it: its bin's middle, or itself beyond them.
    struct Value
    {
        double value = 0;
        bool held = false; // false among the far values: known only by their count
    };

    static constexpr int BinsPerDb = 100;
    // The range of the bins, in hundredths of a dB.
    static constexpr int LowestKey = -32768;
    static constexpr int KeyCount = 65536;
    // Distinct values kept exactly on either side of the bins.
    static constexpr int Kept = 256;

    PowerBins() = default;
    PowerBins(const PowerBins &other);
    PowerBins &operator=(const PowerBins &other);
    PowerBins(PowerBins &&) noexcept = default;
    PowerBins &operator=(PowerBins &&) noexcept = default;

    // Counts a finite value in.
    void Add(double value)
    {
        const double scaled = value * BinsPerDb;
        if (scaled > LowestKey - 0.5 && scaled < LowestKey + KeyCount - 0.5)
            addKey(int(std::lrint(scaled)) - LowestKey);
        else
            addOutside(value);
    }
    // A value as the bins hold it (ForEach visits it so): the middle of its
    // bin, or where no bin holds it, the value itself.
    static double Held(double value)
    {
        const double scaled = value * BinsPerDb;
        if (scaled > LowestKey - 0.5 && scaled < LowestKey + KeyCount - 0.5)
            return keyValue(int(std::lrint(scaled)) - LowestKey);
        return value;
    }
    // Counts in every value of `other`.
    void Merge(const PowerBins &other);

    qint64 Count() const { return m_count; }
    bool IsEmpty() const { return m_count == 0; }

    // The value of rank `rank` (0 for the least) in the values' order, as
    // its bin knows it; none beyond the count.
    Value At(qint64 rank) const;
    // The percentile `p` (0 to 100) as a spreadsheet's PERCENTILE and
    // numpy's default take it: linear between the two closest ranks. None
    // without values, or where a rank it needs lies among the far values.
    std::optional<double> Percentile(double p) const;
    // The value counted most often, the least of equals; none without
    // values or where only far values are counted.
    std::optional<double> MostCommon() const;

    // Visits every value held, least first, with its count: bins by their
    // middle, kept values as they are. Far values are left out (see
    // BelowFar and AboveFar).
    template <typename Visit>
    void ForEach(Visit visit) const
    {
        for (auto it = m_below.near.cbegin(); it != m_below.near.cend(); ++it)
            visit(it.key(), it.value());
        for (size_t page = 0; page < m_pages.size(); ++page) {
            if (!m_pages[page])
                continue;
            const quint32 *bins = m_pages[page].get();
            for (int offset = 0; offset < PageSize; ++offset) {
                if (bins[offset] != 0) {
                    const int key = int(page) * PageSize + offset;
                    visit(keyValue(key), binCount(key));
                }
            }
        }
        for (auto it = m_above.near.cbegin(); it != m_above.near.cend(); ++it)
            visit(it.key(), it.value());
    }

    // Values beyond those kept: their count, least and greatest.
    struct Far
    {
        qint64 count = 0;
        double least = 0;
        double greatest = 0;
    };
    const Far &BelowFar() const { return m_below.far; }
    const Far &AboveFar() const { return m_above.far; }

private:
    static constexpr int PageBits = 9;
    static constexpr int PageSize = 1 << PageBits;
    static constexpr int PageCount = KeyCount / PageSize;

    // Values beyond the bins on one side: the Kept nearest to the bins,
    // and the rest.
    struct Side
    {
        QMap<double, qint64> near;
        Far far;
        void AddFar(double value, qint64 count);
        void MergeFar(const Far &other);
    };

    void addKey(int key)
    {
        if (Q_UNLIKELY(m_pages.empty()) || Q_UNLIKELY(!m_pages[size_t(key >> PageBits)]))
            allocate(key >> PageBits);
        ++m_count;
        // A bin counts to 2^32 and carries on: a count so large needs no
        // speed.
        if (Q_UNLIKELY(++m_pages[size_t(key >> PageBits)][key & (PageSize - 1)] == 0))
            m_carries[key] += qint64(1) << 32;
    }
    void addOutside(double value, qint64 count = 1);
    void allocate(int page);
    qint64 binCount(int key) const;
    static double keyValue(int key) { return double(key + LowestKey) / BinsPerDb; }

    std::vector<std::unique_ptr<quint32[]>> m_pages; // PageCount of them once any value is in
    QMap<int, qint64> m_carries;                     // the bins that passed 2^32, by key
    Side m_below;                                    // nearest: the greatest
    Side m_above;                                    // nearest: the least
    qint64 m_count = 0;
};
