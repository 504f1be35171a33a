#include "components/grid/Ragspin.h"

#include <algorithm>
#include <cmath>

#include "platform/core/FloatConvert.h"
#include "platform/core/FormatSettings.h"
#include "platform/core/IntConvert.h"
#include "platform/forms/Timer.h"
#include "platform/graphics/Canvas.h"
#include "platform/win/Beep.h"

namespace {

// The default arrows: a black triangle 7 wide and 4 high on olive, 9 x 6.
void LoadSpinGlyph(TBitmap* B, bool Up)
{
    B->SetSize(9, 6);
    TCanvas* c = B->Canvas();
    c->Brush()->SetColor(clOlive);
    c->FillRect(TRect(0, 0, 9, 6));
    for (int row = 0; row < 4; ++row) {
        const int half = Up ? row : 3 - row;
        for (int x = 4 - half; x <= 4 + half; ++x)
            c->SetPixels(x, 1 + row, clBlack);
    }
}

} // namespace

// ---------------------------------------------------------------- repeating button

TRavTimerSpeedButton::TRavTimerSpeedButton(TComponent* AOwner) : TSpeedButton(AOwner) {}

void TRavTimerSpeedButton::SetButtonDirection(TButtonDirection v)
{
    FDirection = v;
    Invalidate();
}

void TRavTimerSpeedButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TSpeedButton::MouseDown(Button, Shift, X, Y);
    if (FTimeBtnState & tbAllowTimer) {
        if (!FRepeatTimer) {
            FRepeatTimer = new TTimer(this);
            FRepeatTimer->OnTimer = [this](TObject*) { TimerExpired(); };
        }
        FRepeatTimer->SetInterval(400);
        FRepeatTimer->SetEnabled(true);
    }
    if (Parent())
        Parent()->Invalidate();
}

void TRavTimerSpeedButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TSpeedButton::MouseUp(Button, Shift, X, Y);
    if (FRepeatTimer)
        FRepeatTimer->SetEnabled(false);
    if (Parent())
        Parent()->Invalidate();
}

void TRavTimerSpeedButton::TimerExpired()
{
    FRepeatTimer->SetInterval(100);
    if (FPressed && MouseCapture()) {
        try {
            Click();
        } catch (...) {
            FRepeatTimer->SetEnabled(false);
            throw;
        }
    }
}

