#include "core/allocation/divisor_series.h"

#include "core/numbers/number_text.h"

#include <cmath>

namespace apportion {

double EqualProportionsRoot(int seat)
{
    return std::sqrt(static_cast<double>(seat) * static_cast<double>(seat - 1));
}

std::string DivisorText(DivisorMethod method, int n)
{
    // Far beyond any seat total, where 3n − 2 would no longer fit an int.
    constexpr int largestSeat = 1'000'000;
    if (n < 2 || n > largestSeat)
        return {};
    switch (method) {
    case DivisorMethod::DHondt:
        return FormatShortest(n);
    case DivisorMethod::SainteLague:
        return FormatShortest(2 * n - 1);
    case DivisorMethod::Danish:
        return FormatShortest(3 * n - 2);
    case DivisorMethod::Imperali:
        return FormatShortest(n * 0.5 + 0.5);
    case DivisorMethod::EqualProportions:
        return FormatFixed(EqualProportionsRoot(n), 2);
    }
    return {};
}

DivisorSeries BuildDivisorSeries(DivisorMethod method)
{
    const auto index = static_cast<int>(method);
    if (index < 0 || index >= divisorMethodCount)
        return {};

    DivisorSeries series;
    series.reserve(divisorSeriesLength);
    // n is the number of the seat the divisor is for: the 2nd to the 100th.
    for (int n = 2; n < 2 + divisorSeriesLength; ++n)
        series.push_back(DivisorText(method, n));
    return series;
}

std::string MethodCaption(DivisorMethod method)
{
    switch (method) {
    case DivisorMethod::DHondt:
        return "D’Hondt";
    case DivisorMethod::SainteLague:
        return "Sainte-Lague";
    case DivisorMethod::Danish:
        return "Danish";
    case DivisorMethod::Imperali:
        return "Imperali";
    case DivisorMethod::EqualProportions:
        return "Equal proportions";
    }
    return {};
}

} // namespace apportion
