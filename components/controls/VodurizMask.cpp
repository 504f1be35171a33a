#include "components/controls/VodurizMask.h"

#include "components/controls/VodurizLabel.h"
#include "platform/core/Events.h"
#include "platform/core/Format.h"
#include "platform/core/Synchronize.h"
#include "platform/forms/Form.h"
#include "platform/graphics/Canvas.h"

namespace {
constexpr int kVersionMajor = 2, kVersionMinor = 7, kVersionRelease = 0, kVersionBuild = 5;

// The character the mask shows in unfilled positions (its third field, '_' by default).
char MaskBlank(const AnsiString& Mask)
{
    const size_t p1 = Mask.find(';');
    const size_t p2 = p1 == AnsiString::npos ? p1 : Mask.find(';', p1 + 1);
    return p2 != AnsiString::npos && p2 + 1 < Mask.size() ? Mask[p2 + 1] : '_';
}
} // namespace

TRavMaskEdit::TRavMaskEdit(TComponent* AOwner) : TMaskEdit(AOwner), FLabelFont(std::make_unique<TFont>())
{
    FLabelFont->OnChange = [this](TObject*) {
        if (FLabel)
            FLabel->Font()->Assign(FLabelFont.get());
    };
    FNormalColor = Color();
    FNormalFontColor = Font()->Color();
}

TRavMaskEdit::~TRavMaskEdit() { FLabelFont->OnChange = nullptr; }

unsigned TRavMaskEdit::GetVersionNr() const
{
    return (kVersionMajor << 24) | (kVersionMinor << 16) | (kVersionRelease << 8) | kVersionBuild;
}

AnsiString TRavMaskEdit::Version() const
{
    const unsigned v = GetVersionNr();
    return Format("%d.%d.%d.%d", {static_cast<int>(v >> 24), static_cast<int>((v >> 16) & 0xFF),
                                  static_cast<int>((v >> 8) & 0xFF), static_cast<int>(v & 0xFF)});
}

// ---------------------------------------------------------------- keys

bool TRavMaskEdit::WantsKey(Word Key, TShiftState Shift) const
{
    if (Key == VK_RETURN && ReturnIsTab)
        return true;
    if (Key == VK_ESCAPE && Alignment() != taLeftJustify)
        return true;
    return TMaskEdit::WantsKey(Key, Shift);
}

void TRavMaskEdit::SelectNextLater()
{
    // As a Tab posted to the window: the focus moves once this key is handled.
    std::weak_ptr<int> alive = FAlive;
    QueueOnMainThread([this, alive] {
        if (!alive.expired())
            if (TWinControl* p = Parent())
                p->SelectNext(this, true, true);
    });
}

void TRavMaskEdit::KeyDown(Word& Key, TShiftState Shift)
{
    if (Key == VK_RETURN && ReturnIsTab) {
        Key = 0;
        SelectNextLater();
        return;
    }
    if (Key == VK_ESCAPE && Alignment() != taLeftJustify) {
        if (CanUndo)
            SetText(FFocusText);
        // The Escape goes on to the window the edit sits on (a dialog's cancel button).
        std::weak_ptr<int> alive = FAlive;
        QueueOnMainThread([this, alive] {
            if (!alive.expired())
                if (TCustomForm* f = GetParentForm(this))
                    f->DialogKey(VK_ESCAPE, 0);
        });
    }
    TMaskEdit::KeyDown(Key, Shift);
}

void TRavMaskEdit::KeyPress(char& Key)
{
    if (Key == '\r' && ReturnIsTab) {
        Key = 0;
        return;
    }
    TMaskEdit::KeyPress(Key);
    if (ShowModified)
        Font()->SetColor(ModifiedColor);
}

void TRavMaskEdit::KeyUp(Word& Key, TShiftState Shift)
{
    TMaskEdit::KeyUp(Key, Shift);
    if (EditMask().empty())
        return;
    const AnsiString text = EditText();
    // A blank shows an unfilled position: only a filled mask with the caret at its end counts.
    if (text.find(MaskBlank(EditMask())) != AnsiString::npos || text.find(' ') != AnsiString::npos)
        return;
    if (SelStart() != static_cast<int>(text.size()))
        return;
    bool accept = true;
    FireEvent(OnMaskComplete, this, text, accept);
    if (AutoTab && accept)
        SelectNextLater();
}

// ---------------------------------------------------------------- focus

void TRavMaskEdit::DoEnter()
{
    if (!EditMask().empty() && SelectFirstChar) {
        SetSelStart(0);
        SetSelLength(1);
    }
    TMaskEdit::DoEnter();
    if (Loading())
        return;
    FSettingColours = true;
    SetColor(FocusColor);
    FFocusText = Text();
    Font()->SetColor(FocusFontColor);
    FSettingColours = false;
    if (AutoSelect())
        SelectAll();
}

void TRavMaskEdit::DoExit()
{
    TMaskEdit::DoExit();
    if (Loading())
        return;
    FSettingColours = true;
    SetColor(FNormalColor);
    Font()->SetColor(FNormalFontColor);
    FSettingColours = false;
}

void TRavMaskEdit::SetModified(bool v)
{
    if (ShowModified)
        Font()->SetColor(v ? ModifiedColor : FNormalFontColor);
    TMaskEdit::SetModified(v);
}

// ---------------------------------------------------------------- colours and enabling

void TRavMaskEdit::SetColorEx(TColor v)
{
    if (Loading())
        FLoadedColor = v;
    SetColor(v);
    if (!Loading())
        FNormalColor = v;
}

void TRavMaskEdit::SetEnabledEx(bool v)
{
    if (v != Enabled()) {
        if (!v) {
            FNormalColor = Color();
            SetColor(FDisabledColor);
        } else {
            SetColor(FNormalColor);
        }
    }
    TMaskEdit::SetEnabled(v);
    if (FLabel && !LabelAlwaysEnabled)
        FLabel->SetEnabled(v);
}

