// Units, ranges and value texts shared by the list sweep and the sweep graph.
#include "list/ListUnits.h"

#include <cmath>
#include <limits>

#include "main/Public.h"
#include "platform/core/FloatConvert.h"
#include "platform/core/StringUtils.h"

TFunctionKind NominalKind(const AnsiString& Function)
{
    const int f = FunctionIndex(Function);
    if (f <= 4)
        return TFunctionKind::Capacitance;
    return f <= 8 ? TFunctionKind::Inductance : TFunctionKind::Resistance;
}

TFunctionKind GridFunctionKind(const AnsiString& Function)
{
    if (Function == "Cs-Rs" || Function == "Cs-D" || Function == "Cp-Rp" || Function == "Cp-D")
        return TFunctionKind::Capacitance;
    if (Function == "Lp-Rp" || Function == "Lp-Q" || Function == "Ls-Rs" || Function == "Ls-Q")
        return TFunctionKind::Inductance;
    return TFunctionKind::Resistance;
}

const std::vector<AnsiString>& NominalUnits(TFunctionKind Kind)
{
    static const std::vector<AnsiString> c{"pF", "nF", "uF", "mF"}, l{"uH", "mH", " H", "kH"},
        r{" ohm", "kohm", "Mohm"};
    return Kind == TFunctionKind::Capacitance ? c : Kind == TFunctionKind::Inductance ? l : r;
}

const std::vector<AnsiString>& LimitUnits(TFunctionKind Kind)
{
    static const std::vector<AnsiString> c{"pF", "nF", "uF", "mF"}, l{"uH", "mH", " H", "KH"},
        r{" ohm", "Kohm", "Mohm"};
    return Kind == TFunctionKind::Capacitance ? c : Kind == TFunctionKind::Inductance ? l : r;
}

const std::vector<AnsiString>& UnitPrefixes(TFunctionKind Kind)
{
    static const std::vector<AnsiString> c{"p", "n", "u", "m"}, l{"u", "m", "", "k"}, r{"", "k", "M"};
    return Kind == TFunctionKind::Capacitance ? c : Kind == TFunctionKind::Inductance ? l : r;
}

bool SecondIsResistance(const AnsiString& Function)
{
    return Function == "Cs-Rs" || Function == "Cp-Rp" || Function == "Lp-Rp" || Function == "Ls-Rs" ||
        Function == "R-X";
}

AnsiString SecondLimitUnit(const AnsiString& Function)
{
    if (SecondIsResistance(Function))
        return " ohm";
    if (Function == "Z_theta_r")
        return "r";
    return Function == "Z_theta_d" ? "d" : "";
}

int StoreNominal(double Value)
{
    const double scaled = Value * 10000.0;
    return static_cast<int>(scaled >= 0 ? std::floor(scaled + 0.5) : std::ceil(scaled - 0.5));
}

bool NominalStorable(double Value)
{
    const double scaled = std::round(Value * 10000.0);
    return std::isfinite(scaled) && scaled >= std::numeric_limits<int>::min()
           && scaled <= std::numeric_limits<int>::max();
}

AnsiString NominalCommandText(int Stored, int UnitPosition, const AnsiString& Function)
{
    const TFunctionKind kind = NominalKind(Function);
    const auto& prefixes = UnitPrefixes(kind);
    int u = UnitPosition >= 0 && UnitPosition < static_cast<int>(prefixes.size()) ? UnitPosition : 0;
    double v = Stored / 10000.0;
    if ((kind == TFunctionKind::Inductance && prefixes[u] == "k") ||
        (kind == TFunctionKind::Resistance && prefixes[u] == "M")) {
        --u;
        v *= 1000;
    }
    return Trim(FormatSignificant(v, 7)) + prefixes[u];
}

bool NominalInRange(double Value, int Position, TFunctionKind Kind)
{
    if (Position == 3 && Kind == TFunctionKind::Capacitance)
        return Value >= -100 && Value <= 100;
    if (Position == 3 && Kind == TFunctionKind::Inductance)
        return Value >= -10 && Value <= 10;
    return Value > -1000 && Value < 1000;
}

