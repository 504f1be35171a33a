#include "components/controls/VodurizModel.h"

#include <algorithm>
#include <cmath>

#include "components/controls/VodurizNumbers.h"
#include "platform/core/Format.h"
#include "platform/core/FormatSettings.h"
#include "platform/core/IntConvert.h"
#include "platform/core/StringUtils.h"

namespace {
bool IsDecimalType(TVodUrizType t) { return t == etFloat || t == etMoney; }
bool IsNumberType(TVodUrizType t) { return t == etNumeric || t == etFloat || t == etMoney || t == etHex; }
}

TVodUrizModel::TVodUrizModel() = default;

// ---------------------------------------------------------------- text model

void TVodUrizModel::SetWindowText(const AnsiString& Text)
{
    if (Text == FWindowText)
        return;
    FWindowText = Text;
    const int len = static_cast<int>(FWindowText.size());
    FSelStart = std::min(FSelStart, len);
    FSelLength = std::min(FSelLength, len - FSelStart);
    FCaret = std::min(FCaret, len);
    Changed();
}

void TVodUrizModel::Changed()
{
    if (FSkipNextChange) {
        // The regrouping write of AutoSeparators: the typed change was reported already.
        FSkipNextChange = false;
        return;
    }
    if (ShowURL) {
        const bool url = TestURL();
        if (url && !FURLShown)
            ApplyURL(true);
        else if (!url && FURLShown)
            ApplyURL(false);
    }
    if (OnChange)
        OnChange();
    if (!Loading && ShowError)
        SetError(!DoValidate(GetText()));
}

void TVodUrizModel::SetSelStart(int v)
{
    FSelStart = std::clamp(v, 0, static_cast<int>(FWindowText.size()));
    FSelLength = 0;
    FCaret = FSelStart;
}

void TVodUrizModel::SetSelLength(int v)
{
    FSelLength = std::clamp(v, 0, static_cast<int>(FWindowText.size()) - FSelStart);
    FCaret = FSelStart + FSelLength;
}

void TVodUrizModel::SetSelection(int Anchor, int Caret)
{
    const int len = static_cast<int>(FWindowText.size());
    Anchor = std::clamp(Anchor, 0, len);
    Caret = std::clamp(Caret, 0, len);
    FSelStart = std::min(Anchor, Caret);
    FSelLength = std::abs(Caret - Anchor);
    FCaret = Caret;
}

AnsiString TVodUrizModel::GetText() const
{
    AnsiString s = FWindowText;
    if (!FPrefix.empty() && s.compare(0, FPrefix.size(), FPrefix) == 0)
        s.erase(0, FPrefix.size());
    // Only a suffix that is still there is removed: an edited-away suffix must not eat digits.
    if (!FSuffix.empty() && s.size() >= FSuffix.size()
        && s.compare(s.size() - FSuffix.size(), FSuffix.size(), FSuffix) == 0)
        s.erase(s.size() - FSuffix.size());
    return s;
}

void TVodUrizModel::SetText(const AnsiString& Value)
{
    AnsiString s = Value;
    if (s.empty() && IsNumberType(FEditType))
        s = "0";
    if (FPrecision > 0 && !s.empty()) {
        if (FEditType == etMoney)
            s = FormatDecimals(EStrToFloat(s), FPrecision, 'n');
        else if (FEditType == etFloat)
            s = FormatDecimals(EStrToFloat(s), FPrecision, 'f');
    }
    if (FEditType == etHex)
        s = UpperCase(s);
    SetWindowText(FPrefix + s + FSuffix);
    SetModified(false);
    if (ShowURL)
        ApplyURL(TestURL());
}

void TVodUrizModel::WriteValue(const AnsiString& Value) { SetWindowText(FPrefix + Value + FSuffix); }

void TVodUrizModel::SetPrefix(const AnsiString& v)
{
    if (v == FPrefix)
        return;
    const AnsiString value = GetText();
    FPrefix = v;
    SetWindowText(value);
    SetText(value);
}

void TVodUrizModel::SetSuffix(const AnsiString& v)
{
    if (v == FSuffix)
        return;
    const AnsiString value = GetText();
    FSuffix = v;
    SetWindowText(value);
    SetText(value);
}

int TVodUrizModel::DecimalPos() const
{
    const AnsiString v = GetText();
    const size_t p = v.find(FormatSettings.DecimalSeparator);
    if (p == AnsiString::npos)
        return static_cast<int>(v.size() + FPrefix.size() + FSuffix.size()) + 1;
    return static_cast<int>(p) + 1 + static_cast<int>(FPrefix.size());
}

