#pragma once
// TScreen: the screen's size, the global cursor and the active form and control;
// one global object `Screen`.
#include <map>
#include <memory>
#include <vector>

#include "platform/forms/Form.h"

class TBitmap;

class TScreen : public TComponent {
public:
    explicit TScreen(TComponent* AOwner);
    ~TScreen() override;

    int Width() const;
    int Height() const;
    int PixelsPerInch() const { return 96; }

    // A cursor other than crDefault overrides every control's cursor (crHourGlass while busy).
    TCursor Cursor() const { return FCursor; }
    void SetCursor(TCursor v);
    // Own cursor numbers: Index shows as the built-in cursor Shape.
    void SetCursors(int Index, TCursor Shape);
    TCursor Cursors(int Index) const;
    // Own cursor numbers drawn from a picture: Index shows Image (its transparent colour
    // left out) with the hot spot at (HotX, HotY). A later SetCursors of Index wins.
    void SetCursorImage(int Index, const TBitmap* Image, int HotX, int HotY);
    // The picture of an own cursor number (nullptr when it has none) and its hot spot.
    const TBitmap* CursorImage(int Index, TPoint& HotSpot) const;
    // Start-up work of a library that needs the screen (its own cursors): every screen made
    // runs it, and the current one at once. Call from a static initializer.
    static bool AddInitialization(void (*Init)(TScreen* S));

    TCustomForm* ActiveForm() const;
    TWinControl* ActiveControl() const;
    int FormCount() const { return static_cast<int>(FForms.size()); }
    TCustomForm* Forms(int Index) const { return FForms.at(static_cast<size_t>(Index)); }

    void AddForm(TCustomForm* F);
    void RemoveForm(TCustomForm* F);
    void SetActiveForm(TCustomForm* F);

private:
    TCursor FCursor = crDefault;
    std::map<int, TCursor> FCursorMap;
    struct TCursorImage {
        std::shared_ptr<TBitmap> Image;
        TPoint HotSpot;
    };
    std::map<int, TCursorImage> FCursorImages;
    std::vector<TCustomForm*> FForms;
    TCustomForm* FActiveForm = nullptr;
};

extern TScreen* Screen;

// Where the mouse pointer is, in screen coordinates.
TPoint GetCursorPos();
