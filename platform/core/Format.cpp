#include "platform/core/Format.h"

#include <vector>

#include "platform/core/Exceptions.h"
#include "platform/core/FloatConvert.h"
#include "platform/core/IntConvert.h"

namespace {

[[noreturn]] void InvalidFormat(const AnsiString& Fmt)
{
    throw EConvertError("Format '" + Fmt + "' invalid or incompatible with argument");
}

[[noreturn]] void MissingArgument(const AnsiString& Fmt)
{
    throw EConvertError("No argument for format '" + Fmt + "'");
}

bool IsInteger(const TVarRec& a) { return a.Kind() == TVarRec::vtInteger || a.Kind() == TVarRec::vtInt64; }

AnsiString ZeroPad(AnsiString digits, int precision)
{
    bool negative = !digits.empty() && digits[0] == '-';
    if (negative)
        digits.erase(0, 1);
    if (precision >= 0 && static_cast<int>(digits.size()) < precision)
        digits.insert(0, static_cast<size_t>(precision) - digits.size(), '0');
    return negative ? "-" + digits : digits;
}

} // namespace

AnsiString Format(const AnsiString& Fmt, std::initializer_list<TVarRec> ArgList, const TFormatSettings& Settings)
{
    const std::vector<TVarRec> args(ArgList);
    AnsiString out;
    size_t next = 0;
    size_t i = 0;
    auto readNumber = [&](int& value) -> bool {
        if (i < Fmt.size() && Fmt[i] == '*') {
            ++i;
            if (next >= args.size())
                MissingArgument(Fmt);
            if (!IsInteger(args[next]))
                InvalidFormat(Fmt);
            value = static_cast<int>(args[next++].AsInt());
            return true;
        }
        bool any = false;
        value = 0;
        while (i < Fmt.size() && Fmt[i] >= '0' && Fmt[i] <= '9') {
            value = value * 10 + (Fmt[i++] - '0');
            any = true;
        }
        return any;
    };
    while (i < Fmt.size()) {
        char c = Fmt[i++];
        if (c != '%') {
            out += c;
            continue;
        }
        if (i < Fmt.size() && Fmt[i] == '%') {
            out += '%';
            ++i;
            continue;
        }
        int number = 0;
        bool left = false;
        int width = -1, precision = -1;
        if (i < Fmt.size() && Fmt[i] == '-') {
            left = true;
            ++i;
        }
        bool hasNumber = readNumber(number);
        if (hasNumber && i < Fmt.size() && Fmt[i] == ':') {
            ++i;
            next = static_cast<size_t>(number);
            if (i < Fmt.size() && Fmt[i] == '-') {
                left = true;
                ++i;
            }
            hasNumber = readNumber(number);
        }
        if (hasNumber)
            width = number;
        if (i < Fmt.size() && Fmt[i] == '.') {
            ++i;
            if (!readNumber(precision))
                precision = 0;
        }
        if (i >= Fmt.size())
            InvalidFormat(Fmt);
        char type = static_cast<char>(Fmt[i++] | 0x20);
        if (next >= args.size())
            MissingArgument(Fmt);
        const TVarRec& a = args[next++];
        AnsiString text;
        auto asFloat = [&]() -> double {
            if (a.Kind() != TVarRec::vtExtended)
                InvalidFormat(Fmt);
            return a.AsFloat();
        };
        switch (type) {
        case 'd':
            if (!IsInteger(a))
                InvalidFormat(Fmt);
            text = ZeroPad(IntToStr(a.AsInt()), precision);
            break;
        case 'u':
            if (!IsInteger(a))
                InvalidFormat(Fmt);
            text = ZeroPad(a.Kind() == TVarRec::vtInteger ? std::to_string(static_cast<unsigned>(a.AsInt()))
                                                          : std::to_string(static_cast<unsigned long long>(a.AsInt())),
                           precision);
            break;
        case 'x':
            if (!IsInteger(a))
                InvalidFormat(Fmt);
            text = a.Kind() == TVarRec::vtInteger ? IntToHex(static_cast<int>(a.AsInt()), precision < 0 ? 0 : precision)
                                                  : IntToHex(a.AsInt(), precision < 0 ? 0 : precision);
            break;
        case 'e':
            text = FloatToStrF(asFloat(), ffExponent, precision < 0 ? 15 : precision, 3, Settings);
            break;
        case 'f':
            text = FloatToStrF(asFloat(), ffFixed, 18, precision < 0 ? 2 : precision, Settings);
            break;
        case 'g':
            text = FloatToStrF(asFloat(), ffGeneral, precision < 0 ? 15 : precision, 3, Settings);
            break;
        case 'n':
            text = FloatToStrF(asFloat(), ffNumber, 18, precision < 0 ? 2 : precision, Settings);
            break;
        case 'm':
            text = FloatToStrF(asFloat(), ffCurrency, 18, precision < 0 ? Settings.CurrencyDecimals : precision,
                               Settings);
            break;
        case 's':
            if (a.Kind() != TVarRec::vtString && a.Kind() != TVarRec::vtChar)
                InvalidFormat(Fmt);
            text = a.AsString();
            if (precision >= 0 && static_cast<int>(text.size()) > precision)
                text.resize(static_cast<size_t>(precision));
            break;
        case 'p':
            if (a.Kind() != TVarRec::vtPointer)
                InvalidFormat(Fmt);
            text = IntToHex(a.AsInt(), 8);
            break;
        default:
            InvalidFormat(Fmt);
        }
        if (width > static_cast<int>(text.size())) {
            AnsiString pad(static_cast<size_t>(width) - text.size(), ' ');
            text = left ? text + pad : pad + text;
        }
        out += text;
    }
    return out;
}

AnsiString Format(const AnsiString& Fmt, std::initializer_list<TVarRec> Args)
{
    return Format(Fmt, Args, FormatSettings);
}
