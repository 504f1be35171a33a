#include "tools/instrument-sim/Measurement.h"

#include <cmath>
#include <complex>
#include <numbers>

#include "tools/instrument-sim/Comparator.h"

namespace {

using Complex = std::complex<double>;

double RangeLimit(int range, double rangeOhm)
{
    // The top range reads up to 100 Mohm; the others up to thirty times their nominal.
    return range == 0 ? 100e6 : 30.0 * rangeOhm;
}

int NearestRange(double magnitude, bool dcr)
{
    int best = 0;
    double bestDist = 1e300;
    for (int n = 0; n <= 8; ++n) {
        double r = dcr ? SimDcrRangeOhm(n) : SimImpRangeOhm(n);
        double dist = std::fabs(std::log(std::max(magnitude, 1e-12) / r));
        if (dist < bestDist) {
            bestDist = dist;
            best = n;
        }
    }
    return best;
}

// The impedance magnitude that the comparator's nominal stands for under a function.
double NominalMagnitude(const TInstrumentState& s, int function)
{
    const double w = 2.0 * std::numbers::pi * s.Frequency;
    double nom = std::fabs(s.Nominal);
    if (nom <= 0.0)
        return 0.0;
    if (function >= sfCsRs && function <= sfCpD)
        return 1.0 / (w * nom);
    if (function >= sfLpRp && function <= sfLsQ)
        return w * nom;
    return nom;
}

int PickRange(const TInstrumentState& s, int function, double magnitude, bool dcr)
{
    if (!std::isfinite(magnitude))
        magnitude = 1e300;
    int fixed = dcr ? s.DcrRange : s.ImpRange;
    if (s.RangeMode == "AUTO")
        return NearestRange(magnitude, dcr);
    if (s.RangeMode == "NOM") {
        double nom = NominalMagnitude(s, function);
        return nom > 0.0 ? NearestRange(nom, dcr) : NearestRange(magnitude, dcr);
    }
    return fixed;
}

double Ratio(double num, double den)
{
    return den == 0.0 ? kSimOverload : num / den;
}

struct TParams {
    double R, X, Z, G, B, Y, D, Q, ThetaR, W;
};

TParams Params(Complex z, double frequency)
{
    TParams p{};
    p.W = 2.0 * std::numbers::pi * frequency;
    p.R = z.real();
    p.X = z.imag();
    p.Z = std::abs(z);
    Complex y = std::abs(z) > 0.0 ? 1.0 / z : Complex(kSimOverload, 0.0);
    p.G = y.real();
    p.B = y.imag();
    p.Y = std::abs(y);
    p.D = Ratio(p.R, std::fabs(p.X));
    p.Q = Ratio(std::fabs(p.X), p.R);
    p.ThetaR = std::atan2(p.X, p.R);
    return p;
}

void FunctionValues(int function, const TParams& p, double& primary, double& secondary)
{
    const double cs = Ratio(-1.0, p.W * p.X);
    const double cp = p.B / p.W;
    const double ls = p.X / p.W;
    const double lp = Ratio(-1.0, p.W * p.B);
    const double rp = Ratio(1.0, p.G);
    switch (function) {
    case sfCsRs: primary = cs; secondary = p.R; break;
    case sfCsD: primary = cs; secondary = p.D; break;
    case sfCpRp: primary = cp; secondary = rp; break;
    case sfCpD: primary = cp; secondary = p.D; break;
    case sfLpRp: primary = lp; secondary = rp; break;
    case sfLpQ: primary = lp; secondary = p.Q; break;
    case sfLsRs: primary = ls; secondary = p.R; break;
    case sfLsQ: primary = ls; secondary = p.Q; break;
    case sfRsQ: primary = p.R; secondary = p.Q; break;
    case sfRpQ: primary = rp; secondary = p.Q; break;
    case sfRX: primary = p.R; secondary = p.X; break;
    case sfZthr: primary = p.Z; secondary = p.ThetaR; break;
    case sfZthd: primary = p.Z; secondary = p.ThetaR * 180.0 / std::numbers::pi; break;
    case sfZD: primary = p.Z; secondary = p.D; break;
    case sfZQ: primary = p.Z; secondary = p.Q; break;
    default: primary = p.Z; secondary = 0.0; break;
    }
}

double MonitorValue(int monitor, const TParams& p, double primary, double nominal, double vac, double iac)
{
    switch (monitor) {
    case smZ: return p.Z;
    case smD: return p.D;
    case smQ: return p.Q;
    case smVac: return vac;
    case smIac: return iac;
    case smAbs: return primary - nominal;
    case smPer: return nominal == 0.0 ? kSimOverload : (primary - nominal) / std::fabs(nominal) * 100.0;
    case smThr: return p.ThetaR;
    case smThd: return p.ThetaR * 180.0 / std::numbers::pi;
    case smR: return p.R;
    case smX: return p.X;
    case smG: return p.G;
    case smB: return p.B;
    case smY: return p.Y;
    default: return 0.0;
    }
}

double Sigma(const TInstrumentState& s, const TSimNoise& noise)
{
    double speed = s.Speed == "FAST" ? 4.0 : s.Speed == "MED" ? 2.0 : 1.0;
    return noise.Level * 1e-4 * speed / std::sqrt(static_cast<double>(std::max(1, s.Averaging)));
}

} // namespace

