#pragma once
// The grid's drag-and-drop switches and events: dragging cells and column headers out,
// dropping texts, rich texts, columns and files on the grid.
#include <functional>
#include <memory>

#include "components/grid/RavgridSettings.h"
#include "components/grid/Ravutil.h"
#include "platform/core/Component.h"

class TRavArodozIdad;
class TGridDropTarget;

using TOleDragDropEvent =
    std::function<void(TObject* Sender, int ARow, int ACol, const AnsiString& Data, bool& Allow)>;
using TOleDroppedEvent = std::function<void(TObject* Sender, TGridRect& ARect)>;
using TOleDragOverEvent = std::function<void(TObject* Sender, int ARow, int ACol, bool& Allow)>;
using TOleDropColEvent = std::function<void(TObject* Sender, int ARow, int ACol, int DropCol)>;
using TOleDragStartEvent = std::function<void(TObject* Sender, int ARow, int ACol)>;
using TOleDragStopEvent = std::function<void(TObject* Sender, int OLEEffect)>;

class TDragDropSettings : public TPersistent {
public:
    explicit TDragDropSettings(TRavArodozIdad* AGrid);
    ~TDragDropSettings() override;
    TRavArodozIdad* Grid() const { return FGrid; }
    // Rich text is offered and accepted by the grid's drag and drop only when on.
    bool OleDropRTF() const { return FOleDropRTF; }
    void SetOleDropRTF(bool Value);
    // Registers the grid's window as a drop target (or revokes it).
    bool OleDropTarget() const { return FOleDropTarget; }
    void SetOleDropTarget(bool Value);
    bool OleDropTargetRegistered() const { return FRegistered; }
    TGridDropTarget* DropTarget() const { return FDropTarget.get(); }
    // Copies the accept switches into the registered drop target.
    void UpdateDropTarget();

    void Assign(TPersistent* Source) override;

    ZV_PLAIN_PROP(bool, OleAcceptText, true)
    ZV_PLAIN_PROP(bool, OleAcceptFiles, true)
    ZV_PLAIN_PROP(bool, OleEntireRows, false)
    ZV_PLAIN_PROP(bool, OleDropSource, false)
    ZV_PLAIN_PROP(bool, OleRemoveRows, false)
    ZV_PLAIN_PROP(bool, OleInsertRows, false)
    ZV_PLAIN_PROP(bool, OleCopyAlways, false)
    ZV_PLAIN_PROP(bool, OleColumnDragDrop, false)

private:
    TRavArodozIdad* FGrid;
    bool FOleDropRTF = false;
    bool FOleDropTarget = false;
    bool FRegistered = false;
    std::unique_ptr<TGridDropTarget> FDropTarget;
};
