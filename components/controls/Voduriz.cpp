#include "components/controls/Voduriz.h"

#include "components/controls/VodurizLabel.h"
#include "platform/core/Format.h"
#include "platform/core/StringUtils.h"
#include "platform/forms/Clipboard.h"
#include "platform/forms/Form.h"

namespace {
constexpr int kVersionMajor = 2, kVersionMinor = 7, kVersionRelease = 0, kVersionBuild = 5;
}

TVodUriz::TVodUriz(TComponent* AOwner) : TCustomEdit(AOwner), FLabelFont(std::make_unique<TFont>())
{
    FModel.Sender = this;
    FModel.SetColorEx(Color());
    FModel.SetFontColor(Font()->Color());
    FModel.Init();
    FModel.OnChange = [this] {
        PushToWindow();
        TCustomEdit::Change();
    };
    FModel.OnKeyPress = [this](char& Key) { TCustomEdit::KeyPress(Key); };
    FModel.OnKeyDown = [this](Word& Key) { TCustomEdit::KeyDown(Key, FShift); };
    FModel.OnSelectNext = [this] {
        if (TWinControl* p = Parent())
            p->SelectNext(this, true, true);
    };
    FModel.OnLookAndFeel = [this] { ApplyColours(); };
    FModel.OnGetClipboard = [] {
        return Clipboard()->HasFormat(CF_TEXT) ? Clipboard()->AsText() : AnsiString();
    };
    FModel.OnSetClipboard = [](const AnsiString& s) { Clipboard()->SetAsText(s); };
    FModel.OnValueValidate = [this](TObject*, const AnsiString& v, bool& ok) { ValidateEvent(v, ok); };
    FModel.OnClipboardCopy = [this](TObject* s, const AnsiString& v, bool& a) { FireEvent(OnClipboardCopy, s, v, a); };
    FModel.OnClipboardCut = [this](TObject* s, const AnsiString& v, bool& a) { FireEvent(OnClipboardCut, s, v, a); };
    FModel.OnClipboardPaste = [this](TObject* s, const AnsiString& v, bool& a) {
        FireEvent(OnClipboardPaste, s, v, a);
    };
    FLabelFont->OnChange = [this](TObject*) { UpdateLabel(); };
}

TVodUriz::~TVodUriz()
{
    FLabelFont->OnChange = nullptr;
    FModel.OnChange = nullptr;
    FModel.OnLookAndFeel = nullptr;
}

// ---------------------------------------------------------------- window mirror

// Takes what the edit window did on its own (mouse selection, a change the filters did not see).
void TVodUriz::PullFromWindow()
{
    FModel.Loading = Loading();
    FModel.Designing = Designing();
    if (FModel.WindowText() != TCustomEdit::Text())
        FModel.SetWindowText(TCustomEdit::Text());
    const int start = TCustomEdit::SelStart(), length = TCustomEdit::SelLength();
    if (start != FModel.SelStart() || length != FModel.SelLength())
        FModel.SetSelection(start, start + length);
}

void TVodUriz::PushToWindow()
{
    FPushing = true;
    if (TCustomEdit::Text() != FModel.WindowText())
        TCustomEdit::SetText(FModel.WindowText());
    TCustomEdit::SetModified(FModel.EditModified());
    TCustomEdit::SetSelStart(FModel.SelStart());
    if (FModel.SelLength() > 0)
        TCustomEdit::SetSelLength(FModel.SelLength());
    FPushing = false;
}

void TVodUriz::Change()
{
    if (FPushing)
        return;
    // A change that did not come through the filters: the model takes it and reports it.
    FModel.SetWindowText(TCustomEdit::Text());
}

void TVodUriz::ApplyColours()
{
    FApplyingColours = true;
    TControl::SetColor(FModel.Color());
    Font()->SetColor(FModel.FontColor());
    // The web-address look: underlined, with the hand cursor.
    const TFontStyles style = Font()->Style();
    Font()->SetStyle(FModel.URLShown() ? style | fsUnderline : style & ~fsUnderline);
    SetCursor(FModel.URLShown() ? crHandPoint : crDefault);
    FApplyingColours = false;
}

void TVodUriz::CMColorChanged()
{
    TCustomEdit::CMColorChanged();
    if (!FApplyingColours && TControl::Color() != FModel.Color())
        FModel.SetColorEx(TControl::Color()); // the parent's colour reached us
}

