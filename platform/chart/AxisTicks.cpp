#include "platform/chart/AxisTicks.h"

#include <algorithm>
#include <cmath>

#include "platform/core/FloatConvert.h"

namespace {

constexpr int MaxLabels = 10;
// Pixels kept clear between neighbouring labels; the chart also gives each label an equal
// share of the axis, so the widest must fit that share with this room to spare.
constexpr int LabelGap = 12;

// The smallest step of 1, 2 or 5 times a power of ten not below Raw.
double StepAtLeast(double Raw)
{
    const double mag = std::pow(10.0, std::floor(std::log10(Raw)));
    const double norm = Raw / mag;
    return (norm <= 1 + 1e-9 ? 1 : norm <= 2 + 1e-9 ? 2 : norm <= 5 + 1e-9 ? 5 : 10) * mag;
}

double NextStep(double Step) { return StepAtLeast(Step * 1.5); }

// Decimals that show every multiple of Step exactly: 0.5 -> 1, 0.05 -> 2, 20 -> 0.
int DecimalsOf(double Step) { return std::max(0, static_cast<int>(std::ceil(-std::log10(Step) - 1e-9))); }

TAxisTicks LinearTicks(double Lo, double Hi, double Step)
{
    TAxisTicks t;
    const int decimals = DecimalsOf(Step);
    const double first = std::ceil(Lo / Step - 1e-9);
    for (double k = first; k * Step <= Hi + Step * 1e-9 && t.Values.size() < 1000; ++k) {
        double v = k * Step;
        if (std::fabs(v) < Step * 1e-9)
            v = 0; // no "-0"
        t.Values.push_back(v);
        t.Labels.push_back(FloatToStrF(v, ffFixed, 15, decimals));
    }
    return t;
}

// Multiples 1, 2, 5 (or only 1) of the decades whose exponent is a multiple of Every.
TAxisTicks DecadeTicks(double Lo, double Hi, bool OneTwoFive, int Every)
{
    TAxisTicks t;
    const int first = static_cast<int>(std::floor(std::log10(Lo))), last = static_cast<int>(std::ceil(std::log10(Hi)));
    for (int e = first; e <= last; ++e) {
        if (((e % Every) + Every) % Every != 0)
            continue;
        for (const double m : {1.0, 2.0, 5.0}) {
            if (m != 1 && !OneTwoFive)
                break;
            const double v = m * std::pow(10.0, e);
            if (v < Lo * (1 - 1e-9) || v > Hi * (1 + 1e-9))
                continue;
            t.Values.push_back(v);
            t.Labels.push_back(FloatToStrF(v, ffGeneral, 15, 0));
        }
    }
    return t;
}

// Every label has the axis's equal share and clears its neighbours.
bool Fits(const TAxisTicks& t, int Length, const std::function<double(double)>& At,
          const std::function<int(const AnsiString&)>& LabelLength)
{
    const size_t n = t.Values.size();
    if (n == 0)
        return true;
    std::vector<int> len(n);
    for (size_t i = 0; i < n; ++i)
        len[i] = LabelLength(t.Labels[i]);
    if (Length / static_cast<double>(n) < *std::max_element(len.begin(), len.end()) + LabelGap)
        return false;
    for (size_t i = 1; i < n; ++i)
        if (At(t.Values[i]) - At(t.Values[i - 1]) < (len[i] + len[i - 1]) / 2.0 + LabelGap)
            return false;
    return true;
}

} // namespace

TAxisTicks ChooseAxisTicks(double Lo, double Hi, bool Logarithmic, int Length,
                           const std::function<int(const AnsiString&)>& LabelLength)
{
    if (!std::isfinite(Lo) || !std::isfinite(Hi) || !(Hi > Lo) || Length <= 0) {
        TAxisTicks one;
        if (std::isfinite(Lo)) {
            one.Values.push_back(Lo);
            one.Labels.push_back(FloatToStrF(Lo, ffGeneral, 15, 0));
        }
        return one;
    }
    const bool log = Logarithmic && Lo > 0;
    const double from = log ? std::log10(Lo) : Lo, span = (log ? std::log10(Hi) : Hi) - from;
    const auto at = [&](double v) { return Length * ((log ? std::log10(v) : v) - from) / span; };

    // Candidates from the densest to the sparsest; the first that fits is taken.
    std::vector<TAxisTicks> candidates;
    if (!log || Hi / Lo < 10) {
        double step = StepAtLeast((Hi - Lo) / MaxLabels);
        for (int i = 0; i < 40; ++i, step = NextStep(step)) {
            candidates.push_back(LinearTicks(Lo, Hi, step));
            if (candidates.back().Values.size() <= 1)
                break;
        }
    }
    if (log) {
        candidates.push_back(DecadeTicks(Lo, Hi, true, 1));
        const int decades = static_cast<int>(std::ceil(std::log10(Hi / Lo))) + 1;
        for (int every = 1; every <= decades; ++every)
            candidates.push_back(DecadeTicks(Lo, Hi, false, every));
    }
    const TAxisTicks* fitting = nullptr;
    const TAxisTicks* sparsest = nullptr;
    for (const TAxisTicks& c : candidates) {
        if (c.Values.empty())
            continue;
        const bool fits = Fits(c, Length, at, LabelLength);
        // A logarithmic axis wants two labels at least, to show its scale.
        if (fits && c.Values.size() <= MaxLabels && (!log || c.Values.size() >= 2))
            return c;
        if (fits && !fitting)
            fitting = &c;
        sparsest = &c;
    }
    // Too short for a good choice: what fits, else the fewest labels.
    return fitting ? *fitting : sparsest ? *sparsest : TAxisTicks{};
}
