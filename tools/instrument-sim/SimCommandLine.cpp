#include "tools/instrument-sim/SimCommandLine.h"

#include "tools/instrument-sim/SimModels.h"
#include "tools/instrument-sim/SimNumbers.h"

namespace {

enum class TValue { None, Required, Optional };

// One switch: its name, whether it takes a value ("--name V" or "--name=V";
// an optional one only as "--name=V"), its help line, and what it does.
struct TSwitch {
    const char* Name;
    TValue Value;
    const char* Help;
    bool (*Apply)(TSimCommandLine& Line, const AnsiString& Value, bool Given, AnsiString& Error);
};

bool IntIn(const AnsiString& Text, int Low, int High, int& Out, const char* What, AnsiString& Error)
{
    int v = 0;
    if (!ParseSimInt(Text, v) || v < Low || v > High) {
        Error = AnsiString(What) + " is " + std::to_string(Low) + " to " + std::to_string(High);
        return false;
    }
    Out = v;
    return true;
}

// A fault switch: on for every reply, with an optional setting.
template <TSimFault F>
bool FaultOn(TSimCommandLine& Line, const AnsiString&, bool, AnsiString&)
{
    Line.Faults[F] = -1;
    return true;
}

const TSwitch kSwitches[] = {
    {"--port", TValue::Required, "--port N          serial port number 1-20 to appear as (default 1)",
     [](TSimCommandLine& l, const AnsiString& v, bool, AnsiString& e) {
         return IntIn(v, 1, 20, l.Port, "the port number", e);
     }},
    {"--model", TValue::Required, "--model M         identification model (see below; default ZVE)",
     [](TSimCommandLine& l, const AnsiString& v, bool, AnsiString& e) {
         TSimModelInfo info;
         if (!FindSimModel(v, info)) {
             e = "unknown model " + v + " (" + SimModelList() + ")";
             return false;
         }
         l.Options.Model = v;
         return true;
     }},
    {"--dut", TValue::Required, "--dut KIND        part on the test leads: cap (100 nF), ind (1 mH), res (1 kohm), open",
     [](TSimCommandLine& l, const AnsiString& v, bool, AnsiString& e) {
         if (ParseDutKind(v, l.Options.Dut))
             return true;
         e = "unknown device " + v + " (cap, ind, res, open)";
         return false;
     }},
    {"--silence", TValue::None, "--silence         never reply", FaultOn<TSimFault::Silence>},
    {"--cut", TValue::Optional, "--cut[=N]         cut every reply short (to N characters; default half), no line end",
     [](TSimCommandLine& l, const AnsiString& v, bool given, AnsiString& e) {
         l.Faults[TSimFault::Truncate] = -1;
         return !given || IntIn(v, 0, 100000, l.FaultSettings.TruncateTo, "--cut", e);
     }},
    {"--split", TValue::Optional, "--split[=N]       send every reply in N pieces (default 3) with pauses",
     [](TSimCommandLine& l, const AnsiString& v, bool given, AnsiString& e) {
         l.Faults[TSimFault::Split] = -1;
         return !given || IntIn(v, 2, 1000, l.FaultSettings.SplitPieces, "--split", e);
     }},
    {"--garbage", TValue::Optional, "--garbage[=TEXT]  overwrite the start of every reply (default \"#?\")",
     [](TSimCommandLine& l, const AnsiString& v, bool given, AnsiString& e) {
         l.Faults[TSimFault::Garbage] = -1;
         if (given && v.empty()) {
             e = "--garbage needs some text";
             return false;
         }
         if (given)
             l.FaultSettings.GarbageText = v;
         return true;
     }},
    {"--wrong-length", TValue::Optional,
     "--wrong-length[=N] add N characters to every reply (N < 0 removes; default 1)",
     [](TSimCommandLine& l, const AnsiString& v, bool given, AnsiString& e) {
         l.Faults[TSimFault::WrongLength] = -1;
         return !given || IntIn(v, -1000, 1000, l.FaultSettings.LengthChange, "--wrong-length", e);
     }},
    {"--crlf", TValue::None, "--crlf            end replies with CR LF", FaultOn<TSimFault::CrLf>},
    {"--unasked", TValue::Optional, "--unasked[=QUERY] send the reply to QUERY first (default FETC:IMP?)",
     [](TSimCommandLine& l, const AnsiString& v, bool given, AnsiString& e) {
         l.Faults[TSimFault::UnaskedReply] = -1;
         if (given && v.empty()) {
             e = "--unasked needs a query";
             return false;
         }
         if (given)
             l.FaultSettings.UnaskedQuery = v;
         return true;
     }},
    {"--slow", TValue::Optional, "--slow[=MS]       hold every reply back (default 300 ms)",
     [](TSimCommandLine& l, const AnsiString& v, bool given, AnsiString& e) {
         l.Faults[TSimFault::Slow] = -1;
         return !given || IntIn(v, 0, 600000, l.FaultSettings.SlowMs, "--slow", e);
     }},
    {"--upper-e", TValue::None, "--upper-e         numbers with \"E\" instead of \"e\"", FaultOn<TSimFault::UpperCaseE>},
    {"--only-for", TValue::Required, "--only-for QUERY  faults hit only replies to queries starting with QUERY",
     [](TSimCommandLine& l, const AnsiString& v, bool, AnsiString&) {
         l.FaultSettings.OnlyFor = v;
         return true;
     }},
    {"--hang-up-after", TValue::Required, "--hang-up-after S hang the line up S seconds after the start",
     [](TSimCommandLine& l, const AnsiString& v, bool, AnsiString& e) {
         return IntIn(v, 1, 86400, l.HangUpAfterSeconds, "--hang-up-after", e);
     }},
    {"-v", TValue::None, "-v, --verbose     log every line received and every reply sent",
     [](TSimCommandLine& l, const AnsiString&, bool, AnsiString&) {
         l.Verbose = true;
         return true;
     }},
    {"--verbose", TValue::None, nullptr,
     [](TSimCommandLine& l, const AnsiString&, bool, AnsiString&) {
         l.Verbose = true;
         return true;
     }},
    {"-h", TValue::None, "-h, --help        this text",
     [](TSimCommandLine& l, const AnsiString&, bool, AnsiString&) {
         l.Help = true;
         return true;
     }},
    {"--help", TValue::None, nullptr,
     [](TSimCommandLine& l, const AnsiString&, bool, AnsiString&) {
         l.Help = true;
         return true;
     }},
};

} // namespace