void TVodUriz::CMFontChanged()
{
    TCustomEdit::CMFontChanged();
    if (FApplyingColours)
        return;
    FModel.SetFontColor(Font()->Color());
    if (FLabel && (Designing() || Loading()))
        FLabel->Font()->Assign(Font());
}

// ---------------------------------------------------------------- value

void TVodUriz::SetText(const AnsiString& Value)
{
    FModel.Loading = Loading();
    FModel.SetText(Value);
    PushToWindow();
}

void TVodUriz::SetEditType(TVodUrizType v)
{
    FModel.SetEditType(v);
    TCustomEdit::SetPasswordChar(FModel.PasswordChar());
    PushToWindow();
}

void TVodUriz::SetPrecision(int v)
{
    FModel.SetPrecision(v);
    PushToWindow();
}

void TVodUriz::SetPrefix(const AnsiString& v)
{
    FModel.SetPrefix(v);
    PushToWindow();
}

void TVodUriz::SetSuffix(const AnsiString& v)
{
    FModel.SetSuffix(v);
    PushToWindow();
}

void TVodUriz::SetAutoThousandSeparator(bool v)
{
    FModel.SetAutoThousandSeparator(v);
    PushToWindow();
}

void TVodUriz::SetMaxLength(int v)
{
    FModel.MaxLength = v;
    TCustomEdit::SetMaxLength(v);
}

void TVodUriz::SetReadOnly(bool v)
{
    FModel.ReadOnly = v;
    TCustomEdit::SetReadOnly(v);
}

void TVodUriz::SetAutoSelect(bool v)
{
    FModel.AutoSelect = v;
    TCustomEdit::SetAutoSelect(v);
}

void TVodUriz::SetFloat(double v)
{
    FModel.SetFloat(v);
    PushToWindow();
}

void TVodUriz::SetInt(int v)
{
    FModel.SetInt(v);
    PushToWindow();
}

void TVodUriz::SetModified(bool v)
{
    FModel.SetModified(v);
    TCustomEdit::SetModified(FModel.EditModified());
}

void TVodUriz::SetError(bool v) { FModel.SetError(v); }

void TVodUriz::SetShowURL(bool v)
{
    FModel.ShowURL = v;
    SetText(GetText());
}

void TVodUriz::SelectAll()
{
    PullFromWindow();
    FModel.SelectAll();
    PushToWindow();
}

void TVodUriz::SelectBeforeDecimal()
{
    PullFromWindow();
    FModel.SelectBeforeDecimal();
    PushToWindow();
}

void TVodUriz::SelectAfterDecimal()
{
    PullFromWindow();
    FModel.SelectAfterDecimal();
    PushToWindow();
}

bool TVodUriz::DoValidate(const AnsiString& Value) { return FModel.DoValidate(Value); }

void TVodUriz::ValidateEvent(const AnsiString& Value, bool& IsValid)
{
    FireEvent(OnValueValidate, this, Value, IsValid);
}

unsigned TVodUriz::GetVersionNr() const
{
    return (kVersionMajor << 24) | (kVersionMinor << 16) | (kVersionRelease << 8) | kVersionBuild;
}

AnsiString TVodUriz::GetVersion() const
{
    const unsigned v = GetVersionNr();
    return Format("%d.%d.%d.%d", {static_cast<int>(v >> 24), static_cast<int>((v >> 16) & 0xFF),
                                  static_cast<int>((v >> 8) & 0xFF), static_cast<int>(v & 0xFF)});
}

// ---------------------------------------------------------------- keys

bool TVodUriz::WantsKey(Word Key, TShiftState Shift) const
{
    // Escape undoes the typing of this visit when CanUndo, so it stays with the edit then.
    if (Key == VK_ESCAPE && FModel.CanUndo() && !(GetParentForm(const_cast<TVodUriz*>(this))
                                                   && GetParentForm(const_cast<TVodUriz*>(this))->KeyPreview()))
        return true;
    return TCustomEdit::WantsKey(Key, Shift);
}

void TVodUriz::KeyDown(Word& Key, TShiftState Shift)
{
    PullFromWindow();
    FShift = Shift;
    FKeypadDecimal = Key == VK_DECIMAL;
    if (Key == VK_ESCAPE) {
        TCustomForm* f = GetParentForm(this);
        FModel.KeyPreview = f && f->KeyPreview();
        if (FModel.EscapeUndo()) {
            Key = 0;
            PushToWindow();
            return;
        }
    }
    const bool done = FModel.KeyDown(Key, (Shift & ssShift) != 0, (Shift & ssCtrl) != 0);
    PushToWindow();
    if (done)
        Key = 0; // the model did the window's work
}

