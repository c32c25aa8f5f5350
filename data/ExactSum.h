#pragma once

#include <QVarLengthArray>
#include <QtGlobal>

// The exact sum of finite doubles, however they cancel and in whatever
// order they come: kept as partial sums that do not overlap (Shewchuk),
// rounded once only when it is read. Values of 2^-482 and more are held
// scaled by 2^-540, exactly, so that no partial sum of a run of 2^53 values
// near the largest double overflows; smaller ones are held as they are,
// so that none is lost below the least double.
class ExactSum
{
public:
    void Add(double value);
    // Adds `times` x `value` exactly; `times` a whole number below 2^53.
    void AddMultiple(double times, double value);
    void Add(const ExactSum &other);
    // The sum over `count` (1 or more) times 2^-exponent, rounded: infinite
    // where that is too large for a double.
    double Mean(qsizetype count, int exponent) const;

private:
    using Partials = QVarLengthArray<double, 4>;
    static void add(Partials &partials, double value);
    static double rounded(const Partials &partials);

    Partials m_large; // scaled by 2^-540
    Partials m_small;
};
