#pragma once
// The grid's rich edit: one hidden instance lays out and draws the RTF cells and measures
// them, the other edits an RTF cell in place.
#include "platform/forms/Memo.h"

class TRavArodozIdad;

class ZIduVavuRaro : public TRichEdit {
public:
    explicit ZIduVavuRaro(TComponent* AOwner);

    // Raises (positive) or lowers the selected characters by Offset twips.
    void SelFormat(int Offset);
    void SelSubscript() { SelFormat(-40); }
    void SelSuperscript() { SelFormat(40); }
    void SelNormal() { SelFormat(0); }

    // While locked, size requests leave the row alone (set while a cell is loaded).
    void Lock() { FLocked = true; }
    void Unlock() { FLocked = false; }
    bool Locked() const { return FLocked; }

    // The size the text last asked for (kept by the painting rich edit).
    int ReqWidth() const { return FReqWidth; }
    int ReqHeight() const { return FReqHeight; }
    // Lays the loaded text out at Width (0: unwrapped) and takes its size request.
    void RequestSize(int Width) { Measure(Width); }

protected:
    void RequestResize(const TRect& R) override;
    void DoExit() override;
    void KeyDown(Word& Key, TShiftState Shift) override;

private:
    TRavArodozIdad* FGrid;
    bool FLocked = false;
    int FReqWidth = 0;
    int FReqHeight = 0;
};
