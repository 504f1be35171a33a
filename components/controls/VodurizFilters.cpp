// Keyboard and clipboard filters of the typed edit model.
#include <algorithm>

#include "components/controls/VodurizModel.h"
#include "components/controls/VodurizNumbers.h"
#include "platform/core/Format.h"
#include "platform/core/FormatSettings.h"
#include "platform/core/IntConvert.h"
#include "platform/core/StringUtils.h"

namespace {
constexpr char kBack = 8, kTab = 9, kLf = 10, kCr = 13, kEsc = 27;
constexpr char kCopy = 3, kPaste = 22, kCut = 24;
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsAlnum(char c) { return IsDigit(c) || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool IsRangeSep(char c) { return c == ',' || c == '-' || c == ';'; }
bool Contains(const AnsiString& s, char c) { return s.find(c) != AnsiString::npos; }
}

// The value as it would read after Backspace (Backward) or Delete.
AnsiString TVodUrizModel::ValueAfterDelete(bool Backward) const
{
    AnsiString t = FWindowText;
    if (FSelLength > 0)
        t.erase(FSelStart, FSelLength);
    else if (Backward && FSelStart > 0)
        t.erase(FSelStart - 1, 1);
    else if (!Backward && FSelStart < static_cast<int>(t.size()))
        t.erase(FSelStart, 1);
    AnsiString v = t;
    if (!FPrefix.empty() && v.compare(0, FPrefix.size(), FPrefix) == 0)
        v.erase(0, FPrefix.size());
    if (!FSuffix.empty() && v.size() >= FSuffix.size()
        && v.compare(v.size() - FSuffix.size(), FSuffix.size(), FSuffix) == 0)
        v.erase(v.size() - FSuffix.size());
    return v;
}

// What the edit window does with Backspace and Delete.
void TVodUrizModel::DeleteAtCaret(bool Backward)
{
    AnsiString t = FWindowText;
    int caret = FSelStart;
    if (FSelLength > 0)
        t.erase(FSelStart, FSelLength);
    else if (Backward && FSelStart > 0)
        t.erase(--caret, 1);
    else if (!Backward && FSelStart < static_cast<int>(t.size()))
        t.erase(FSelStart, 1);
    else
        return;
    FSelLength = 0;
    FSelStart = FCaret = caret;
    FEditModified = true;
    SetWindowText(t);
    SetSelStart(caret);
}

// What the edit window does with a character it is given.
void TVodUrizModel::InsertChar(char Key)
{
    if (Key == kBack) {
        if (!ReadOnly)
            DeleteAtCaret(true);
        return;
    }
    if (Key == kCopy || Key == kCut) {
        AnsiString s;
        if ((Key == kCopy ? Copy(s) : Cut(s)) && OnSetClipboard)
            OnSetClipboard(s);
        return;
    }
    if (Key == kPaste) {
        PasteClipboard();
        return;
    }
    if (static_cast<unsigned char>(Key) < 32)
        return;
    if (ReadOnly)
        return;
    if (MaxLength > 0 && static_cast<int>(FWindowText.size()) - FSelLength + 1 > MaxLength)
        return;
    AnsiString t = FWindowText;
    t.replace(FSelStart, FSelLength, 1, Key);
    const int caret = FSelStart + 1;
    FSelLength = 0;
    FSelStart = FCaret = caret;
    FEditModified = true;
    SetWindowText(t);
    SetSelStart(caret);
}

void TVodUrizModel::PassOn(char Key)
{
    if (OnKeyPress)
        OnKeyPress(Key);
    if (Key != 0)
        InsertChar(Key);
}

// A sign belongs in front of a number: refuse a minus that would land elsewhere.
bool TVodUrizModel::MinusMisplaced(char Key) const
{
    if (Key != '-')
        return false;
    AnsiString v = FWindowText;
    v.replace(FSelStart, FSelLength, 1, Key);
    const int at = FSelStart - static_cast<int>(FPrefix.size());
    const AnsiString after = v.substr(FPrefix.size());
    return at != 0 || std::count(after.begin(), after.end(), '-') > 1;
}

void TVodUrizModel::KeyPress(char& Key, bool Ctrl, bool KeypadDecimal)
{
    const char dec = FormatSettings.DecimalSeparator;
    // 1-2: Enter never reaches the window; OnKeyPress sees it once.
    if (Ctrl && Key == kCr) {
        Key = 0;
        return;
    }
    if (Key == kCr) {
        char copy = kCr;
        if (OnKeyPress)
            OnKeyPress(copy);
        Key = 0;
        return;
    }
    char k = Key;
    Key = 0; // the model does the window's work itself
    if (k == kEsc && !FCanUndo) {
        PassOn(k);
        return;
    }
    if (Ctrl && (k == kCopy || k == kPaste || k == kCut)) {
        PassOn(k);
        return;
    }
    if (k == '.' && ExcelStyleDecimalSeparator && KeypadDecimal)
        k = dec;
    const AnsiString value = GetText();
    const int prefixLen = static_cast<int>(FPrefix.size());
    if (k == kBack && !FPrefix.empty() && FSelStart <= prefixLen && FSelLength == 0)
        return;
    if (LengthLimit > 0 && FixedLength(value) > LengthLimit && FSelLength == 0 && FSelStart < DecimalPos()
        && k != kBack && k != dec)
        return;
    if (k == kBack && LengthLimit > 0 && FixedLength(ValueAfterDelete(true)) - 1 > LengthLimit)
        return;
    if (Ctrl && k == kLf)
        return;
    if (k == '-' && (FEditType == etNumeric || FEditType == etFloat || FEditType == etMoney) && !Signed)
        return;

    switch (FEditType) {
    case etString:
    case etPassword:
        PassOn(k);
        break;
    case etNumeric:
        if (k == '-')
            SignToggleIntegers();
        else if (k == kBack || k == kTab || k == kCr || IsDigit(k) || Ctrl)
            PassOn(k);
        break;
    case etFloat:
    case etMoney:
        if (DecimalFilter(k))
            return;
        break;
    case etUppercase:
        PassOn(AnsiUpperCase(AnsiString(1, k))[0]);
        break;
    case etLowerCase:
        PassOn(AnsiLowerCase(AnsiString(1, k))[0]);
        break;
    case etMixedCase: {
        PassOn(k);
        const int caret = FSelStart;
        WriteValue(MixedCase(GetText()));
        SetSelStart(caret);
        break;
    }
    case etRange:
        if (k == kBack || k == kTab || k == kCr || IsDigit(k) || IsRangeSep(k)) {
            if (IsRangeSep(k)) {
                const AnsiString t = FWindowText + " ";
                const char before = FSelStart > 0 ? t[FSelStart - 1] : ' ';
                const char after = t[FSelStart];
                if (FSelStart <= prefixLen || IsRangeSep(before) || IsRangeSep(after))
                    return;
            }
            PassOn(k);
        }
        break;
    case etHex:
        if (k == kBack || k == kTab || k == kCr || k == '-' || IsDigit(k) || (k >= 'A' && k <= 'F')
            || (k >= 'a' && k <= 'f')) {
            if (MinusMisplaced(k))
                return;
            PassOn(k);
        }
        break;
    case etAlphaNumeric:
        if (k == kBack || k == kTab || k == kCr || IsAlnum(k))
            PassOn(k);
        break;
    case etValidChars:
        if (k == kBack || Contains(ValidChars, k))
            PassOn(k);
        break;
    }

    // Tail.
    if (TabOnFullLength && LengthLimit > 0 && FixedLength(GetText()) > LengthLimit && FSelLength == 0
        && FSelStart == LengthLimit && OnSelectNext)
        OnSelectNext();
    if (FEditModified)
        SetModified(true);
}

// The filter of etFloat and etMoney. True when the handling ends here (no tail).
bool TVodUrizModel::DecimalFilter(char k)
{
    const char dec = FormatSettings.DecimalSeparator;
    const char thou = FormatSettings.ThousandSeparator;
    const AnsiString value = GetText();
    const int prefixLen = static_cast<int>(FPrefix.size());
    const bool money = FEditType == etMoney;

    if (money && k == dec && (Contains(value, dec) || FPrecision == 0)) {
        if (FPrecision > 0) {
            if (FSelLength > 0 && FSelLength >= static_cast<int>(value.size()))
                SetText(AnsiString("0") + dec + "0");
            SelectAfterDecimal();
        }
        return true;
    }
    // 1. Gate.
    if (!money) {
        if (k == ',' && dec != ',' && thou != ',')
            return true;
        if (k == '.' && dec != '.' && thou != '.')
            return true;
        if (!(k == kBack || k == kTab || k == kCr || k == ',' || k == '-' || k == '.' || IsDigit(k)))
            return false;
    } else if (!(k == kBack || k == kTab || k == kCr || k == '-' || IsDigit(k) || k == dec)) {
        return false;
    }
    // 2. Only one decimal separator, and none without decimals.
    if (!money && k == dec && !Contains(SelText(), dec)) {
        if (Contains(value, dec) || FPrecision == 0) {
            if (FPrecision > 0)
                SelectAfterDecimal();
            return true;
        }
    }
    // 3. One comma.
    if (!money && k == ',' && Contains(value, ',') && !Contains(SelText(), ',') && thou != ',')
        return true;
    // 4. A separator only three digits away from a group separator.
    if ((k == thou || k == dec) && Contains(value, thou)) {
        int p = FSelStart - prefixLen;
        int m = static_cast<int>(value.size());
        AnsiString rest = value;
        for (size_t t0 = rest.find(thou); t0 != AnsiString::npos; t0 = rest.find(thou)) {
            const int t = static_cast<int>(t0) + 1;
            const int d = std::abs(t - p);
            if (d < m)
                m = d;
            if (d < 3)
                return true;
            if (t < p)
                p -= t;
            rest.erase(0, t0 + 1);
        }
        if (m > 3)
            return true;
    }
    // 5. Full decimals: digits overwrite, no further separator.
    {
        const int p = FSelStart - prefixLen;
        const int len = static_cast<int>(value.size());
        const size_t q0 = value.find(dec);
        if (FPrecision > 0 && FPrecision >= len - p && q0 != AnsiString::npos) {
            const int q = static_cast<int>(q0) + 1;
            if (p >= q && len - q >= FPrecision && (IsDigit(k) || k == dec) && FSelLength == 0) {
                if (k == dec)
                    return true;
                if (p == len)
                    return true;
                SetSelection(FSelStart, FSelStart + 1);
            }
        }
    }
    // 6. A leading separator gets its zero.
    if (FSelStart == 0 && value.empty() && k == dec) {
        WriteValue(AnsiString("0") + dec);
        SetSelStart(prefixLen + 2);
        SetModified(true);
        return true;
    }
    // 7. Minus toggles the sign.
    if (k == '-' && FSelLength == 0) {
        SignToggleDecimals();
        return true;
    }
    // 8. Everything else reaches the window.
    if (MinusMisplaced(k))
        return true;
    PassOn(k);
    const AnsiString now = GetText();
    if (money && !now.empty() && now != "-" && k != dec) {
        if (FEditModified)
            SetModified(true);
        AutoSeparators();
    }
    return false;
}

void TVodUrizModel::SignToggleIntegers()
{
    const AnsiString value = GetText();
    const int prefixLen = static_cast<int>(FPrefix.size());
    if (FSelLength == static_cast<int>(value.size())) {
        WriteValue("-");
        SetSelStart(prefixLen + 1);
        return;
    }
    const int c = FSelStart;
    // Only a leading sign is the sign: toggling never eats a digit.
    if (!value.empty() && value[0] == '-') {
        WriteValue(value.substr(1));
        SetSelStart(c > prefixLen ? c - 1 : prefixLen);
    } else {
        WriteValue("-" + value);
        SetSelStart(c + 1);
        SetModified(true);
    }
}

void TVodUrizModel::SignToggleDecimals()
{
    const AnsiString value = GetText();
    const int prefixLen = static_cast<int>(FPrefix.size());
    const int c = FSelStart;
    const int precision = FPrecision;
    FPrecision = 0;
    int caret;
    if (!value.empty() && value[0] == '-') {
        SetText(value.substr(1));
        caret = c > prefixLen ? c - 1 : prefixLen;
    } else {
        SetText("-" + value);
        caret = c + 1;
    }
    FPrecision = precision;
    SetSelStart(caret);
    SetModified(true);
}

bool TVodUrizModel::KeyDown(Word& Key, bool Shift, bool Ctrl)
{
    const int prefixLen = static_cast<int>(FPrefix.size());
    const auto base = [&] {
        if (OnKeyDown)
            OnKeyDown(Key);
    };
    if ((Key == VK_TAB || Key == VK_RETURN) && Ctrl) {
        base();
        return false;
    }
    if (Key == VK_RETURN && ReturnIsTab) {
        Key = VK_TAB;
        if (OnSelectNext)
            OnSelectNext();
    }
    const int selEnd = FSelStart + FSelLength;
    const int valueEnd = ValueEnd();
    if (!FSuffix.empty()) {
        if (Key == VK_RIGHT && selEnd >= valueEnd) {
            Key = 0;
            return true;
        }
        if (Key == VK_DELETE) {
            if (selEnd >= valueEnd && FSelLength == 0) {
                Key = 0;
                return true;
            }
            SetModified(true);
        }
        if (Key == VK_END) {
            if (Shift)
                SetSelection(FSelStart, valueEnd);
            else
                SetSelStart(valueEnd);
            Key = 0;
            return true;
        }
    }
    if (!FPrefix.empty()) {
        if (Key == VK_LEFT && selEnd <= prefixLen) {
            Key = 0;
            return true;
        }
        if (Key == VK_HOME) {
            if (Shift)
                SetSelection(valueEnd, prefixLen);
            else
                SetSelStart(prefixLen);
            Key = 0;
            return true;
        }
    }
    if (Key == VK_BACK && !FPrefix.empty()) {
        if (FSelStart <= prefixLen + 1) {
            Key = 0;
            return true;
        }
        SetModified(true);
    }
    if (Key == VK_DELETE && FSelStart >= prefixLen) {
        if (LengthLimit > 0 && FixedLength(ValueAfterDelete(false)) - 1 > LengthLimit) {
            Key = 0;
            return true;
        }
        SetModified(true);
    }
    base();
    // The edit window's own work for the keys whose rules depend on the affixes.
    bool done = false;
    const int len = static_cast<int>(FWindowText.size());
    switch (Key) {
    case VK_DELETE:
        if (!ReadOnly)
            DeleteAtCaret(false);
        done = true;
        break;
    case VK_LEFT:
    case VK_RIGHT:
    case VK_HOME:
    case VK_END: {
        const int anchor = FCaret == FSelStart ? FSelStart + FSelLength : FSelStart;
        int caret = FCaret;
        if (Key == VK_HOME)
            caret = 0;
        else if (Key == VK_END)
            caret = len;
        else if (!Shift && FSelLength > 0)
            caret = Key == VK_LEFT ? FSelStart : FSelStart + FSelLength;
        else
            caret += Key == VK_LEFT ? -1 : 1;
        if (Shift)
            SetSelection(anchor, caret);
        else
            SetSelStart(caret);
        done = true;
        break;
    }
    default:
        break;
    }
    if (Key == VK_DELETE && FEditType == etMoney)
        AutoSeparators();
    if (!FPrefix.empty() && FSelStart < prefixLen)
        SetSelStart(prefixLen);
    return done;
}

bool TVodUrizModel::EscapeUndo()
{
    if (!FCanUndo || KeyPreview)
        return false;
    SetText(FFocusText);
    if (FocusFontColor != clNone)
        SetFontColor(FocusFontColor);
    SelectAll();
    SetModified(false);
    return true;
}

bool TVodUrizModel::Copy(AnsiString& Text)
{
    Text = FWindowText.substr(FSelStart, FSelLength);
    bool allow = true;
    if (OnClipboardCopy)
        OnClipboardCopy(Sender, GetText().substr(std::max(0, FSelStart - static_cast<int>(FPrefix.size())), FSelLength), allow);
    return allow;
}

bool TVodUrizModel::Cut(AnsiString& Text)
{
    Text = FWindowText.substr(FSelStart, FSelLength);
    bool allow = true;
    if (OnClipboardCut)
        OnClipboardCut(Sender, GetText().substr(std::max(0, FSelStart - static_cast<int>(FPrefix.size())), FSelLength), allow);
    if (!allow || ReadOnly || FSelLength == 0)
        return allow && !ReadOnly;
    DeleteAtCaret(false);
    return true;
}

void TVodUrizModel::PasteClipboard()
{
    if (OnGetClipboard)
        Paste(OnGetClipboard());
}

void TVodUrizModel::Paste(const AnsiString& Clip)
{
    if (ReadOnly || Clip.empty())
        return;
    const char dec = FormatSettings.DecimalSeparator;
    const AnsiString value = GetText();
    const int prefixLen = static_cast<int>(FPrefix.size());
    const int at = std::clamp(FSelStart - prefixLen, 0, static_cast<int>(value.size()));
    const int cut = std::min(FSelLength, static_cast<int>(value.size()) - at);
    AnsiString n = value;
    n.replace(at, cut, Clip);
    const int planStart = FSelLength > 0 ? FSelStart : FSelStart + static_cast<int>(Clip.size());
    const int planLength = FSelLength > 0 ? static_cast<int>(Clip.size()) : 0;

    bool allow = true;
    if (OnClipboardPaste)
        OnClipboardPaste(Sender, n, allow);
    if (!allow)
        return;
    if (MaxLength > 0 && static_cast<int>(Clip.size() + value.size()) - FSelLength > MaxLength)
        return;

    const bool minusOk = !Contains(n, '-') || (Signed && n[0] == '-');
    switch (FEditType) {
    case etString:
    case etPassword:
        SetText(n);
        break;
    case etNumeric:
        if (NumberClass(n) == ncInteger && minusOk) {
            SetText(n);
            SetModified(true);
        }
        break;
    case etFloat:
    case etMoney: {
        const int cls = NumberClass(n);
        if ((cls == ncInteger || cls == ncFloat) && !(FPrecision == 0 && Contains(Clip, dec)) && minusOk) {
            SetText(n);
            SetFloat(GetFloat());
            SetModified(true);
        }
        break;
    }
    case etUppercase:
        SetText(AnsiUpperCase(n));
        break;
    case etLowerCase:
        SetText(AnsiLowerCase(n));
        break;
    case etMixedCase:
        SetText(MixedCase(n));
        break;
    case etAlphaNumeric:
        if (std::all_of(n.begin(), n.end(), IsAlnum)) {
            SetText(n);
            SetModified(true);
        }
        break;
    case etValidChars:
        if (std::all_of(n.begin(), n.end(), [&](char c) { return Contains(ValidChars, c); })) {
            SetText(n);
            SetModified(true);
        }
        break;
    case etRange:
    case etHex:
        break;
    }
    if (FEditType == etMoney && GetText().size() > 3)
        SelectAll();
    else
        SetSelection(planStart, planStart + planLength);
    if (FEditType == etString || FEditType == etUppercase || FEditType == etMixedCase
        || FEditType == etLowerCase || FEditType == etPassword)
        SetModified(true);
    if (TabOnFullLength && LengthLimit > 0 && static_cast<int>(GetText().size()) == LengthLimit && OnSelectNext)
        OnSelectNext();
}
