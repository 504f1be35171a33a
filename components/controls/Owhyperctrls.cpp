#include "components/controls/Owhyperctrls.h"

#include "platform/core/StringUtils.h"
#include "platform/forms/Screen.h"
#include "platform/forms/Shell.h"

TOwHyperLink::TOwHyperLink(TComponent* AOwner)
    : TOwGraphicImageControl(AOwner), FFontEnter(std::make_unique<TFont>()), FFontLeave(std::make_unique<TFont>()),
      FTextOutline(std::make_unique<TOwTextOutline>())
{
    SetControlStyle((ControlStyle() | csOpaque) & ~csDoubleClicks);
    SetBounds(0, 0, 135, 25);
    FFontEnter->SetName("Arial");
    FFontEnter->SetSize(12);
    FFontEnter->SetColor(clLime);
    FFontEnter->SetStyle(FFontEnter->Style() | fsBold | fsUnderline);
    FFontLeave->SetName("Arial");
    FFontLeave->SetSize(12);
    FFontLeave->SetColor(clGreen);
    FFontLeave->SetStyle(FFontLeave->Style() | fsBold | fsUnderline);
    FFontEnter->OnChange = [this](TObject*) { UpdateControlCanvas(); };
    FFontLeave->OnChange = [this](TObject*) { UpdateControlCanvas(); };
    FTextOutline->OnChange = [this](TObject*) { UpdateControlCanvas(); };
    FTransparent = true; // so that the setter below makes the control opaque
    SetTransparent(false);
}

TOwHyperLink::~TOwHyperLink()
{
    FFontEnter->OnChange = nullptr;
    FFontLeave->OnChange = nullptr;
    FTextOutline->OnChange = nullptr;
}

void TOwHyperLink::SetFontEnter(TFont* v)
{
    FFontEnter->Assign(v);
    UpdateControlCanvas();
}

void TOwHyperLink::SetFontLeave(TFont* v)
{
    FFontLeave->Assign(v);
    UpdateControlCanvas();
}

void TOwHyperLink::SetColorEnter(TColor v)
{
    if (v == FColorEnter)
        return;
    FColorEnter = v;
    UpdateControlCanvas();
}

void TOwHyperLink::SetColorLeave(TColor v)
{
    if (v == FColorLeave)
        return;
    FColorLeave = v;
    UpdateControlCanvas();
}

void TOwHyperLink::SetAlignment(TAlignment v)
{
    if (v == FAlignment)
        return;
    FAlignment = v;
    UpdateControlCanvas();
}

void TOwHyperLink::SetWordWrap(bool v)
{
    if (v == FWordWrap)
        return;
    FWordWrap = v;
    UpdateControlCanvas();
}

void TOwHyperLink::MouseEnter()
{
    FMouseInside = true;
    UpdateControlCanvas();
    TOwGraphicImageControl::MouseEnter();
}

void TOwHyperLink::MouseLeave()
{
    FMouseInside = false;
    UpdateControlCanvas();
    TOwGraphicImageControl::MouseLeave();
}

void TOwHyperLink::CMTextChanged()
{
    TOwGraphicImageControl::CMTextChanged();
    UpdateControlCanvas();
}

void TOwHyperLink::Paint()
{
    TCanvas* c = BitmapCanvas();
    if (Transparent())
        ClearBitmapCanvas();
    else
        BitmapImage()->SetSize(Width(), Height());
    const bool hot = FMouseInside && Enabled();
    c->SetFont(hot ? FFontEnter.get() : FFontLeave.get());
    c->Brush()->SetColor(hot ? FColorEnter : FColorLeave);
    c->Brush()->SetStyle(bsSolid);
    if (!Transparent())
        c->FillRect(ClientRect());
    c->Brush()->SetStyle(Transparent() ? bsClear : bsSolid);
    const int w = FTextOutline->Visible() ? FTextOutline->Width() : 0;
    const TRect client = ClientRect();
    const TRect r(client.Left + w, client.Top + w, client.Right - w, client.Bottom - w);
    DrawLinkText(c, r, Caption(), FWordWrap, FAlignment, FTextOutline->Color(), w);
    TOwGraphicImageControl::Paint();
}

void DrawLinkText(TCanvas* Canvas, const TRect& R, const AnsiString& Text, bool WordWrap, TAlignment Alignment,
                  TColor OutlineColor, int W)
{
    unsigned flags = DT_EXPANDTABS;
    if (Alignment == taRightJustify)
        flags |= DT_RIGHT;
    else if (Alignment == taCenter)
        flags |= DT_CENTER;
    if (WordWrap)
        flags |= DT_WORDBREAK;
    const TColor fontColor = Canvas->Font()->Color();
    if (W > 0) {
        Canvas->Brush()->SetStyle(bsClear);
        Canvas->Font()->SetColor(OutlineColor);
        const int n = W & 0xFF; // the loops count in 8 bits
        for (int i = 1; i <= n; ++i)
            for (int j = 1; j <= n; ++j) {
                const int dx[] = {i, i, -i, -i};
                const int dy[] = {j, -j, j, -j};
                for (int k = 0; k < 4; ++k) {
                    TRect m(R.Left + dx[k], R.Top + dy[k], R.Right + dx[k], R.Bottom + dy[k]);
                    Canvas->DrawText(Text, m, flags);
                }
            }
    }
    Canvas->Font()->SetColor(fontColor);
    TRect r = R;
    Canvas->DrawText(Text, r, flags);
}

// ---------------------------------------------------------------- web label


// The library's hand cursor, number 99 of the screen's table, from start-up on.
[[maybe_unused]] const bool gHandCursorInstalled =
    TScreen::AddInitialization([](TScreen* S) { S->SetCursors(crOwHandPoint, crHandPoint); });

TOwWebLabel::TOwWebLabel(TComponent* AOwner) : TOwHyperLink(AOwner), FURL("https://www.example.com/")
{
    SetCursor(crOwHandPoint);
}

bool TOwWebLabel::IsOpenableURL(const AnsiString& URL)
{
    const AnsiString u = LowerCase(Trim(URL));
    const auto startsWith = [&](const char* p) { return u.rfind(p, 0) == 0 && u.size() > AnsiString(p).size(); };
    return startsWith("http://") || startsWith("https://") || startsWith("mailto:");
}

void TOwWebLabel::MouseUp(TMouseButton Button, TShiftState, int, int)
{
    // The inherited mouse-up is not run: a web label raises no OnMouseUp.
    if (Button != mbLeft || !FMouseInside)
        return;
    UpdateControlCanvas();
    if (!IsOpenableURL(FURL) || !ShellOpenAddress(Trim(FURL)))
        ReportError();
}

void TOwWebLabel::ReportError() { FireEvent(OnError, this); }
