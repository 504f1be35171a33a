// The animated button.
#include "components/controls/Owbuttons.h"
#include "components/controls/Owsystem.h"
#include "components/controls/Owsysutils.h"
#include "components/controls/Owthreads.h"
#include "platform/graphics/Canvas.h"

TOwAniButton::TOwAniButton(TComponent* AOwner)
    : TOwGraphicImageControl(AOwner), FTimer(std::make_unique<TOwTimer>(nullptr)), FLink(std::make_unique<TOwChangeLink>())
{
    SetControlStyle(ControlStyle() | csOpaque | csReplicatable);
    SetBounds(0, 0, 30, 30);
    SetColor(clBtnFace);
    SetParentColor(false);
    SetTransparent(false);
    FTimer->OnTimer = [this](TObject*) { TimerEvent(); };
    FTimer->SetEnabled(false);
    FLink->OnChange = [this](TObject*) { UpdateImage(); };
}

TOwAniButton::~TOwAniButton()
{
    FTimer.reset(); // the worker ends before the button goes
    if (FBitmapList)
        FBitmapList->RemoveLink(FLink.get());
}

TBitmap* TOwAniButton::ListBitmap(int Index) const { return FBitmapList ? FBitmapList->GetBitmap(Index) : nullptr; }

void TOwAniButton::SetBitmapList(TOwBitmapList* v)
{
    if (FBitmapList)
        FBitmapList->RemoveLink(FLink.get());
    FBitmapList = v;
    if (v) {
        v->InsertLink(FLink.get());
        v->FreeNotification(this);
    }
    if (!Loading())
        UpdateImage();
}

void TOwAniButton::Notification(TComponent* AComponent, TOperation Operation)
{
    TOwGraphicImageControl::Notification(AComponent, Operation);
    if (Operation == TOperation::opRemove && AComponent == FBitmapList) {
        FBitmapList = nullptr;
        UpdateImage();
    }
}

void TOwAniButton::SetImageCount(int v)
{
    if (v == FImageCount)
        return;
    FImageCount = v;
    UpdateImage();
}

void TOwAniButton::SetBitmapIndex(int v)
{
    if (v == FBitmapIndex)
        return;
    FBitmapIndex = v;
    UpdateImage();
}

void TOwAniButton::SetMaskIndex(int v)
{
    if (v == FMaskIndex)
        return;
    FMaskIndex = v;
    UpdateImage();
}

Cardinal TOwAniButton::Interval() const { return FTimer->Interval(); }
void TOwAniButton::SetInterval(Cardinal v) { FTimer->SetInterval(v); }
bool TOwAniButton::Threaded() const { return FTimer->TimerType() == ttThread; }
void TOwAniButton::SetThreaded(bool v) { FTimer->SetTimerType(v ? ttThread : ttSystem); }
bool TOwAniButton::Running() const { return FTimer->Enabled(); }

void TOwAniButton::SetSwitchStyle(bool v)
{
    if (v == FSwitchStyle)
        return;
    FSwitchStyle = v;
    if (!v && !Loading())
        SetDown(false);
}

void TOwAniButton::SetDown(bool v)
{
    if (v && !FSwitchStyle)
        return;
    FPhase = v ? phBackward : phForward;
    FFrame = v ? std::max(0, FImageCount - 1) : 0;
    Invalidate();
}

void TOwAniButton::Loaded()
{
    TOwGraphicImageControl::Loaded();
    UpdateImage();
}

void TOwAniButton::UpdateImage()
{
    const bool down = Down();
    if (!down)
        FFrame = 0;
    FFrameWidth = FFrameHeight = 0;
    TBitmap* strip = ListBitmap(FBitmapIndex);
    if (!strip || FImageCount <= 0) {
        Invalidate();
        return;
    }
    if (down)
        FFrame = FImageCount - 1;
    FFrameWidth = strip->Width() / FImageCount;
    FFrameHeight = strip->Height();
    UpdateControlBounds();
}

bool TOwAniButton::CanAutoSize(int& NewWidth, int& NewHeight)
{
    if (FFrameWidth > 0 && (Align() == alNone || Align() == alLeft || Align() == alRight))
        NewWidth = FFrameWidth;
    if (FFrameHeight > 0 && (Align() == alNone || Align() == alTop || Align() == alBottom))
        NewHeight = FFrameHeight;
    return true;
}

void TOwAniButton::Paint()
{
    ClearBitmapCanvas();
    TCanvas* c = BitmapCanvas();
    TBitmap* strip = ListBitmap(FBitmapIndex);
    if (strip && FFrameWidth > 0) {
        const TRect source(FFrame * FFrameWidth, 0, FFrame * FFrameWidth + FFrameWidth, FFrameHeight);
        const int x = (Width() - FFrameWidth) / 2, y = (Height() - FFrameHeight) / 2;
        const TRect dest(x, y, x + FFrameWidth, y + FFrameHeight);
        if (Transparent()) {
            c->Brush()->SetStyle(bsClear);
            c->BrushCopy(dest, strip, source, Color());
        } else {
            c->Brush()->SetStyle(bsSolid);
            c->CopyRect(dest, strip->Canvas(), source);
        }
    }
    ShowDesignFrame(c);
    TOwGraphicImageControl::Paint();
}

bool TOwAniButton::InControl(int X, int Y) const
{
    TBitmap* mask = ListBitmap(FMaskIndex);
    if (!mask)
        return true;
    const int x = X - (Width() - mask->Width()) / 2, y = Y - (Height() - mask->Height()) / 2;
    if (x < 0 || y < 0 || x >= mask->Width() || y >= mask->Height())
        return false;
    return mask->Canvas()->Pixels(x, y) == 0;
}

void TOwAniButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TOwGraphicImageControl::MouseDown(Button, Shift, X, Y);
    if (Button == mbLeft && InControl(X, Y)) {
        FPressed = true;
        FTimer->SetEnabled(true);
    }
}

void TOwAniButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (FPressed) {
        FPressed = false;
        FireEvent(OnClick, this);
    }
    TOwGraphicImageControl::MouseUp(Button, Shift, X, Y);
}

void TOwAniButton::TimerEvent()
{
    if (FPhase == phForward) {
        if (FFrame < FImageCount - 1) {
            ++FFrame;
            Invalidate();
            return;
        }
        FPhase = phBackward;
        if (FSwitchStyle) {
            FTimer->SetEnabled(false);
            return;
        }
    }
    if (FPhase == phBackward) {
        if (FFrame >= 1) {
            --FFrame;
            Invalidate();
            return;
        }
        if (FSwitchStyle) {
            FPhase = phForward;
            FTimer->SetEnabled(false);
        } else {
            FPhase = phFinishing;
        }
        return;
    }
    FPhase = phForward;
    FTimer->SetEnabled(false);
}