void TVodUriz::KeyPress(char& Key)
{
    PullFromWindow();
    // The character follows its key-down, whose shift state tells Control.
    const bool ctrl = (FShift & ssCtrl) != 0;
    FModel.KeyPress(Key, ctrl, FKeypadDecimal);
    FKeypadDecimal = false;
    FShift = 0;
    PushToWindow();
}

// ---------------------------------------------------------------- focus

void TVodUriz::DoEnter()
{
    TWinControl::DoEnter();
    PullFromWindow();
    FModel.FocusGained();
    PushToWindow();
    if (FFocusLabel && FLabel)
        FLabel->Font()->SetStyle(FLabel->Font()->Style() | fsBold);
    if (FFocusWidthInc > 0 && !FAlignChanging)
        SetWidth(Width() + FFocusWidthInc);
    FSavedEditAlign = FEditAlign;
    if (FFocusAlign != FEditAlign && FFocusAlign != eaDefault) {
        FAlignChanging = true;
        ApplyAlign(FFocusAlign);
        FAlignChanging = false;
    }
    Invalidate();
}

void TVodUriz::DoExit()
{
    PullFromWindow();
    FModel.FocusLost(); // reformats before OnExit sees the value
    PushToWindow();
    if (FFocusLabel && FLabel)
        FLabel->Font()->SetStyle(FLabel->Font()->Style() & ~fsBold);
    TWinControl::DoExit();
    if (!FAlignChanging) {
        if (FFocusWidthInc > 0)
            SetWidth(Width() - FFocusWidthInc);
        if (FFocusAlign != eaDefault)
            ApplyAlign(FSavedEditAlign);
    }
    Invalidate();
}

void TVodUriz::CMMouseEnter()
{
    TCustomEdit::CMMouseEnter();
    if (FAutoFocus && !Designing() && CanFocus())
        SetFocus();
    if (!FMouseInside && Enabled()) {
        FMouseInside = true;
        if (FFocusBorder)
            Invalidate();
    }
}

void TVodUriz::CMMouseLeave()
{
    TCustomEdit::CMMouseLeave();
    if (FMouseInside && Enabled()) {
        FMouseInside = false;
        if (FFocusBorder)
            Invalidate();
    }
}

// A click never leaves the caret or the selection in the affixes.
void TVodUriz::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TCustomEdit::MouseUp(Button, Shift, X, Y);
    PullFromWindow();
    const int prefix = static_cast<int>(Prefix().size());
    const int valueEnd = prefix + static_cast<int>(GetText().size());
    const int start = FModel.SelStart(), end = start + FModel.SelLength();
    if (start < prefix)
        FModel.SelectAll();
    else if (start > valueEnd)
        FModel.SetSelStart(valueEnd);
    else if (end > valueEnd)
        FModel.SetSelection(start, valueEnd);
    PushToWindow();
}

// ---------------------------------------------------------------- alignment

void TVodUriz::SetEditAlign(TEditAlign v)
{
    if (v == FEditAlign)
        return;
    FEditAlign = v;
    ApplyAlign(v);
}

void TVodUriz::ApplyAlign(TEditAlign Align)
{
    FShownAlign = Align;
    switch (Align) {
    case eaRight:
        TCustomEdit::SetAlignment(taRightJustify);
        break;
    case eaCenter:
        TCustomEdit::SetAlignment(taCenter);
        break;
    default:
        TCustomEdit::SetAlignment(taLeftJustify);
        break;
    }
}

// ---------------------------------------------------------------- colours and look

void TVodUriz::SetColorEx(TColor v)
{
    FModel.SetColorEx(v);
}

void TVodUriz::SetEnabledEx(bool v)
{
    TCustomEdit::SetEnabled(v);
    FModel.Loading = Loading();
    FModel.Designing = Designing();
    FModel.SetEnabledEx(v);
    if (FLabel && !FLabelAlwaysEnabled)
        FLabel->SetEnabled(v);
}

void TVodUriz::SetDisabledColor(TColor v)
{
    if (v == FModel.DisabledColor)
        return;
    FModel.DisabledColor = v;
    if (!Enabled()) {
        FModel.SetBackground(v);
        ApplyColours();
    }
    Invalidate();
}

