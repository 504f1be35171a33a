#include "tools/instrument-sim/SimModels.h"

namespace {

// Highest test frequency of the model letters A to E.
const double kMaxFrequency[5] = {2e3, 20e3, 100e3, 200e3, 300e3};

} // namespace

bool FindSimModel(const AnsiString& token, TSimModelInfo& info)
{
    AnsiString letter;
    if (token.size() == 3 && token.compare(0, 2, "ZV") == 0)
        letter = token.substr(2);
    else if (token.size() == 4 && token.compare(0, 3, "ZV-") == 0)
        letter = token.substr(3);
    else if (token.size() == 5 && token.compare(0, 4, "ZV-X") == 0)
        letter = token.substr(4);
    if (letter.size() != 1 || letter[0] < 'A' || letter[0] > 'E')
        return false;
    info.Token = token;
    info.MaxFrequency = kMaxFrequency[letter[0] - 'A'];
    return true;
}

AnsiString SimModelList()
{
    return "ZVA..ZVE, ZV-A..ZV-E, ZV-XA..ZV-XE";
}