bool ParseSimCommandLine(const std::vector<AnsiString>& Args, TSimCommandLine& Line, AnsiString& Error)
{
    for (size_t i = 0; i < Args.size(); ++i) {
        AnsiString name = Args[i], value;
        bool given = false;
        const size_t eq = name.find('=');
        if (name.compare(0, 2, "--") == 0 && eq != AnsiString::npos) {
            value = name.substr(eq + 1);
            name = name.substr(0, eq);
            given = true;
        }
        const TSwitch* sw = nullptr;
        for (const TSwitch& s : kSwitches)
            if (name == s.Name)
                sw = &s;
        if (!sw) {
            Error = "unknown argument " + Args[i];
            return false;
        }
        if (sw->Value == TValue::None && given) {
            Error = name + " takes no value";
            return false;
        }
        if (sw->Value == TValue::Required && !given) {
            if (i + 1 >= Args.size()) {
                Error = name + " needs a value";
                return false;
            }
            value = Args[++i];
            given = true;
        }
        if (!sw->Apply(Line, value, given, Error))
            return false;
    }
    return true;
}

AnsiString SimUsage()
{
    AnsiString text = "Usage: zorvane-sim [--port N] [--model MODEL] [--dut KIND] [fault switches] [-v]\n";
    for (const TSwitch& s : kSwitches)
        if (s.Help)
            text += AnsiString("  ") + s.Help + "\n";
    text += "Models: " + SimModelList() + "\n";
    return text;
}