void TVodUriz::SetVisible(bool v)
{
    TCustomEdit::SetVisible(v);
    if (FLabel)
        FLabel->SetVisible(v);
}

void TVodUriz::SetHeightEx(int v)
{
    if (Loading())
        FLoadedHeight = v;
    SetHeight(v);
}

void TVodUriz::SetFocusBorder(bool v)
{
    if (v == FFocusBorder)
        return;
    FFocusBorder = v;
    Invalidate();
}

void TVodUriz::SetFocusBorderColor(TColor v)
{
    if (v == FFocusBorderColor)
        return;
    FFocusBorderColor = v;
    Invalidate();
}

void TVodUriz::SetErrorMarkerPos(int v)
{
    if (v == FErrorMarkerPos)
        return;
    FErrorMarkerPos = v;
    Invalidate();
}

void TVodUriz::SetErrorMarkerLen(int v)
{
    if (v == FErrorMarkerLen)
        return;
    FErrorMarkerLen = v;
    Invalidate();
}

void TVodUriz::SetFlat(bool v)
{
    if (Loading()) {
        FFlat = v;
        return;
    }
    if (v == FFlat)
        return;
    FFlat = v;
    if (v) {
        const TColor c = FModel.Color();
        if (FFlatParentColor && Parent()) {
            FModel.SetBackground(Parent()->Color());
            FModel.FocusColor = Parent()->Color();
            ApplyColours();
        }
        FModel.SetNormalColor(c); // the control returns to c after it has had the focus
        FSavedBorderStyle = BorderStyle();
        SetBorderStyle(bsNone);
    } else {
        FModel.SetBackground(FModel.NormalColor());
        ApplyColours();
        SetBorderStyle(FSavedBorderStyle);
    }
    Invalidate();
}

void TVodUriz::SetFlatLineColor(TColor v)
{
    if (v == FFlatLineColor)
        return;
    FFlatLineColor = v;
    Invalidate();
}

void TVodUriz::SetFlatParentColor(bool v)
{
    if (v == FFlatParentColor)
        return;
    FFlatParentColor = v;
    Invalidate();
}

void TVodUriz::SetSoftBorder(bool v)
{
    if (v == FSoftBorder)
        return;
    FSoftBorder = v;
    Invalidate();
}

void TVodUriz::SetBorder3D(bool v)
{
    if (v == FBorder3D)
        return;
    FBorder3D = v;
    Invalidate();
}

void TVodUriz::SetEmptyText(const AnsiString& v)
{
    if (v == FEmptyText)
        return;
    FEmptyText = v;
    Invalidate();
}

void TVodUriz::PaintOverlay(TCanvas* Canvas) { PaintEdit(Canvas); }

