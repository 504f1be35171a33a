#pragma once
// Enumerations and event types of the typed edit.
#include <functional>

#include "platform/core/Types.h"

class TObject;

enum TVodUrizType {
    etString = 0,
    etNumeric = 1,
    etFloat = 2,
    etUppercase = 3,
    etMixedCase = 4,
    etLowerCase = 5,
    etPassword = 6,
    etMoney = 7,
    etRange = 8,
    etHex = 9,
    etAlphaNumeric = 10,
    etValidChars = 11,
};

enum TEditAlign { eaLeft = 0, eaRight = 1, eaDefault = 2, eaCenter = 3 };

enum TLabelPosition {
    lpLeftTop = 0,
    lpLeftCenter = 1,
    lpLeftBottom = 2,
    lpTopLeft = 3,
    lpBottomLeft = 4,
    lpLeftTopLeft = 5,
    lpLeftCenterLeft = 6,
    lpLeftBottomLeft = 7,
    lpTopCenter = 8,
    lpBottomCenter = 9,
};

enum TPersistenceLocation { plInifile = 0, plRegistry = 1 };

using TValueValidateEvent = std::function<void(TObject* Sender, const AnsiString& Value, bool& IsValid)>;
using TClipboardEvent = std::function<void(TObject* Sender, const AnsiString& Value, bool& Allow)>;
using TURLClickEvent = std::function<void(TObject* Sender, const AnsiString& URL, bool& Show)>;
