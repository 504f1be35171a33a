#include "tools/instrument-sim/SimWords.h"

#include "tools/instrument-sim/SimNumbers.h"

bool OneOf(const AnsiString& word, std::initializer_list<const char*> words)
{
    for (const char* w : words)
        if (word == w)
            return true;
    return false;
}

bool ParseSwitch(const AnsiString& arg, bool& on)
{
    AnsiString up = SimUpperCase(arg);
    if (up == "ON" || up == "1")
        on = true;
    else if (up == "OFF" || up == "0")
        on = false;
    else
        return false;
    return true;
}

AnsiString SwitchText(bool on)
{
    return on ? "ON" : "OFF";
}

std::vector<AnsiString> SplitArgs(const AnsiString& arg)
{
    std::vector<AnsiString> parts;
    size_t start = 0;
    while (true) {
        size_t comma = arg.find(',', start);
        parts.push_back(SimTrim(arg.substr(start, comma == AnsiString::npos ? AnsiString::npos : comma - start)));
        if (comma == AnsiString::npos)
            break;
        start = comma + 1;
    }
    return parts;
}
