#pragma once
// TIcon: a small picture with see-through parts, read from a Windows icon file.
#include <memory>

#include "platform/graphics/Graphic.h"

namespace zvqt {
struct ImplAccess;
}

class TIcon : public TGraphic {
public:
    TIcon();
    ~TIcon() override;

    bool Empty() const override;
    int Width() const override;
    int Height() const override;
    void SetWidth(int v) override;
    void SetHeight(int v) override;

    void Assign(TPersistent* Source) override;
    void LoadFromData(const std::vector<Byte>& Data) override;
    std::vector<Byte> SaveToData() const override;
    void DrawOn(TCanvas* ACanvas, const TRect& R) override;

    struct Impl;

private:
    // The platform reaches it through zvqt::ImplOf.
    friend struct zvqt::ImplAccess;
    Impl* ImplPtr() const { return FImpl.get(); }
    std::unique_ptr<Impl> FImpl;
};
