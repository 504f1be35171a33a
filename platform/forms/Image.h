#pragma once
// TImage: shows a picture; Stretch fits it to the control, Center centres it,
// Transparent leaves out the bitmap's see-through colour. Its Canvas draws on the
// picture's bitmap.
#include <memory>

#include "platform/forms/Controls.h"
#include "platform/graphics/Picture.h"

class TImage : public TGraphicControl {
public:
    explicit TImage(TComponent* AOwner);
    ~TImage() override;

    TPicture* Picture() const { return FPicture.get(); }
    void SetPicture(TPicture* v) { FPicture->Assign(v); }
    bool Stretch() const { return FStretch; }
    void SetStretch(bool v);
    bool Center() const { return FCenter; }
    void SetCenter(bool v);
    bool Proportional() const { return FProportional; }
    void SetProportional(bool v);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool v);
    // The picture's bitmap canvas (an empty picture becomes a bitmap of the control's size).
    TCanvas* Canvas();

    bool CanAutoSize(int& NewWidth, int& NewHeight) override;

protected:
    void Paint() override;
    void PictureChanged();
    TRect DestRect() const;

    std::unique_ptr<TPicture> FPicture;
    bool FStretch = false;
    bool FCenter = false;
    bool FProportional = false;
    bool FTransparent = false;
};