AnsiString NominalRangeMessage(const AnsiString& Unit, int Position, TFunctionKind Kind)
{
    if (Position == 3 && Kind == TFunctionKind::Capacitance)
        return " ''Nominal'' over  range! ,  -100 " + Unit + " < " + " Nominal  < " + "100 " + Unit + " !";
    if (Position == 3 && Kind == TFunctionKind::Inductance)
        return " ''Nominal'' over  range! ,  -10 " + Unit + " < " + " Nominal  < " + "10 " + Unit + " !";
    return " ''Nominal'' over  range! , -1000 " + Unit + " < " + " Nominal  < " + "1000 " + Unit + " !";
}

AnsiString NominalFieldText(double Value)
{
    const double a = std::fabs(Value);
    return FixedText(Value, a < 10 ? 5 : a < 100 ? 4 : 3);
}

int ModelHighestKHz(const AnsiString& ModelName)
{
    const char letter = ModelName.empty() ? 'E' : ModelName.back();
    switch (letter) {
    case 'A': return 2;
    case 'B': return 20;
    case 'C': return 100;
    case 'D': return 200;
    default: return 300;
    }
}

AnsiString ModelHighestText(const AnsiString& ModelName)
{
    return " " + std::to_string(ModelHighestKHz(ModelName)) + " kHz !";
}

TLevelRange LevelRange(bool Current)
{
    return Current ? TLevelRange{0.1, 20} : TLevelRange{0.01, 2};
}

double SweepPointValue(double Start, double End, int N, int k)
{
    if (N <= 1 || k <= 1)
        return Start;
    if (k >= N)
        return End;
    return Start + (k - 1) * (End - Start) / (N - 1);
}

int FrequencyDecimals(double Value)
{
    return Value < 10 ? 3 : Value < 100 ? 2 : 1;
}

double RoundDecimals(double Value, int Decimals)
{
    // A decimal half held a little below it in binary still rounds away from zero.
    const double scale = std::pow(10.0, Decimals);
    const double s = Value * scale;
    return (s >= 0 ? std::floor(s + 0.5 + 1e-7) : std::ceil(s - 0.5 - 1e-7)) / scale;
}

double DisplayedSweepPoint(double Start, double End, int N, int k, int Decimals)
{
    const double v = RoundDecimals(SweepPointValue(Start, End, N, k), Decimals);
    if (v <= End)
        return v;
    const double scale = std::pow(10.0, Decimals);
    return std::floor(End * scale) / scale;
}

AnsiString FixedText(double Value, int Decimals)
{
    return FloatToStrF(RoundDecimals(Value, Decimals), ffFixed, 18, Decimals);
}

TValueParts ParseValueText(const AnsiString& Text)
{
    TValueParts p;
    const AnsiString t = Trim(Text);
    if (t.empty())
        return p;
    p.Empty = false;
    const auto blank = t.find(' ');
    p.Number = t.substr(0, blank);
    if (blank != AnsiString::npos)
        p.Unit = Trim(t.substr(blank));
    p.Overload = p.Number == "OVERLOAD";
    if (!p.Overload && !TryStrToFloat(p.Number, p.Value))
        p.Value = 0;
    static const AnsiString prefixes = "pnumkM";
    if (p.Unit.size() >= 2 && prefixes.find(p.Unit[0]) != AnsiString::npos)
        p.Prefix = p.Unit.substr(0, 1);
    return p;
}

int PrefixPosition(TFunctionKind Kind, const AnsiString& Prefix)
{
    const auto& list = UnitPrefixes(Kind);
    for (size_t i = 0; i < list.size(); ++i)
        if (list[i] == Prefix)
            return static_cast<int>(i) + 1;
    return 0;
}

int LimitUnitPosition(TFunctionKind Kind, const AnsiString& Unit)
{
    const auto& list = LimitUnits(Kind);
    for (size_t i = 0; i < list.size(); ++i)
        if (list[i] == Unit || (Kind == TFunctionKind::Resistance && Trim(list[i]) == Trim(Unit)))
            return static_cast<int>(i) + 1;
    return 0;
}