void TRavMaskEdit::SetDisabledColor(TColor v)
{
    FDisabledColor = v;
    if (!Enabled())
        SetColor(v);
    Invalidate();
}

void TRavMaskEdit::SetVisible(bool v)
{
    TMaskEdit::SetVisible(v);
    if (FLabel)
        FLabel->SetVisible(v);
}

void TRavMaskEdit::Loaded()
{
    TMaskEdit::Loaded();
    FNormalFontColor = Font()->Color();
    FSavedBorderStyle = BorderStyle();
    if (FFlat) {
        FFlat = false;
        SetFlat(true);
    }
    if (!Enabled() && FLabel && !LabelAlwaysEnabled)
        FLabel->SetEnabled(false);
    SetColor(FLoadedColor);
    FNormalColor = FLoadedColor;
    if (FFlatParentColor && FFlat && Parent())
        SetColor(Parent()->Color());
    if (!Enabled()) {
        FNormalColor = Color();
        SetColor(FDisabledColor);
    }
    PlaceLabel();
}

// ---------------------------------------------------------------- flat look and painting

void TRavMaskEdit::SetFlat(bool v)
{
    if (v == FFlat)
        return;
    FFlat = v;
    if (v) {
        if (!Loading() && FFlatParentColor && Parent())
            SetColor(Parent()->Color());
        FSavedBorderStyle = BorderStyle();
        SetBorderStyle(bsNone);
    } else {
        SetColor(clWindow);
        SetBorderStyle(FSavedBorderStyle);
    }
    Invalidate();
}

void TRavMaskEdit::SetFlatLineColor(TColor v)
{
    FFlatLineColor = v;
    Invalidate();
}

void TRavMaskEdit::SetSoftBorder(bool v)
{
    FSoftBorder = v;
    Invalidate();
}

void TRavMaskEdit::SetFlatParentColor(bool v)
{
    FFlatParentColor = v;
    Invalidate();
}

void TRavMaskEdit::PaintOverlay(TCanvas* Canvas)
{
    const int w = Width(), h = Height();
    const bool hot = Focused() || FMouseInside;
    if (FFlat) {
        if (FocusBorder) {
            DrawEditBorder(Canvas, w, h, hot, Parent() ? Parent()->Color() : clBtnFace);
        } else {
            Canvas->Pen()->SetColor(FFlatLineColor);
            if (FSoftBorder) {
                const TPoint pts[] = {{0, h - 1}, {w - 1, h - 1}, {w - 1, 0}, {0, 0}, {0, h - 1}};
                Canvas->Polyline(pts, 5);
            } else {
                Canvas->MoveTo(0, h - 1);
                Canvas->LineTo(w, h - 1);
            }
        }
    }
    if (FBorder3D || (!FFlat && FocusBorder && hot))
        DrawEditBorder(Canvas, w, h, (hot && FocusBorder) || FBorder3D, Parent() ? Parent()->Color() : clBtnFace);
}

// ---------------------------------------------------------------- mouse

void TRavMaskEdit::CMMouseEnter()
{
    if (AutoFocus && CanFocus())
        SetFocus();
    if (!FMouseInside && Enabled()) {
        FMouseInside = true;
        if (FocusBorder)
            Invalidate();
    }
}

void TRavMaskEdit::CMMouseLeave()
{
    TMaskEdit::CMMouseLeave();
    FMouseInside = false;
    if (FocusBorder)
        Invalidate();
}

// ---------------------------------------------------------------- label

void TRavMaskEdit::SetLabelCaption(const AnsiString& v)
{
    if (!FLabel) {
        FLabel = new TLabel(this);
        FLabel->SetParent(Parent());
        FLabel->SetFocusControl(this);
        FLabel->Font()->Assign(Font());
    }
    FLabel->SetCaption(v);
    PlaceLabel();
}

void TRavMaskEdit::SetLabelPosition(TLabelPosition v)
{
    FLabelPosition = v;
    PlaceLabel();
}

void TRavMaskEdit::SetLabelMargin(int v)
{
    FLabelMargin = v;
    PlaceLabel();
}

void TRavMaskEdit::SetLabelTransparent(bool v)
{
    FLabelTransparent = v;
    if (FLabel)
        FLabel->SetTransparent(v);
}

void TRavMaskEdit::SetLabelFont(TFont* v)
{
    FLabelFont->Assign(v);
    if (FLabel)
        FLabel->Font()->Assign(v);
}

void TRavMaskEdit::PlaceLabel()
{
    if (!FLabel)
        return;
    FLabel->SetTransparent(FLabelTransparent);
    // The centred positions leave the label where it is.
    if (FLabelPosition != lpTopCenter && FLabelPosition != lpBottomCenter) {
        FLabel->Canvas()->Font()->Assign(FLabel->Font());
        const int tw = FLabel->Canvas()->TextWidth(FLabel->Caption());
        const TPoint p = ::PlaceLabel(FLabelPosition, BoundsRect(), Height(),
                                      TSize{FLabel->Width(), FLabel->Height()}, tw, FLabelMargin);
        FLabel->SetLeft(p.x);
        FLabel->SetTop(p.y);
    }
    FLabel->Font()->Assign(FLabelFont.get());
    FLabel->SetVisible(Visible());
}

void TRavMaskEdit::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    TMaskEdit::SetBounds(ALeft, ATop, AWidth, AHeight);
    PlaceLabel();
}

void TRavMaskEdit::SetParent(TWinControl* AParent)
{
    TMaskEdit::SetParent(AParent);
    if (FLabel) {
        FLabel->SetParent(AParent);
        PlaceLabel();
    }
}
