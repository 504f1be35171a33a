#include "components/controls/Owedit.h"

#include <algorithm>

#include "platform/core/Events.h"
#include "platform/core/Exceptions.h"
#include "platform/core/FloatConvert.h"
#include "platform/core/FormatSettings.h"
#include "platform/core/StringUtils.h"
#include "platform/forms/Clipboard.h"
#include "platform/forms/VirtualKeys.h"

TOwCustomEdit::TOwCustomEdit(TComponent* AOwner) : TCustomEdit(AOwner)
{
    FControlStyle &= ~csSetCaption;
    SetColor(clBlack);
    Font()->SetColor(clLime);
}

void TOwCustomEdit::CMMouseEnter()
{
    TCustomEdit::CMMouseEnter();
    FireEvent(OnMouseEnter, this);
}

void TOwCustomEdit::CMMouseLeave()
{
    TCustomEdit::CMMouseLeave();
    FireEvent(OnMouseLeave, this);
}

void TOwCustomEdit::DoEnter()
{
    TCustomEdit::DoEnter();
    if (AutoSelect() && !(ControlState() & csLButtonDown))
        SelectAll();
}

void TOwStrEdit::SetValidKeys(const AnsiString& v)
{
    FValidKeys = v;
    if (!ComponentStateHas(csLoading) && !ComponentStateHas(csDesigning))
        SetText("");
}

void TOwStrEdit::KeyPress(char& Key)
{
    if (!FValidKeys.empty() && Key != 8 && FValidKeys.find(Key) == AnsiString::npos)
        Key = 0;
    TOwCustomEdit::KeyPress(Key);
}

void TOwNumEdit::SetMinValue(double v)
{
    if (v == FMinValue || v >= FMaxValue)
        return;
    FMinValue = v;
    Validate();
}

void TOwNumEdit::SetMaxValue(double v)
{
    if (v == FMaxValue || v <= FMinValue)
        return;
    FMaxValue = v;
    Validate();
}

void TOwNumEdit::SetDecimals(int v)
{
    if (v == FDecimals)
        return;
    FDecimals = v;
    Validate();
}

double TOwNumEdit::Value() const { return Text().empty() ? FMinValue : StrToFloat(Text()); }

void TOwNumEdit::SetValue(double v)
{
    SetText(FloatToStr(v));
    Validate();
}

void TOwNumEdit::Validate()
{
    if (Trim(Text()).empty())
        return;
    double v = 0;
    bool ok = true;
    try {
        v = StrToFloat(Text());
    } catch (const EConvertError&) {
        ok = false;
    }
    if (!ok || v < FMinValue || v > FMaxValue) {
        bool canExit = true;
        if (OnError) {
            OnError(this, canExit);
            if (!canExit && CanFocus())
                SetFocus();
        }
        return;
    }
    SetText(FloatToStrF(v, ffFixed, 18, FDecimals));
}

void TOwNumEdit::DoEnter()
{
    TOwCustomEdit::DoEnter();
    FSaved = Text();
}

void TOwNumEdit::DoExit()
{
    TOwCustomEdit::DoExit();
    Validate();
}

bool TOwNumEdit::Acceptable(const AnsiString& S) const
{
    const char dec = FormatSettings.DecimalSeparator;
    bool seenDec = false;
    for (size_t i = 0; i < S.size(); ++i) {
        const char c = S[i];
        if (c == '-' && i == 0)
            continue;
        if (c == dec && FDecimals > 0 && !seenDec) {
            seenDec = true;
            continue;
        }
        if (c < '0' || c > '9')
            return false;
    }
    return true;
}

void TOwNumEdit::PasteFromClipboard()
{
    // A paste is held to what the keys could type: digits, one separator when decimals are
    // kept, and a leading sign.
    const AnsiString clip = Clipboard()->AsText();
    AnsiString t = Text();
    const size_t at = std::min(size_t(std::max(0, SelStart())), t.size());
    t.replace(at, std::min(size_t(std::max(0, SelLength())), t.size() - at), clip);
    if (!clip.empty() && !ReadOnly() && Acceptable(t))
        TOwCustomEdit::PasteFromClipboard();
}

bool TOwNumEdit::WantsKey(Word Key, TShiftState Shift) const
{
    if (Key == VK_ESCAPE && RestoreOnEsc)
        return true;
    return TOwCustomEdit::WantsKey(Key, Shift);
}

void TOwNumEdit::KeyPress(char& Key)
{
    const char dec = FormatSettings.DecimalSeparator;
    if (Key == 27 && RestoreOnEsc) {
        SetText(FSaved);
        Key = 0;
    }
    if (Key != 8 && Key != '-' && !(Key >= '0' && Key <= '9') && Key != dec)
        Key = 0;
    if (Key == '-') {
        AnsiString t = Text();
        int p = SelStart();
        // Only a leading sign is the sign: a "-" elsewhere (pasted or set) is no reason to
        // delete a digit.
        if (!t.empty() && t[0] == '-') {
            t.erase(0, 1);
            p = std::max(0, p - 1);
        } else {
            t.insert(0, 1, '-');
            ++p;
        }
        SetText(t);
        Key = 0;
        SetSelStart(p);
    }
    if (Key == dec && (FDecimals == 0 || Text().find(dec) != AnsiString::npos))
        Key = 0;
    TOwCustomEdit::KeyPress(Key);
}