void TVodUrizModel::SetEditType(TVodUrizType t)
{
    if (t == FEditType)
        return;
    FEditType = t;
    if (t == etPassword) {
        FPasswordChar = '*';
        FCanUndo = false;
    } else {
        FPasswordChar = 0;
    }
    const int cls = NumberClass(GetText());
    if (t == etNumeric && cls != ncInteger)
        SetInt(0);
    else if (IsDecimalType(t) && cls > ncFloat)
        SetFloat(0);
    else if (t == etHex && cls != ncInteger && cls != ncHex)
        SetInt(0);
    if (Designing && t == etFloat && FPrecision == 0)
        SetPrecision(2);
}

void TVodUrizModel::SetPrecision(int p)
{
    if (p == FPrecision || !(FEditType == etString || FEditType == etFloat || FEditType == etMoney))
        return;
    FPrecision = p;
    if (NumberClass(GetText()) > ncFloat)
        SetFloat(0);
    else
        SetFloat(GetFloat());
}

void TVodUrizModel::SetAutoThousandSeparator(bool v)
{
    FAutoThousandSeparator = v;
    if (IsDecimalType(FEditType))
        AutoSeparators();
}

// ---------------------------------------------------------------- typed access

double TVodUrizModel::GetFloat() const
{
    AnsiString v = GetText();
    switch (FEditType) {
    case etString:
        return ValFloat(v);
    case etNumeric:
    case etFloat:
        return v.empty() || v == "-" ? 0 : EStrToFloat(v);
    case etMoney:
        v = WithoutThousands(v);
        if (!v.empty() && v.back() == FormatSettings.DecimalSeparator)
            v.pop_back();
        return v.empty() || v == "-" ? 0 : EStrToFloat(v);
    case etHex:
        return v.empty() ? 0 : HexValue(v);
    default:
        return 0;
    }
}

std::int32_t TVodUrizModel::GetInt() const
{
    const AnsiString v = GetText();
    switch (FEditType) {
    case etNumeric:
    case etFloat:
        return ValInt(v);
    case etMoney:
        return ValInt(WithoutThousands(v));
    case etHex:
        return v.empty() ? 0 : HexValue(v);
    default:
        return 0;
    }
}

void TVodUrizModel::SetFloat(double x)
{
    switch (FEditType) {
    case etString:
    case etFloat:
    case etNumeric:
    case etMoney:
        // Plain digits for the numeric type too, so GetInt reads back what was set.
        SetText(FPrecision < 0 ? Format("%g", {x}) : FormatDecimals(x, FPrecision, 'f'));
        if (FEditType == etMoney)
            AutoSeparators();
        break;
    case etHex:
        SetText(IntToHex(static_cast<int>(std::trunc(x)), 0));
        break;
    default:
        break;
    }
    SetModified(true);
}

void TVodUrizModel::SetInt(std::int32_t n)
{
    switch (FEditType) {
    case etNumeric:
    case etFloat:
    case etMoney:
        SetText(IntToStr(static_cast<int>(n)));
        if (FEditType == etMoney)
            AutoSeparators();
        break;
    case etHex:
        SetText(IntToHex(static_cast<int>(n), 0));
        break;
    default:
        break;
    }
    SetModified(true);
}

void TVodUrizModel::AutoSeparators()
{
    AnsiString v = GetText();
    if (v.empty())
        return;
    const int oldLen = static_cast<int>(v.size());
    const int caret = FSelStart;
    AnsiString sign;
    if (v[0] == '-') {
        sign = "-";
        v.erase(0, 1);
    }
    AnsiString frac;
    const size_t dp = v.find(FormatSettings.DecimalSeparator);
    if (dp != AnsiString::npos)
        frac = v.substr(dp);
    const double whole = std::trunc(std::fabs(GetFloat()));
    AnsiString intPart = Format(FAutoThousandSeparator ? "%n" : "%f", {whole});
    const size_t ip = intPart.find(FormatSettings.DecimalSeparator);
    if (ip != AnsiString::npos)
        intPart.erase(ip);
    const AnsiString wrapped = FPrefix + sign + intPart + frac + FSuffix;
    // Only a write that really changes the window text raises a change to swallow.
    FSkipNextChange = wrapped != FWindowText;
    SetWindowText(wrapped);
    const int newLen = static_cast<int>(GetText().size());
    SetSelStart(caret + newLen - oldLen);
}

bool TVodUrizModel::TestURL() const
{
    const AnsiString v = GetText();
    if (Pos("://", v) > 0)
        return true;
    const size_t at = v.find('@');
    if (at != AnsiString::npos && v.find('@', 1) != AnsiString::npos)
        return true;
    return LowerCase(v).compare(0, 4, "www.") == 0;
}

void TVodUrizModel::ApplyURL(bool On)
{
    FURLShown = On;
    FFontColor = On ? URLColor : FNormalFontColor;
    ColoursChanged();
}

// ---------------------------------------------------------------- modified, error, colours

void TVodUrizModel::SetModified(bool m)
{
    if (Loading || ReadOnly)
        return;
    if (ShowModified) {
        FFontColor = m ? ModifiedColor : FNormalFontColor;
        ColoursChanged();
    }
    FEditModified = m;
    FModifiedState = m;
}

