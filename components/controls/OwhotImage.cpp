// The hot image: a picture, background and frame that change while the mouse is over it.
#include "components/controls/Owhyperctrls.h"
#include "components/controls/Owsysutils.h"
#include "platform/graphics/Canvas.h"

void TOwHotRect::Assign(TPersistent* Source)
{
    auto* s = dynamic_cast<TOwHotRect*>(Source);
    if (!s)
        return TOwPersistent::Assign(Source);
    BeginUpdate();
    SetColor(s->FColor);
    SetWidth(s->FWidth);
    SetVisible(s->FVisible);
    EndUpdate();
}

TOwHotImage::TOwHotImage(TComponent* AOwner)
    : TOwGraphicImageControl(AOwner), FImageLeave(std::make_unique<TBitmap>()), FImageEnter(std::make_unique<TBitmap>()),
      FHotRect(std::make_unique<TOwHotRect>())
{
    SetControlStyle((ControlStyle() | csOpaque) & ~csDoubleClicks);
    SetBounds(0, 0, 85, 85);
    SetParentFont(false);
    Font()->SetName("Arial");
    Font()->SetStyle(Font()->Style() | fsBold);
    Font()->SetColor(clWhite);
    FImageLeave->OnChange = [this](TObject*) { Invalidate(); };
    FImageEnter->OnChange = [this](TObject*) { Invalidate(); };
    FHotRect->OnChange = [this](TObject*) { Invalidate(); };
}

TOwHotImage::~TOwHotImage()
{
    FImageLeave->OnChange = nullptr;
    FImageEnter->OnChange = nullptr;
    FHotRect->OnChange = nullptr;
}

void TOwHotImage::SetColorEnter(TColor v)
{
    if (v == FColorEnter)
        return;
    FColorEnter = v;
    UpdateControlCanvas();
}

void TOwHotImage::SetColorLeave(TColor v)
{
    if (v == FColorLeave)
        return;
    FColorLeave = v;
    UpdateControlCanvas();
}

void TOwHotImage::SetDrawStyle(TOwHotImageDrawStyle v)
{
    if (v == FDrawStyle)
        return;
    FDrawStyle = v;
    UpdateControlCanvas();
}

void TOwHotImage::SetTextAlignment(TOwTextAlignment v)
{
    if (v == FTextAlignment)
        return;
    FTextAlignment = v;
    UpdateControlCanvas();
}

void TOwHotImage::MouseEnter()
{
    TOwGraphicImageControl::MouseEnter();
    FMouseInside = true;
    Invalidate();
}

void TOwHotImage::MouseLeave()
{
    TOwGraphicImageControl::MouseLeave();
    FMouseInside = false;
    Invalidate();
}

void TOwHotImage::FontChanged()
{
    TOwGraphicImageControl::FontChanged();
    Invalidate();
}

void TOwHotImage::CMTextChanged()
{
    TOwGraphicImageControl::CMTextChanged();
    Invalidate();
}

void TOwHotImage::Paint()
{
    TCanvas* c = BitmapCanvas();
    if (Transparent())
        ClearBitmapCanvas();
    else
        BitmapImage()->SetSize(Width(), Height());
    const bool hot = FMouseInside && Enabled();
    TBitmap* picture = hot ? FImageEnter.get() : FImageLeave.get();
    const TColor key = hot ? FColorEnter : FColorLeave;
    c->Brush()->SetColor(key);
    c->Brush()->SetStyle(bsSolid);
    const TRect client = ClientRect();
    if (!Transparent())
        c->FillRect(client);
    if (!picture->Empty()) {
        TRect dest = client;
        if (FDrawStyle == dsCenter) {
            const int x = (client.Width() - picture->Width()) / 2, y = (client.Height() - picture->Height()) / 2;
            dest = TRect(x, y, x + picture->Width(), y + picture->Height());
        }
        if (Transparent())
            c->BrushCopy(dest, picture, TRect(0, 0, picture->Width(), picture->Height()), key);
        else
            c->StretchDraw(dest, picture);
    }
    TRect text = client;
    if (FHotRect->Visible()) {
        const int inset = FHotRect->Width() + 2;
        text = TRect(text.Left + inset, text.Top + inset, text.Right - inset, text.Bottom - inset);
        if (FMouseInside) {
            TRect frame = client;
            DrawFrame3D(c, frame, FHotRect->Color(), FHotRect->Color(), FHotRect->Width());
        }
    }
    c->Font()->Assign(Font());
    c->Brush()->SetStyle(bsClear);
    c->DrawText(Caption(), text, cfTextAlign[FTextAlignment] | DT_SINGLELINE | DT_NOPREFIX);
    ShowDesignFrame(c);
    TOwGraphicImageControl::Paint();
}