void TRavTimerSpeedButton::Paint()
{
    if (FDirection == bdUp || FDirection == bdDown || FIsWinXP) {
        TSpeedButton::Paint();
        return;
    }
    // Left and right: a scroll-arrow face.
    TCanvas* c = Canvas();
    TRect r = ClientRect();
    c->Brush()->SetColor(clBtnFace);
    c->FillRect(r);
    c->DrawEdge(r, FPressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
    const int cx = Width() / 2 + (FPressed ? 1 : 0), cy = Height() / 2 + (FPressed ? 1 : 0);
    const int d = FDirection == bdLeft ? -1 : 1;
    c->Brush()->SetColor(clBlack);
    c->Pen()->SetColor(clBlack);
    c->Polygon({TPoint(cx + 2 * d, cy), TPoint(cx - 2 * d, cy - 4), TPoint(cx - 2 * d, cy + 4)});
}

// ---------------------------------------------------------------- button pair

TRagSpinButton::TRagSpinButton(TComponent* AOwner) : TWinControl(AOwner)
{
    FControlStyle = (FControlStyle & ~(csAcceptsControls | csSetCaption)) | csFramed | csOpaque;
    FUpButton = CreateButton();
    FDownButton = CreateButton();
    SetUpGlyph(nullptr);
    SetDownGlyph(nullptr);
    FUpButton->SetButtonDirection(bdUp);
    FDownButton->SetButtonDirection(bdDown);
    FTabStop = false;
    SetBounds(0, 0, 15, 25);
    FFocusedButton = FUpButton;
}

TRavTimerSpeedButton* TRagSpinButton::CreateButton()
{
    auto* b = new TRavTimerSpeedButton(this);
    b->OnClick = [this](TObject* s) { BtnClick(s); };
    b->OnMouseDown = [this](TObject* s, TMouseButton btn, TShiftState, int, int) { BtnMouseDown(s, btn); };
    b->SetVisible(true);
    b->SetEnabled(true);
    b->SetTimeBtnState(tbAllowTimer);
    b->SetParent(this);
    return b;
}

void TRagSpinButton::SetUpGlyph(TBitmap* Value)
{
    if (Value)
        FUpButton->SetGlyph(Value);
    else {
        TBitmap b;
        LoadSpinGlyph(&b, true);
        FUpButton->SetGlyph(&b);
        FUpButton->SetNumGlyphs(1);
        FUpButton->Invalidate();
    }
}

void TRagSpinButton::SetDownGlyph(TBitmap* Value)
{
    if (Value)
        FDownButton->SetGlyph(Value);
    else {
        TBitmap b;
        LoadSpinGlyph(&b, false);
        FDownButton->SetGlyph(&b);
        FDownButton->SetNumGlyphs(1);
        FDownButton->Invalidate();
    }
}

void TRagSpinButton::SetDirection(TSpinDirection Value)
{
    if (Value == FDirection)
        return;
    FDirection = Value;
    if (Value == spHorizontal) {
        SetWidth(20);
        FUpButton->SetButtonDirection(bdRight);
        FDownButton->SetButtonDirection(bdLeft);
    } else {
        SetWidth(15);
        FUpButton->SetButtonDirection(bdUp);
        FDownButton->SetButtonDirection(bdDown);
    }
    int w = Width(), h = Height();
    FitButtons(w, h);
}

void TRagSpinButton::SetButtonsTransparent(bool v)
{
    FUpButton->SetTransparent(v);
    FDownButton->SetTransparent(v);
    FControlStyle = v ? FControlStyle & ~csOpaque : FControlStyle | csOpaque;
    Invalidate();
}

void TRagSpinButton::SetFocusControl(TWinControl* Value)
{
    if (FFocusControl)
        FFocusControl->RemoveFreeNotification(this);
    FFocusControl = Value;
    if (Value)
        Value->FreeNotification(this);
}

void TRagSpinButton::Notification(TComponent* AComponent, TOperation Operation)
{
    TWinControl::Notification(AComponent, Operation);
    if (Operation == TOperation::opRemove && AComponent == FFocusControl)
        FFocusControl = nullptr;
}

void TRagSpinButton::SetIsWinXP(bool Value)
{
    FIsWinXP = Value;
    FUpButton->SetIsWinXP(Value);
    FDownButton->SetIsWinXP(Value);
}

void TRagSpinButton::FitButtons(int& W, int& H)
{
    if (!FUpButton || !FDownButton)
        return;
    if (FDirection == spVertical) {
        W = std::max(W, 15);
        const int uh = H / 2;
        FUpButton->SetBounds(0, 0, W, uh);
        FDownButton->SetBounds(0, uh - 1, W, H - uh + 1);
    } else {
        W = std::max(W, 20);
        FDownButton->SetBounds(0, 0, W / 2, H);
        FUpButton->SetBounds(W / 2 + 1, 0, W / 2, H);
    }
}

void TRagSpinButton::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    FitButtons(AWidth, AHeight);
    TWinControl::SetBounds(ALeft, ATop, AWidth, AHeight);
}

void TRagSpinButton::BtnClick(TObject* Sender)
{
    if (Sender == FUpButton) {
        if (OnUpClick)
            OnUpClick(this);
    } else if (OnDownClick)
        OnDownClick(this);
}

void TRagSpinButton::SetFocusBtn(TRavTimerSpeedButton* Btn)
{
    if (!FTabStop || !CanFocus() || Btn == FFocusedButton)
        return;
    FFocusedButton->SetTimeBtnState(FFocusedButton->TimeBtnState() & ~tbFocusRect);
    FFocusedButton = Btn;
    if (Focused()) {
        FFocusedButton->SetTimeBtnState(FFocusedButton->TimeBtnState() | tbFocusRect);
        Invalidate();
    }
}

void TRagSpinButton::BtnMouseDown(TObject* Sender, TMouseButton Button)
{
    if (Button != mbLeft)
        return;
    SetFocusBtn(static_cast<TRavTimerSpeedButton*>(Sender));
    if (FFocusControl && FFocusControl->TabStop() && FFocusControl->CanFocus() && !FFocusControl->Focused())
        FFocusControl->SetFocus();
    else if (FTabStop && !Focused() && CanFocus())
        SetFocus();
}