int SimRangeInUse(const TInstrumentState& s, const TDeviceUnderTest& dut, bool dcr)
{
    double magnitude = dcr ? dut.DcResistance() : std::abs(dut.Impedance(s.Frequency));
    return PickRange(s, s.MeasuredFunction(), magnitude, dcr);
}

int ChooseLczFunction(const TDeviceUnderTest& dut, double frequency)
{
    Complex z = dut.Impedance(frequency);
    if (std::fabs(z.imag()) < 0.1 * std::fabs(z.real()))
        return sfRsQ;
    return z.imag() < 0.0 ? sfCpD : sfLsQ;
}

TSimReading MeasureDevice(const TInstrumentState& s, const TDeviceUnderTest& dut, TSimNoise& noise)
{
    TSimReading r;
    r.Function = s.MeasuredFunction();
    r.Dcr = r.Function == sfDCR;
    std::normal_distribution<double> gauss(0.0, 1.0);
    const double sigma = Sigma(s, noise);

    if (r.Dcr) {
        double rdc = dut.DcResistance();
        r.Range = PickRange(s, r.Function, rdc, true);
        r.Overload = !std::isfinite(rdc) || rdc > RangeLimit(r.Range, SimDcrRangeOhm(r.Range));
        r.Primary = r.Overload ? kSimOverload : rdc * (1.0 + sigma * gauss(noise.Engine));
        JudgeReading(s, r);
        return r;
    }

    Complex z = dut.Impedance(s.Frequency);
    r.Range = PickRange(s, r.Function, std::abs(z), false);
    r.Overload = std::abs(z) > RangeLimit(r.Range, SimImpRangeOhm(r.Range));
    if (sigma > 0.0)
        z *= (1.0 + sigma * gauss(noise.Engine)) * std::polar(1.0, 0.1 * sigma * gauss(noise.Engine));
    TParams p = Params(z, s.Frequency);

    // Test signal at the device: the source drives it through its source resistance; ALC holds
    // the level at the device while the generator can reach it.
    Complex loop = Complex(s.SourceRes, 0.0) + z;
    double iac, vac;
    if (s.LevelIsCurrent) {
        double vreq = s.LevelAmp * std::abs(loop);
        r.AlcRegulating = !s.Alc || vreq <= kSimMaxSourceVolt;
        iac = s.Alc && r.AlcRegulating ? s.LevelAmp : s.LevelAmp * s.SourceRes / std::abs(loop);
        vac = iac * p.Z;
    } else {
        double vreq = p.Z > 0.0 ? s.LevelVolt * std::abs(loop) / p.Z : kSimOverload;
        r.AlcRegulating = !s.Alc || vreq <= kSimMaxSourceVolt;
        vac = s.Alc && r.AlcRegulating ? s.LevelVolt : s.LevelVolt * p.Z / std::abs(loop);
        iac = p.Z > 0.0 ? vac / p.Z : 0.0;
    }

    FunctionValues(r.Function, p, r.Primary, r.Secondary);
    r.Monitor1 = MonitorValue(s.Monitor1, p, r.Primary, s.Nominal, vac, iac);
    r.Monitor2 = MonitorValue(s.Monitor2, p, r.Primary, s.Nominal, vac, iac);
    if (r.Overload)
        r.Primary = r.Secondary = r.Monitor1 = r.Monitor2 = kSimOverload;
    if (s.Monitor1 == smOff)
        r.Monitor1 = 0.0;
    if (s.Monitor2 == smOff)
        r.Monitor2 = 0.0;
    JudgeReading(s, r);
    return r;
}