// What the typed edit draws over the edit window: the flat underline or frame, the
// empty-text hint, the error marker and the focus border.
void TVodUriz::PaintEdit(TCanvas* Canvas)
{
    const int w = Width(), h = Height();
    const bool focused = FModel.Focused();
    if (FFlat) {
        Canvas->Pen()->SetWidth(1);
        Canvas->Pen()->SetStyle(psSolid);
        Canvas->Pen()->SetColor(FFlatLineColor);
        const int x0 = 0, y1 = h - 1, top = 0;
        if (FSoftBorder) {
            const TPoint pts[] = {{x0, y1}, {w - 1, y1}, {w - 1, top}, {x0, top}, {x0, y1}};
            Canvas->Polyline(pts, 5);
        } else {
            Canvas->MoveTo(x0, y1);
            Canvas->LineTo(w, y1);
        }
    }
    if (GetText().empty() && !focused && !FEmptyText.empty()) {
        Canvas->Brush()->SetStyle(bsClear);
        Canvas->Font()->Assign(Font());
        Canvas->Font()->SetColor(clGray);
        Canvas->TextOut(2, 2, FEmptyText);
    }
    if (!focused && FErrorMarkerLen > 0) {
        // A red zigzag of 3-pixel steps under the marked characters.
        Canvas->Font()->Assign(Font());
        const int th = Canvas->TextHeight("gh");
        const AnsiString shown = WindowText();
        const int first = static_cast<int>(Prefix().size()) + FErrorMarkerPos;
        const int x1 = 2 + Canvas->TextWidth(shown.substr(0, std::min<size_t>(first, shown.size())));
        const int last = std::min<int>(first + FErrorMarkerLen, static_cast<int>(shown.size()));
        const int x2 = 2 + Canvas->TextWidth(shown.substr(0, std::max(0, last)));
        const int y = std::min(h - 3, 1 + th + 2);
        Canvas->Pen()->SetColor(clRed);
        Canvas->Pen()->SetWidth(2);
        Canvas->MoveTo(x1, y);
        int offset = 0;
        for (int x = x1; x <= x2; x += 3) {
            Canvas->LineTo(x + 3, y - 1 + offset);
            offset = offset == 0 ? 3 : 0;
        }
        Canvas->Pen()->SetWidth(1);
    }
    if (FFocusBorderColor != clNone && focused) {
        Canvas->Brush()->SetStyle(bsSolid);
        Canvas->Brush()->SetColor(FFocusBorderColor);
        Canvas->FrameRect(TRect(0, 0, w, h));
    } else if (FBorder3D || (FFocusBorder && (FMouseInside || focused))) {
        TRect r(0, 0, w, h);
        Canvas->DrawEdge(r, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
    }
}

// ---------------------------------------------------------------- label

AnsiString TVodUriz::LabelCaption() const { return FLabel ? FLabel->Caption() : AnsiString(); }

void TVodUriz::SetLabelCaption(const AnsiString& v)
{
    if (!FLabel) {
        FLabel = new TLabel(this); // owned: freed with the edit
        FLabel->SetParent(Parent());
        FLabel->SetFocusControl(this);
        FLabel->Font()->Assign(FLabelFont.get());
        FLabel->SetParentFont(ParentFont());
        FLabel->OnClick = [this](TObject*) { FireEvent(OnLabelClick, this); };
        FLabel->OnDblClick = [this](TObject*) { FireEvent(OnLabelDblClick, this); };
        FLabel->FreeNotification(this);
    }
    FLabel->SetCaption(v);
    UpdateLabel();
}

void TVodUriz::SetLabelPosition(TLabelPosition v)
{
    FLabelPosition = v;
    UpdateLabel();
}

void TVodUriz::SetLabelMargin(int v)
{
    FLabelMargin = v;
    UpdateLabel();
}

void TVodUriz::SetLabelTransparent(bool v)
{
    FLabelTransparent = v;
    UpdateLabel();
}

void TVodUriz::SetLabelAlwaysEnabled(bool v)
{
    FLabelAlwaysEnabled = v;
    if (v && FLabel)
        FLabel->SetEnabled(true);
}

void TVodUriz::UpdateLabel()
{
    if (!FLabel)
        return;
    FLabel->SetTransparent(FLabelTransparent);
    if (!ParentFont())
        FLabel->Font()->Assign(FLabelFont.get());
    FLabel->Canvas()->Font()->Assign(FLabel->Font());
    const int tw = FLabel->Canvas()->TextWidth(FLabel->Caption());
    const TPoint p = PlaceLabel(FLabelPosition, BoundsRect(), GetHeightEx(), TSize{FLabel->Width(), FLabel->Height()},
                                tw, FLabelMargin);
    FLabel->SetLeft(p.x);
    FLabel->SetTop(p.y);
    FLabel->SetVisible(Visible());
}

void TVodUriz::Notification(TComponent* AComponent, TOperation Operation)
{
    TCustomEdit::Notification(AComponent, Operation);
    if (Operation == TOperation::opRemove && AComponent == FLabel)
        FLabel = nullptr;
}

void TVodUriz::SetParent(TWinControl* AParent)
{
    TCustomEdit::SetParent(AParent);
    if (FLabel) {
        FLabel->SetParent(AParent);
        UpdateLabel();
    }
    if (FFlat && FFlatParentColor && AParent) {
        FModel.SetBackground(AParent->Color());
        FModel.FocusColor = AParent->Color();
        ApplyColours();
    }
}

void TVodUriz::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    TCustomEdit::SetBounds(ALeft, ATop, AWidth, AHeight);
    UpdateLabel();
}

// ---------------------------------------------------------------- life cycle

void TVodUriz::Init()
{
    FModel.Init();
    FSavedBorderStyle = BorderStyle();
    UpdateLabel();
    ApplyColours();
}

void TVodUriz::Loaded()
{
    TCustomEdit::Loaded();
    FModel.Loading = false;
    if (!Designing())
        Init();
    if (FLoadedHeight > 0)
        SetHeightEx(FLoadedHeight);
    if (FLabel && !FLabelAlwaysEnabled)
        FLabel->SetEnabled(Enabled());
    if (FLabel && ParentFont())
        FLabel->Font()->Assign(Font());
}