bool TRagSpinButton::WantsKey(Word Key, TShiftState Shift) const
{
    return Key == VK_UP || Key == VK_DOWN || Key == VK_LEFT || Key == VK_RIGHT || TWinControl::WantsKey(Key, Shift);
}

void TRagSpinButton::KeyDown(Word& Key, TShiftState Shift)
{
    TWinControl::KeyDown(Key, Shift);
    if (Key == VK_SPACE)
        FFocusedButton->Click();
    else if (Key == VK_UP) {
        SetFocusBtn(FUpButton);
        FUpButton->Click();
    } else if (Key == VK_DOWN) {
        SetFocusBtn(FDownButton);
        FDownButton->Click();
    }
}

void TRagSpinButton::DoEnter()
{
    FFocusedButton->SetTimeBtnState(FFocusedButton->TimeBtnState() | tbFocusRect);
    FFocusedButton->Invalidate();
    TWinControl::DoEnter();
}

void TRagSpinButton::DoExit()
{
    FFocusedButton->SetTimeBtnState(FFocusedButton->TimeBtnState() & ~tbFocusRect);
    FFocusedButton->Invalidate();
    TWinControl::DoExit();
}

// ---------------------------------------------------------------- spin edit

TRagSpinEdit::TRagSpinEdit(TComponent* AOwner) : TCustomEdit(AOwner)
{
    FButton = new TRagSpinButton(this);
    FButton->SetBounds(0, 0, 15, 17);
    FButton->SetVisible(true);
    FButton->SetParent(this);
    FButton->SetFocusControl(this);
    FButton->OnUpClick = [this](TObject* s) { UpClick(s); };
    FButton->OnDownClick = [this](TObject* s) { DownClick(s); };
    SetText("0");
    FControlStyle &= ~csSetCaption;
    BoundsChanged();
}

int TRagSpinEdit::CheckValue(int v) const
{
    if (FMinValue == FMaxValue)
        return v;
    return std::clamp(v, FMinValue, std::max(FMinValue, FMaxValue));
}

double TRagSpinEdit::CheckFloatValue(double v) const
{
    if (FMinFloatValue == FMaxFloatValue)
        return v;
    if (v < FMinFloatValue)
        return FMinFloatValue;
    return v > FMaxFloatValue ? FMaxFloatValue : v;
}

TDateTime TRagSpinEdit::CheckDateValue(TDateTime v) const
{
    if (FMinDateValue == FMaxDateValue)
        return v;
    if (v < FMinDateValue)
        return FMinDateValue;
    return v > FMaxDateValue ? FMaxDateValue : v;
}

int TRagSpinEdit::Value() const
{
    int v = 0;
    return TryStrToInt(Text(), v) ? v : FMinValue;
}

void TRagSpinEdit::SetValue(int v)
{
    SetText(IntToStr(CheckValue(v)));
    if (!FEditorEnabled)
        SelectAll();
}

double TRagSpinEdit::FloatValue() const
{
    double v = 0;
    return TryStrToFloat(Text(), v) ? v : FMinFloatValue;
}

void TRagSpinEdit::SetFloatValue(double v)
{
    v = CheckFloatValue(v);
    SetText(FPrecision == 0 ? FloatToStr(v) : FloatToStrF(v, ffFixed, 15, FPrecision));
}

TDateTime TRagSpinEdit::DateValue() const
{
    if (Text().empty() || Text() == "0")
        return Now();
    TDateTime d = 0;
    return TryStrToDate(Text(), d) ? d : FMinDateValue;
}

void TRagSpinEdit::SetDateValue(TDateTime v)
{
    FStoredDate = v;
    if (ComponentStateHas(csLoading))
        return;
    FStoredDate = CheckDateValue(v);
    const int pos = SelStart();
    SetText(DateToStr(FStoredDate));
    SetSelStart(pos);
}

TDateTime TRagSpinEdit::TimeValue() const
{
    TDateTime t = 0;
    return TryStrToTime(Text(), t) ? t : 0;
}

void TRagSpinEdit::SetTimeValue(TDateTime v)
{
    FStoredTime = v;
    if (ComponentStateHas(csLoading))
        return;
    const int pos = SelStart();
    SetText(TimeToStr(v));
    SetSelStart(pos);
}

