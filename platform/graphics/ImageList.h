#pragma once
// TImageList: equal-sized small images kept by index, drawn see-through.
#include <memory>
#include <vector>

#include "platform/graphics/Bitmap.h"

class TCanvas;

class TImageList : public TComponent {
public:
    explicit TImageList(TComponent* AOwner);
    ~TImageList() override;

    int Width() const { return FWidth; }
    void SetWidth(int v);
    int Height() const { return FHeight; }
    void SetHeight(int v);
    int Count() const { return static_cast<int>(FImages.size()); }

    // Adds Image (cut into Width-wide pieces when wider); Mask white = see-through.
    // Returns the index of the first image added.
    int Add(TBitmap* Image, TBitmap* Mask);
    // As Add, with pixels of MaskColor see-through.
    int AddMasked(TBitmap* Image, TColor MaskColor);
    void Delete(int Index);
    void Clear();
    // Draws image Index at (X, Y); a disabled image is drawn greyed.
    void Draw(TCanvas* Canvas, int X, int Y, int Index, bool Enabled = true);
    // Copies image Index into Image (sized to Width x Height).
    void GetBitmap(int Index, TBitmap* Image);

    TNotifyEvent OnChange;

private:
    void CheckIndex(int Index) const;
    int FWidth = 16;
    int FHeight = 16;
    struct Entry;
    std::vector<std::unique_ptr<Entry>> FImages;
};
