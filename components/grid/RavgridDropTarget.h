#pragma once
// The grid's drop target and drag source on its drag-and-drop layer.
#include "components/grid/Ragdd.h"
#include "components/grid/RavgridDragDrop.h"

class TGridDropTarget : public Ragdd::TRAGDropTarget {
public:
    explicit TGridDropTarget(TRavArodozIdad* AGrid) : FGrid(AGrid) {}
    void DropText(const TPoint& P, const AnsiString& Text) override;
    void DropCol(const TPoint& P, int Col) override;
    void DropRTF(const TPoint& P, const AnsiString& RTF) override;
    void DropFiles(const TPoint& P, TStrings* Files) override;
    void DragMouseMove(const TPoint& P, bool& Allowed, Ragdd::TDropFormats Formats) override;
    void DragMouseLeave() override;

private:
    void ShowArrows(int Direction1, int Direction2, bool Visible);
    TRavArodozIdad* FGrid;
};

class TGridDropSource : public Ragdd::TRAGDropSource {
public:
    explicit TGridDropSource(TRavArodozIdad* AGrid) : FGrid(AGrid) {}
    void CurrentEffect(int Effect) override;
    void QueryDrag() override;
    // The last feedback that was copy or move.
    int LastEffect() const { return FLastEffect; }

private:
    TRavArodozIdad* FGrid;
    int FLastEffect = DROPEFFECT_NONE;
};