void TRagSpinEdit::SetSpinType(TRagSpinType v)
{
    FSpinType = v;
    switch (v) {
    case sptNormal: SetValue(Value()); break;
    case sptFloat: SetFloatValue(FloatValue()); break;
    case sptDate: SetDateValue(DateValue()); break;
    case sptTime: SetTimeValue(TimeValue()); break;
    }
}

void TRagSpinEdit::SetPrecision(int v)
{
    FPrecision = v;
    if (FSpinType == sptFloat)
        SetFloatValue(FloatValue());
}

void TRagSpinEdit::SetDirection(TSpinDirection v)
{
    if (v == FDirection)
        return;
    FDirection = v;
    FButton->SetDirection(v);
    BoundsChanged();
}

void TRagSpinEdit::SetSpinFlat(bool v)
{
    FSpinFlat = v;
    FButton->UpButton()->SetFlat(v);
    FButton->DownButton()->SetFlat(v);
}

void TRagSpinEdit::SetSpinTransparent(bool v)
{
    FSpinTransparent = v;
    FButton->SetButtonsTransparent(v);
    // A width change and back lays the buttons out and repaints what shows through them.
    SetWidth(Width() + 1);
    SetWidth(Width() - 1);
}

void TRagSpinEdit::SetIsWinXP(bool v)
{
    FIsWinXP = v;
    FButton->SetIsWinXP(v);
}

void TRagSpinEdit::BoundsChanged()
{
    TCustomEdit::BoundsChanged();
    if (!FButton)
        return;
    const int d = FBorderStyle == bsNone ? 1 : 5;
    if (FCtl3D)
        FButton->SetBounds(Width() - FButton->Width() - d + (FBorderStyle == bsNone ? 1 : 0), 0, FButton->Width(),
                           std::max(1, Height() - (FBorderStyle == bsNone ? 0 : d)));
    else
        FButton->SetBounds(Width() - FButton->Width(), 1, FButton->Width(), std::max(1, Height() - 3));
    SetTextMargins(FBorderStyle == bsNone ? 1 : 0, FButton->Width() + 2);
}

void TRagSpinEdit::UpClick(TObject*) { Step(1); }

void TRagSpinEdit::DownClick(TObject*) { Step(-1); }

// One step up (+1) or down (-1); dates and times step the field under the caret.
void TRagSpinEdit::Step(int Dir)
{
    if (ReadOnly()) {
        MessageBeep(0);
        return;
    }
    switch (FSpinType) {
    case sptNormal: SetValue(Value() + Dir * FIncrement); return;
    case sptFloat: SetFloatValue(FloatValue() + Dir * FIncrementFloat); return;
    case sptDate:
    case sptTime: break;
    }
    const AnsiString t = Text();
    const char sep = FSpinType == sptDate ? FormatSettings.DateSeparator : FormatSettings.TimeSeparator;
    const auto a = t.find(sep);
    const auto b = a == AnsiString::npos ? AnsiString::npos : t.find(sep, a + 1);
    const int p1 = a == AnsiString::npos ? 0 : int(a) + 1;
    const int p2 = b == AnsiString::npos ? 0 : int(b) + 1;
    const int ss = SelStart();
    const int field = ss < p1 ? 0 : ss < p2 ? 1 : 2;
    if (FSpinType == sptDate) {
        TDateTime d = DateValue();
        if (field == 0)
            d += Dir;
        else if (field == 1)
            d = IncMonth(d, Dir);
        else {
            Word y, m, dd;
            DecodeDate(d, y, m, dd);
            // 29 February of a leap year steps to 28 February.
            const Word ny = Word(y + Dir);
            if (m == 2 && dd == 29 && !IsLeapYear(ny))
                dd = 28;
            d = EncodeDate(ny, m, dd) + (d - std::floor(d));
        }
        SetDateValue(d);
        return;
    }
    const TDateTime step = field == 0 ? EncodeTime(1, 0, 0, 0) : field == 1 ? EncodeTime(0, 1, 0, 0)
                                                                            : EncodeTime(0, 0, 1, 0);
    if (Dir > 0)
        SetTimeValue(TimeValue() + step);
    else {
        TDateTime v = TimeValue() + 1.0 - step;
        if (v > 1.0)
            v -= 1.0;
        SetTimeValue(v);
    }
}

