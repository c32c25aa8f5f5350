#include "data/PowerBins.h"

#include <algorithm>
#include <cstring>

PowerBins::PowerBins(const PowerBins &other)
    : m_carries(other.m_carries), m_below(other.m_below), m_above(other.m_above), m_count(other.m_count)
{
    if (other.m_pages.empty())
        return;
    m_pages.resize(PageCount);
    for (size_t page = 0; page < m_pages.size(); ++page) {
        if (!other.m_pages[page])
            continue;
        m_pages[page].reset(new quint32[PageSize]);
        std::memcpy(m_pages[page].get(), other.m_pages[page].get(), PageSize * sizeof(quint32));
    }
}

PowerBins &PowerBins::operator=(const PowerBins &other)
{
    if (this != &other)
        *this = PowerBins(other);
    return *this;
}

void PowerBins::allocate(int page)
{
    if (m_pages.empty())
        m_pages.resize(PageCount);
    m_pages[size_t(page)].reset(new quint32[PageSize]());
}

qint64 PowerBins::binCount(int key) const
{
    const qint64 count = m_pages[size_t(key >> PageBits)][key & (PageSize - 1)];
    return m_carries.isEmpty() ? count : count + m_carries.value(key, 0);
}

void PowerBins::Side::AddFar(double value, qint64 count)
{
    MergeFar({count, value, value});
}

void PowerBins::Side::MergeFar(const Far &other)
{
    far.least = far.count == 0 ? other.least : qMin(far.least, other.least);
    far.greatest = far.count == 0 ? other.greatest : qMax(far.greatest, other.greatest);
    far.count += other.count;
}

// Beyond the bins a value is kept as it is while it is among the Kept
// distinct values nearest to them, which no order of adding changes.
void PowerBins::addOutside(double value, qint64 count)
{
    const bool above = value > 0;
    Side &side = above ? m_above : m_below;
    m_count += count;
    if (const auto it = side.near.find(value); it != side.near.end()) {
        *it += count;
        return;
    }
    const bool nearer = side.near.size() < Kept
        || (above ? value < side.near.lastKey() : value > side.near.firstKey());
    if (!nearer) {
        side.AddFar(value, count);
        return;
    }
    side.near.insert(value, count);
    if (side.near.size() > Kept) {
        const auto furthest = above ? std::prev(side.near.end()) : side.near.begin();
        side.AddFar(furthest.key(), furthest.value());
        side.near.erase(furthest);
    }
}

void PowerBins::Merge(const PowerBins &other)
{
    for (size_t page = 0; page < other.m_pages.size(); ++page) {
        if (!other.m_pages[page])
            continue;
        if (m_pages.empty() || !m_pages[page])
            allocate(int(page));
        quint32 *ours = m_pages[page].get();
        const quint32 *theirs = other.m_pages[page].get();
        for (int offset = 0; offset < PageSize; ++offset) {
            const quint32 sum = ours[offset] + theirs[offset];
            if (sum < ours[offset])
                m_carries[int(page) * PageSize + offset] += qint64(1) << 32;
            ours[offset] = sum;
            m_count += theirs[offset];
        }
    }
    for (auto it = other.m_carries.cbegin(); it != other.m_carries.cend(); ++it) {
        m_carries[it.key()] += it.value();
        m_count += it.value();
    }
    for (const Side *side : {&other.m_below, &other.m_above}) {
        for (auto it = side->near.cbegin(); it != side->near.cend(); ++it)
            addOutside(it.key(), it.value());
        if (side->far.count > 0) {
            (side == &other.m_below ? m_below : m_above).MergeFar(side->far);
            m_count += side->far.count;
        }
    }
}

namespace {

// The value of rank `rank` among `count` far values, of which only the
// ends are known.
PowerBins::Value farValue(const PowerBins::Far &far, qint64 rank)
{
    if (rank == 0)
        return {far.least, true};
    if (rank == far.count - 1)
        return {far.greatest, true};
    return {0, false};
}

} // namespace

PowerBins::Value PowerBins::At(qint64 rank) const
{
    if (rank < 0 || rank >= m_count)
        return {};
    if (rank < m_below.far.count)
        return farValue(m_below.far, rank);
    rank -= m_below.far.count;
    Value found;
    bool done = false;
    ForEach([&](double value, qint64 count) {
        if (done)
            return;
        if (rank < count) {
            found = {value, true};
            done = true;
        }
        rank -= count;
    });
    return done ? found : farValue(m_above.far, rank);
}

std::optional<double> PowerBins::Percentile(double p) const
{
    if (m_count == 0)
        return std::nullopt;
    const double position = double(m_count - 1) * p / 100.0;
    const qint64 below = qint64(std::floor(position));
    const double fraction = position - double(below);
    const Value low = At(below);
    if (!low.held)
        return std::nullopt;
    if (fraction == 0)
        return low.value;
    const Value high = At(below + 1);
    if (!high.held)
        return std::nullopt;
    const double between = low.value + fraction * (high.value - low.value);
    // Values far apart near the largest double: weighed apart instead.
    return std::isfinite(between) ? between : low.value * (1 - fraction) + high.value * fraction;
}

std::optional<double> PowerBins::MostCommon() const
{
    std::optional<double> most;
    qint64 mostCount = 0;
    ForEach([&](double value, qint64 count) {
        if (count > mostCount) {
            most = value;
            mostCount = count;
        }
    });
    return most;
}
