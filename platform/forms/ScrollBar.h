#pragma once
// TScrollBar: a stand-alone scroll bar. OnScroll reports each user move (it may change
// ScrollPos); OnChange follows every change of Position.
#include "platform/forms/Controls.h"

using TScrollEvent = std::function<void(TObject* Sender, TScrollCode ScrollCode, int& ScrollPos)>;

class TScrollBar : public TWinControl {
public:
    explicit TScrollBar(TComponent* AOwner);

    TScrollBarKind Kind() const { return FKind; }
    void SetKind(TScrollBarKind v);
    int Min() const { return FMin; }
    void SetMin(int v) { SetParams(FPosition, v, FMax); }
    int Max() const { return FMax; }
    void SetMax(int v) { SetParams(FPosition, FMin, v); }
    int Position() const { return FPosition; }
    void SetPosition(int v) { SetParams(v, FMin, FMax); }
    void SetParams(int APosition, int AMin, int AMax);
    int SmallChange() const { return FSmallChange; }
    void SetSmallChange(int v);
    int LargeChange() const { return FLargeChange; }
    void SetLargeChange(int v);
    int PageSize() const { return FPageSize; }
    void SetPageSize(int v);

    TNotifyEvent OnChange;
    TScrollEvent OnScroll;

    // A user move (the widget layer calls it).
    void UserScrolled(TScrollCode Code, int Pos);

protected:
    void CreateWidget() override;
    void SyncWidget() override;
    bool WantsKey(Word Key, TShiftState Shift) const override;

    TScrollBarKind FKind = sbHorizontal;
    int FMin = 0;
    int FMax = 100;
    int FPosition = 0;
    int FSmallChange = 1;
    int FLargeChange = 1;
    int FPageSize = 0;
};
