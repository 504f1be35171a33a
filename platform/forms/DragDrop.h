#pragma once
// Drag and drop between windows and with other programs: plain text, rich text, file
// lists and the program's own formats. A window registered as a drop target gets the
// drag's entry, moves and drop; a control starts a drag of its own data with DoDragDrop.
#include <map>
#include <vector>

#include "platform/forms/Controls.h"

constexpr int DROPEFFECT_NONE = 0;
constexpr int DROPEFFECT_COPY = 1;
constexpr int DROPEFFECT_MOVE = 2;

// What a drag carries.
struct TDragData {
    bool HasText = false;
    AnsiString Text;
    bool HasRTF = false;
    AnsiString RTF;
    std::vector<AnsiString> Files;
    // A program's own formats, by MIME type; only types under kAppFormatPrefix travel.
    std::map<AnsiString, std::vector<Byte>> AppFormats;
};

// The MIME prefix of this program's own drag formats.
inline constexpr const char* kAppFormatPrefix = "application/x-zorvane-";

// The receiving side. Points are screen coordinates; the answers are DROPEFFECT_ values.
class TDropTargetHandler {
public:
    virtual ~TDropTargetHandler() = default;
    virtual int DragEnter(const TDragData& Data, TShiftState Shift, const TPoint& P) = 0;
    virtual int DragOver(TShiftState Shift, const TPoint& P) = 0;
    virtual void DragLeave() = 0;
    virtual int Drop(const TDragData& Data, TShiftState Shift, const TPoint& P) = 0;
};

// Makes Window a drop target served by Handler (not owned); false when it cannot be.
bool RegisterDragDrop(TWinControl* Window, TDropTargetHandler* Handler);
void RevokeDragDrop(TWinControl* Window);
TDropTargetHandler* DropTargetOf(TWinControl* Window);

// Drags Data out of Source until the user drops or cancels. The result is the effect the
// drop ended with: DROPEFFECT_NONE when cancelled or no target took it. While a test
// script is set (TestInput::DropOn) the drag ends as the script says instead.
int DoDragDrop(TControl* Source, const TDragData& Data, int AllowedEffects);
