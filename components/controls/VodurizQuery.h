#pragma once
// A small modal dialog that asks for one typed value.
#include "components/controls/VodurizTypes.h"

struct TQueryParams {
    short Precision = 0;
    bool Flat = false;
    short LengthLimit = 0;
    AnsiString Prefix;
    AnsiString Suffix;
};

// True when the user confirmed with OK (Value then holds the new value); Params may be null.
bool RavInputQuery(TVodUrizType EditType, const TQueryParams* Params, const AnsiString& Caption,
                   const AnsiString& Prompt, AnsiString& Value);
