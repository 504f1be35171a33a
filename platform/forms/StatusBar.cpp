#include "platform/forms/StatusBar.h"

#include "platform/forms/Form.h"

#include <algorithm>

void TStatusPanel::Changed()
{
    if (FOwner)
        FOwner->Invalidate();
}

void TStatusPanel::SetText(const AnsiString& v)
{
    if (v == FText)
        return;
    FText = v;
    Changed();
}

void TStatusPanel::SetWidth(int v)
{
    if (v == FWidth)
        return;
    FWidth = v;
    Changed();
}

void TStatusPanel::SetAlignment(TAlignment v)
{
    if (v == FAlignment)
        return;
    FAlignment = v;
    Changed();
}

void TStatusPanel::SetBevel(TStatusPanelBevel v)
{
    if (v == FBevel)
        return;
    FBevel = v;
    Changed();
}

int TStatusPanel::Index() const
{
    const auto& v = FOwner->Panels()->FItems;
    for (size_t i = 0; i < v.size(); ++i)
        if (v[i].get() == this)
            return static_cast<int>(i);
    return -1;
}

TStatusPanel* TStatusPanels::Add()
{
    FItems.push_back(std::make_unique<TStatusPanel>(FOwner));
    FOwner->Invalidate();
    return FItems.back().get();
}

TStatusPanel* TStatusPanels::Items(int Index) const
{
    if (Index < 0 || Index >= Count())
        throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
    return FItems[static_cast<size_t>(Index)].get();
}

void TStatusPanels::Delete(int Index)
{
    Items(Index);
    FItems.erase(FItems.begin() + Index);
    FOwner->Invalidate();
}

void TStatusPanels::Clear()
{
    FItems.clear();
    FOwner->Invalidate();
}

TStatusBar::TStatusBar(TComponent* AOwner) : TCustomControl(AOwner), FPanels(std::make_unique<TStatusPanels>(this))
{
    FControlStyle = csCaptureMouse | csClickEvents | csDoubleClicks | csOpaque;
    SetBounds(0, 0, 185, 19);
    FAlign = alBottom;
}

TStatusBar::~TStatusBar() = default;

void TStatusBar::SetSimplePanel(bool v)
{
    if (v == FSimplePanel)
        return;
    FSimplePanel = v;
    Invalidate();
}

void TStatusBar::SetSimpleText(const AnsiString& v)
{
    if (v == FSimpleText)
        return;
    FSimpleText = v;
    Invalidate();
}

void TStatusBar::SetSizeGrip(bool v)
{
    if (v == FSizeGrip)
        return;
    FSizeGrip = v;
    Invalidate();
}

void TStatusBar::Paint()
{
    TCanvas* c = Canvas();
    const TRect cr = ClientRect();
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(FColor);
    c->FillRect(cr);
    c->Font()->Assign(FFont.get());
    auto panel = [&](TRect r, const AnsiString& text, TAlignment a, TStatusPanelBevel bevel) {
        if (bevel != pbNone) {
            TRect e = r;
            c->DrawEdge(e, bevel == pbLowered ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
        }
        c->Brush()->SetStyle(bsClear);
        TRect t(r.Left + 3, r.Top + 1, r.Right - 3, r.Bottom - 1);
        unsigned flags = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS;
        flags |= a == taCenter ? DT_CENTER : a == taRightJustify ? DT_RIGHT : DT_LEFT;
        c->DrawText(text, t, flags);
        c->Brush()->SetStyle(bsSolid);
    };
    const int top = 2;
    // The grip shows only where the user can size the window, as the class library does.
    const TCustomForm* form = GetParentForm(this);
    const bool showGrip = FSizeGrip && (!form || form->UserSizeable());
    const int grip = showGrip ? 14 : 0;
    if (FSimplePanel || FPanels->Count() == 0) {
        panel(TRect(0, top, cr.Right - grip, cr.Bottom), FSimplePanel ? FSimpleText : AnsiString(), taLeftJustify,
              pbLowered);
    } else {
        int x = 0;
        for (int i = 0; i < FPanels->Count(); ++i) {
            TStatusPanel* p = FPanels->Items(i);
            const bool last = i == FPanels->Count() - 1;
            const int right = last ? cr.Right - grip : std::min(cr.Right - grip, x + p->Width());
            panel(TRect(x, top, right, cr.Bottom), p->Text(), p->Alignment(), p->Bevel());
            x = right + 2;
        }
    }
    if (showGrip) {
        // The diagonal ridges of the size grip.
        for (int k = 0; k < 3; ++k) {
            const int o = 4 * k;
            c->Pen()->SetColor(clBtnHighlight);
            c->MoveTo(cr.Right - 12 + o, cr.Bottom - 1);
            c->LineTo(cr.Right, cr.Bottom - 13 + o);
            c->Pen()->SetColor(clBtnShadow);
            c->MoveTo(cr.Right - 11 + o, cr.Bottom - 1);
            c->LineTo(cr.Right, cr.Bottom - 12 + o);
            c->MoveTo(cr.Right - 10 + o, cr.Bottom - 1);
            c->LineTo(cr.Right, cr.Bottom - 11 + o);
        }
    }
}