bool TVodUrizModel::DoValidate(const AnsiString& Value)
{
    if (FInValidation)
        return true;
    FInValidation = true;
    bool valid = true;
    if (OnValueValidate)
        OnValueValidate(Sender, Value, valid);
    FInValidation = false;
    return valid;
}

void TVodUrizModel::SetError(bool e)
{
    if (Designing || Loading || e == FErrorState)
        return;
    FErrorState = e;
    if (!ShowError)
        return;
    if (e) {
        FColor = ErrorColor;
        FFontColor = ErrorFontColor;
    } else if (FFocused) {
        // Without focus colours the normal ones come back: a valid value never stays red.
        FColor = FocusColor != clNone ? FocusColor : FNormalColor;
        FFontColor = FocusFontColor != clNone ? FocusFontColor : FNormalFontColor;
    } else {
        FColor = FNormalColor;
        FFontColor = FNormalFontColor;
    }
    ColoursChanged();
}

void TVodUrizModel::SetColorEx(TColor c)
{
    FColor = c;
    FNormalColor = c;
    ColoursChanged();
}

void TVodUrizModel::SetFontColor(TColor c)
{
    if (c == FFontColor)
        return;
    FFontColor = c;
    ColoursChanged();
}

void TVodUrizModel::SetEnabledEx(bool e)
{
    const bool was = FEnabled;
    FEnabled = e;
    if (Loading || Designing || e == was)
        return;
    if (e) {
        FColor = FNormalColor;
    } else {
        FNormalColor = FColor;
        FColor = DisabledColor;
    }
    ColoursChanged();
}

void TVodUrizModel::Init()
{
    TakeNormalColours();
    ShowDisabledColour();
}

void TVodUrizModel::TakeNormalColours()
{
    FNormalColor = FColor;
    FNormalFontColor = FFontColor;
}

void TVodUrizModel::ShowDisabledColour()
{
    if (!FEnabled) {
        FColor = DisabledColor;
        ColoursChanged();
    }
}

void TVodUrizModel::ColoursChanged()
{
    if (OnLookAndFeel)
        OnLookAndFeel();
}

// ---------------------------------------------------------------- focus

void TVodUrizModel::FocusGained()
{
    if (Loading)
        return;
    FFocused = true;
    FFocusText = GetText();
    if (FocusColor != clNone)
        FColor = FocusColor;
    if (!((FErrorState && ShowError) || ShowModified)) {
        if (FNormalFontColor != FFontColor)
            FNormalFontColor = FFontColor;
        if (!(TestURL() && ShowURL) && FocusFontColor != clNone)
            FFontColor = FocusFontColor;
    }
    ColoursChanged();
    if (AutoSelect)
        SelectAll();
    else if (IsDecimalType(FEditType))
        SelectBeforeDecimal();
}

bool TVodUrizModel::FocusLost()
{
    if (Loading)
        return true;
    FFocused = false;
    // Only a shown error keeps its colour; a silent error state must not keep the focus colour.
    if (!(FErrorState && ShowError))
        FColor = FNormalColor;
    if (!((FErrorState && ShowError) || ShowModified || (TestURL() && ShowURL)))
        FFontColor = FNormalFontColor;
    ColoursChanged();
    if (IsDecimalType(FEditType) && GetText().empty())
        SetFloat(0);
    if (FPrecision > 0 && IsDecimalType(FEditType)) {
        const bool modified = FModifiedState;
        SetFloat(GetFloat());
        SetModified(modified);
    }
    if (FEditType == etNumeric && GetText().empty())
        SetText("0");
    return DoValidate(GetText());
}

// ---------------------------------------------------------------- selection

void TVodUrizModel::SelectAll()
{
    const AnsiString v = GetText();
    int start = static_cast<int>(FPrefix.size());
    if (ShowURL) {
        int p = Pos("://", v);
        if (p > 0)
            start += p + 2;
        p = Pos("mailto:", v);
        if (p > 0)
            start = static_cast<int>(FPrefix.size()) + p + 6;
    }
    const int end = std::min(start + static_cast<int>(v.size()), static_cast<int>(FWindowText.size()));
    SetSelection(start, std::max(start, end));
}

void TVodUrizModel::SelectBeforeDecimal()
{
    const size_t p = GetText().find(FormatSettings.DecimalSeparator);
    SetSelStart(static_cast<int>(FPrefix.size()) + (p == AnsiString::npos ? 0 : static_cast<int>(p)));
}

void TVodUrizModel::SelectAfterDecimal()
{
    const size_t p = GetText().find(FormatSettings.DecimalSeparator);
    SetSelStart(static_cast<int>(FPrefix.size()) + (p == AnsiString::npos ? 0 : static_cast<int>(p) + 1));
}