bool TRagSpinEdit::IsValidChar(char& Key)
{
    const TFormatSettings& fs = FormatSettings;
    const unsigned char k = static_cast<unsigned char>(Key);
    bool result = Key == '+' || Key == '-' || (Key >= '0' && Key <= '9') || Key == fs.DecimalSeparator ||
                  Key == fs.ThousandSeparator || Key == fs.DateSeparator || Key == fs.TimeSeparator ||
                  (k < 32 && Key != '\r');
    if (Key == fs.TimeSeparator && FSpinType != sptTime)
        result = false;
    if (Key == fs.DateSeparator && FSpinType != sptDate)
        result = false;
    const AnsiString t = Text();
    if (result && FSpinType == sptFloat && Key != 8 && Key != '\r' && Key != 27) {
        if (Key == fs.ThousandSeparator)
            Key = fs.DecimalSeparator;
        const auto p = t.find(fs.DecimalSeparator);
        if (Key == fs.DecimalSeparator && p != AnsiString::npos)
            result = false;
        else if (FPrecision > 0 && p != AnsiString::npos) {
            const int pos = int(p) + 1;
            if (SelStart() >= pos && SelLength() == 0 && int(t.size()) >= pos + FPrecision)
                result = false;
        }
    }
    if (result && FSpinType == sptTime && Key == fs.TimeSeparator) {
        AnsiString copy = t;
        const auto p = copy.find(fs.TimeSeparator);
        if (p != AnsiString::npos) {
            copy.erase(p, 1);
            if (copy.find(fs.TimeSeparator) != AnsiString::npos)
                result = false;
        }
    }
    if (result && !FEditorEnabled && (k >= 32 || Key == 8))
        result = false;
    return result;
}

bool TRagSpinEdit::WantsKey(Word Key, TShiftState Shift) const
{
    if (Key == VK_RETURN && FReturnIsTab)
        return true;
    return TCustomEdit::WantsKey(Key, Shift);
}

bool TRagSpinEdit::StepKey(Word Key)
{
    if (Key == VK_UP)
        UpClick(this);
    else if (Key == VK_DOWN)
        DownClick(this);
    else
        return false;
    return true;
}

void TRagSpinEdit::KeyDown(Word& Key, TShiftState Shift)
{
    // The vertical arrows step the value and reach no key-down handler.
    if (StepKey(Key)) {
        Key = 0;
        return;
    }
    if (Key == VK_RETURN && FReturnIsTab) {
        Key = VK_TAB;
        if (auto* p = Parent())
            p->SelectNext(this, !(Shift & ssShift), true);
    }
    if (Key == VK_DELETE && !FEditorEnabled)
        Key = 0;
    const bool ctrl = Shift & ssCtrl, shift = Shift & ssShift;
    if ((!FEditorEnabled || ReadOnly()) &&
        ((ctrl && (Key == 'V' || Key == 'X')) || (shift && (Key == VK_INSERT || Key == VK_DELETE))))
        Key = 0;
    TCustomEdit::KeyDown(Key, Shift);
}

void TRagSpinEdit::KeyPress(char& Key)
{
    if (!IsValidChar(Key)) {
        Key = 0;
        MessageBeep(0);
    }
    if (Key)
        TCustomEdit::KeyPress(Key);
}

void TRagSpinEdit::PasteFromClipboard()
{
    if (FEditorEnabled && !ReadOnly())
        TCustomEdit::PasteFromClipboard();
}

void TRagSpinEdit::CutToClipboard()
{
    if (FEditorEnabled && !ReadOnly())
        TCustomEdit::CutToClipboard();
}

void TRagSpinEdit::DoEnter()
{
    if (AutoSelect() && (!(KeyboardShiftState() & ssLeft) || !FEditorEnabled))
        SelectAll();
    TCustomEdit::DoEnter();
}

void TRagSpinEdit::DoExit()
{
    TCustomEdit::DoExit();
    switch (FSpinType) {
    case sptNormal:
        if (CheckValue(Value()) != Value())
            SetValue(Value());
        break;
    case sptFloat:
        if (CheckFloatValue(FloatValue()) != FloatValue())
            SetFloatValue(FloatValue());
        break;
    case sptDate:
        if (CheckDateValue(DateValue()) != DateValue())
            SetDateValue(DateValue());
        break;
    case sptTime:
        if (CheckDateValue(TimeValue()) != TimeValue())
            SetTimeValue(TimeValue());
        break;
    }
}
