#pragma once
// The grid's drag-and-drop switches.
#include "components/grid/RavgridSettings.h"

// The grid's switches for dragging and dropping; what they do belongs to the drop layer.
class TDragDropSettings : public TPersistent {
    ZV_PLAIN_PROP(bool, OleAcceptText, true)
    ZV_PLAIN_PROP(bool, OleEntireRows, false)
    ZV_PLAIN_PROP(bool, OleDropSource, false)
    ZV_PLAIN_PROP(bool, OleRemoveRows, false)
    ZV_PLAIN_PROP(bool, OleAcceptFiles, true)
    ZV_PLAIN_PROP(bool, OleInsertRows, false)
    ZV_PLAIN_PROP(bool, OleCopyAlways, false)
    ZV_PLAIN_PROP(bool, OleColumnDragDrop, false)
public:
    explicit TDragDropSettings(TRavArodozIdad* AGrid) : FGrid(AGrid) {}
    TRavArodozIdad* Grid() const { return FGrid; }
    bool OleDropRTF() const { return FOleDropRTF; }
    void SetOleDropRTF(bool Value) { FOleDropRTF = Value; }
    bool OleDropTarget() const { return FOleDropTarget; }
    void SetOleDropTarget(bool Value) { FOleDropTarget = Value; }
    void Assign(TPersistent* Source) override;

private:
    TRavArodozIdad* FGrid;
    bool FOleDropRTF = false;
    bool FOleDropTarget = false;
};
