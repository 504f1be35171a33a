// The bitmap-list image.
#include "components/controls/OwclassesProps.h"
#include "components/controls/Owdesign.h"
#include "components/controls/Owsystem.h"
#include "components/controls/Owsysutils.h"
#include "platform/graphics/Canvas.h"

TOwBitmapImage::TOwBitmapImage(TComponent* AOwner) : TOwGraphicImageControl(AOwner), FLink(std::make_unique<TOwChangeLink>())
{
    SetControlStyle(ControlStyle() | csOpaque | csReplicatable);
    SetBounds(0, 0, 105, 105);
    SetColor(clBtnFace);
    SetParentColor(false);
    FLink->OnChange = [this](TObject*) { UpdateControlBounds(); };
}

TOwBitmapImage::~TOwBitmapImage()
{
    if (FBitmapList)
        FBitmapList->RemoveLink(FLink.get());
}

void TOwBitmapImage::SetCenter(bool v)
{
    if (v == FCenter)
        return;
    FCenter = v;
    UpdateControlCanvas();
}

void TOwBitmapImage::SetStretch(bool v)
{
    if (v == FStretch)
        return;
    FStretch = v;
    UpdateControlCanvas();
}

void TOwBitmapImage::SetBitmapIndex(int v)
{
    if (v == FBitmapIndex)
        return;
    FBitmapIndex = v;
    UpdateControlBounds();
}

void TOwBitmapImage::SetBitmapList(TOwBitmapList* v)
{
    if (FBitmapList)
        FBitmapList->RemoveLink(FLink.get());
    FBitmapList = v;
    if (v) {
        v->InsertLink(FLink.get());
        v->FreeNotification(this);
    }
    UpdateControlCanvas();
}

void TOwBitmapImage::Notification(TComponent* AComponent, TOperation Operation)
{
    TOwGraphicImageControl::Notification(AComponent, Operation);
    if (Operation == TOperation::opRemove && AComponent == FBitmapList) {
        FBitmapList = nullptr; // the list unlinks its clients as it goes
        UpdateControlCanvas();
    }
}

TBitmap* TOwBitmapImage::GetBitmap() const { return FBitmapList ? FBitmapList->GetBitmap(FBitmapIndex) : nullptr; }

TRect TOwBitmapImage::DestRect() const
{
    TBitmap* b = GetBitmap();
    if (!b || FStretch)
        return ClientRect();
    if (FCenter) {
        const int x = (Width() - b->Width()) / 2, y = (Height() - b->Height()) / 2;
        return TRect(x, y, x + b->Width(), y + b->Height());
    }
    return TRect(0, 0, b->Width(), b->Height());
}

bool TOwBitmapImage::CanAutoSize(int& NewWidth, int& NewHeight)
{
    if (TBitmap* b = GetBitmap()) {
        if (Align() == alNone || Align() == alLeft || Align() == alRight)
            NewWidth = b->Width();
        if (Align() == alNone || Align() == alTop || Align() == alBottom)
            NewHeight = b->Height();
    }
    return true;
}

void TOwBitmapImage::Paint()
{
    TBitmap* b = GetBitmap();
    ClearBitmapCanvas();
    TCanvas* c = BitmapCanvas();
    if (b) {
        c->Brush()->SetStyle(Transparent() ? bsClear : bsSolid);
        c->Brush()->SetColor(Color());
        c->BrushCopy(DestRect(), b, BitmapRect(b), Color());
    }
    ShowDesignFrame(c);
    TOwGraphicImageControl::Paint();
}
