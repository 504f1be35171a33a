#pragma once
// The control classes of the class library: TControl (bounds, visibility, colour, font,
// caption, mouse), TWinControl (children, focus, keys, a window of its own),
// TCustomControl (a window that paints itself on its Canvas) and TGraphicControl (no
// window: it paints on its parent's surface and never takes the focus).
//
// Every control keeps its whole state itself, so a control without a parent works as a
// model and answers every query. Its Qt widget ("handle") is created only when needed:
// when the control is shown as a window, or placed on a parent that has one, or painted
// with PaintTo. Painting always goes through a TCanvas, so any control can be drawn into a
// TBitmap (PaintTo) and any form saved as a PNG (SaveControlToPng in Render.h).
//
// Every call into user code (events, Paint, timer ticks, posted calls) runs inside the
// application's exception guard: an exception goes to Application->HandleException and
// the message loop goes on.
#include <functional>
#include <memory>
#include <vector>

#include "platform/core/Component.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/Color.h"
#include "platform/graphics/Font.h"
#include "platform/forms/VirtualKeys.h"

class TWinControl;
class TPopupMenu;
class TCustomForm;
namespace zvforms {
struct Access;
}

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };
enum TAlignment { taLeftJustify, taRightJustify, taCenter };
enum TVerticalAlignment { taAlignTop, taAlignBottom, taVerticalCenter };
enum TTextLayout { tlTop, tlCenter, tlBottom };
enum TMouseButton { mbLeft, mbRight, mbMiddle };

// Shift state: a set of these bits.
enum TShiftStateBit : unsigned {
    ssShift = 1u << 0,
    ssAlt = 1u << 1,
    ssCtrl = 1u << 2,
    ssLeft = 1u << 3,
    ssRight = 1u << 4,
    ssMiddle = 1u << 5,
    ssDouble = 1u << 6,
};
using TShiftState = unsigned;

// Cursor numbers of the class library; Screen->SetCursors may add own numbers.
using TCursor = int;
constexpr TCursor crDefault = 0;
constexpr TCursor crNone = -1;
constexpr TCursor crArrow = -2;
constexpr TCursor crCross = -3;
constexpr TCursor crIBeam = -4;
constexpr TCursor crSize = -22;
constexpr TCursor crSizeNESW = -6;
constexpr TCursor crSizeNS = -7;
constexpr TCursor crSizeNWSE = -8;
constexpr TCursor crSizeWE = -9;
constexpr TCursor crUpArrow = -10;
constexpr TCursor crHourGlass = -11;
constexpr TCursor crDrag = -12;
constexpr TCursor crNoDrop = -13;
constexpr TCursor crHSplit = -14;
constexpr TCursor crVSplit = -15;
constexpr TCursor crMultiDrag = -16;
constexpr TCursor crSQLWait = -17;
constexpr TCursor crNo = -18;
constexpr TCursor crAppStart = -19;
constexpr TCursor crHelp = -20;
constexpr TCursor crHandPoint = -21;
constexpr TCursor crSizeAll = -22;

// ControlStyle bits.
enum TControlStyleBit : unsigned {
    csAcceptsControls = 1u << 0,
    csCaptureMouse = 1u << 1,
    csDesignInteractive = 1u << 2,
    csClickEvents = 1u << 3,
    csFramed = 1u << 4,
    csSetCaption = 1u << 5,
    csOpaque = 1u << 6,
    csDoubleClicks = 1u << 7,
    csFixedWidth = 1u << 8,
    csFixedHeight = 1u << 9,
    csNoDesignVisible = 1u << 10,
    csReplicatable = 1u << 11,
    csNoStdEvents = 1u << 12,
};
using TControlStyle = unsigned;

// ControlState bits.
enum TControlStateBit : unsigned {
    csLButtonDown = 1u << 0,
    csClicked = 1u << 1,
    csPalette = 1u << 2,
    csReadingState = 1u << 3,
    csAlignmentNeeded = 1u << 4,
    csFocusing = 1u << 5,
    csCreating = 1u << 6,
    csPaintCopy = 1u << 7,
    csCustomPaint = 1u << 8,
    csDestroyingHandle = 1u << 9,
};
using TControlState = unsigned;

enum TScrollBarKind { sbHorizontal, sbVertical };
enum TScrollCode { scLineUp, scLineDown, scPageUp, scPageDown, scPosition, scTrack, scTop, scBottom, scEndScroll };
enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };
enum TBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
using TFormBorderStyle = TBorderStyle;

// Modal results (TButton::ModalResult, TForm::ShowModal, MessageDlg).
using TModalResult = int;
constexpr TModalResult mrNone = 0;
constexpr TModalResult mrOk = 1;
constexpr TModalResult mrCancel = 2;
constexpr TModalResult mrAbort = 3;
constexpr TModalResult mrRetry = 4;
constexpr TModalResult mrIgnore = 5;
constexpr TModalResult mrYes = 6;
constexpr TModalResult mrNo = 7;
constexpr TModalResult mrAll = 8;
constexpr TModalResult mrNoToAll = 9;
constexpr TModalResult mrYesToAll = 10;

using TMouseEvent = std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;
using TMouseWheelUpDownEvent =
    std::function<void(TObject* Sender, TShiftState Shift, const TPoint& MousePos, bool& Handled)>;
using TKeyEvent = std::function<void(TObject* Sender, Word& Key, TShiftState Shift)>;
using TKeyPressEvent = std::function<void(TObject* Sender, char& Key)>;

class TControl : public TComponent {
public:
    explicit TControl(TComponent* AOwner);
    ~TControl() override;

    // Parent: the windowed control that shows this one (nullptr: none).
    TWinControl* Parent() const { return FParent; }
    virtual void SetParent(TWinControl* AParent);
    bool HasParent() const { return FParent != nullptr; }

    int Left() const { return FLeft; }
    void SetLeft(int v) { SetBounds(v, FTop, FWidth, FHeight); }
    int Top() const { return FTop; }
    void SetTop(int v) { SetBounds(FLeft, v, FWidth, FHeight); }
    int Width() const { return FWidth; }
    void SetWidth(int v) { SetBounds(FLeft, FTop, v, FHeight); }
    int Height() const { return FHeight; }
    void SetHeight(int v) { SetBounds(FLeft, FTop, FWidth, v); }
    virtual void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
    TRect BoundsRect() const { return TRect(FLeft, FTop, FLeft + FWidth, FTop + FHeight); }
    void SetBoundsRect(const TRect& R) { SetBounds(R.Left, R.Top, R.Width(), R.Height()); }
    // The inside of the control in its own coordinates (windowed controls exclude their
    // border and scroll bars).
    virtual TRect ClientRect() const;
    int ClientWidth() const { return ClientRect().Width(); }
    void SetClientWidth(int v);
    int ClientHeight() const { return ClientRect().Height(); }
    void SetClientHeight(int v);
    // Screen position of the client area's (0, 0).
    virtual TPoint ClientOrigin() const;
    TPoint ClientToScreen(const TPoint& P) const;
    TPoint ScreenToClient(const TPoint& P) const;
    // Point in the parent's client coordinates.
    TPoint ClientToParent(const TPoint& P, TWinControl* AParent = nullptr) const;

    TAlign Align() const { return FAlign; }
    void SetAlign(TAlign v);
    bool AutoSize() const { return FAutoSize; }
    virtual void SetAutoSize(bool v);

    bool Visible() const { return FVisible; }
    virtual void SetVisible(bool v);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    // Visible and all parents visible (a form: shown).
    bool Showing() const;
    bool Enabled() const { return FEnabled; }
    virtual void SetEnabled(bool v);

    TColor Color() const { return FColor; }
    void SetColor(TColor v);
    bool ParentColor() const { return FParentColor; }
    void SetParentColor(bool v);
    TFont* Font() const { return FFont.get(); }
    void SetFont(TFont* v) { FFont->Assign(v); }
    bool ParentFont() const { return FParentFont; }
    void SetParentFont(bool v);

    // Caption and Text are the same string, as in the class library.
    const AnsiString& Caption() const { return FText; }
    void SetCaption(const AnsiString& v) { SetText(v); }
    virtual AnsiString Text() const { return FText; }
    virtual void SetText(const AnsiString& v);

    const AnsiString& Hint() const { return FHint; }
    void SetHint(const AnsiString& v);
    bool ShowHint() const { return FShowHint; }
    void SetShowHint(bool v);
    TCursor Cursor() const { return FCursor; }
    void SetCursor(TCursor v);
    TPopupMenu* PopupMenu() const { return FPopupMenu; }
    void SetPopupMenu(TPopupMenu* v);

    TControlStyle ControlStyle() const { return FControlStyle; }
    void SetControlStyle(TControlStyle v) { FControlStyle = v; }
    TControlState ControlState() const { return FControlState; }
    void SetControlState(TControlState v) { FControlState = v; }
    bool MouseCapture() const;
    void SetMouseCapture(bool v);

    // Painting. Invalidate asks for a paint later; Repaint and Refresh paint now
    // (when the control is on a window); Update paints what is pending.
    virtual void Invalidate();
    virtual void Repaint();
    void Refresh() { Repaint(); }
    virtual void Update();
    // Draws the control (and its children) into Canvas with its top-left at (X, Y).
    virtual void PaintTo(TCanvas* Canvas, int X, int Y) = 0;

    void BringToFront();
    void SendToBack();

    // The form the control lies on (nullptr when none).
    TCustomForm* ParentForm() const;

    // Natural size negotiation of SetBounds while AutoSize is on.
    virtual bool CanAutoSize(int& NewWidth, int& NewHeight);
    virtual bool CanResize(int& NewWidth, int& NewHeight);

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TMouseMoveEvent OnMouseMove;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;
    TNotifyEvent OnResize;

    // Mouse entry points (the message handlers): the widget layer and TestInput call
    // these with client coordinates. They run the class library's sequence: down
    // (capture, click arming), up (Click when released inside, then OnMouseUp).
    void HandleMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y, bool Double = false);
    void HandleMouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
    void HandleMouseMove(TShiftState Shift, int X, int Y);

    // Control notifications (the class library's CM_ messages); descendants may override,
    // calling the inherited handler first.
    virtual void CMMouseEnter();
    virtual void CMMouseLeave();
    virtual void CMFontChanged();
    virtual void CMTextChanged();
    virtual void CMEnabledChanged();
    virtual void CMVisibleChanged();
    virtual void CMColorChanged();
    virtual void CMParentColorChanged();
    virtual void CMParentFontChanged();
    // The tool tip about to show at client point CursorPos: HintStr starts as Hint and
    // CanShow as ShowHint with a non-empty Hint; a control may give a hint per spot.
    virtual void CMHintShow(AnsiString& HintStr, const TPoint& CursorPos, bool& CanShow);
    // The cursor shown while the mouse is over client point (X, Y): Cursor, unless a control
    // shows another over some spots (a grid over a line the mouse can drag).
    virtual TCursor CursorAt(int X, int Y);
    // Alt plus a character offered to the controls of a form (accelerators, "&Apply");
    // true when one took it. Nothing by default; windowed controls pass it to their children.
    virtual bool CMDialogChar(char Key);

    virtual void Click();
    virtual void DblClick();

protected:
    virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void MouseMove(TShiftState Shift, int X, int Y);
    virtual void Resize();
    // Called when the bounds changed (after FLeft.. are stored).
    virtual void BoundsChanged();
    // Lets AutoSize controls fit their content now.
    virtual void AdjustSize();
    void RequestAlign();
    void Notification(TComponent* AComponent, TOperation Operation) override;

    friend class TWinControl;
    friend struct zvforms::Access;
    TWinControl* FParent = nullptr;
    int FLeft = 0;
    int FTop = 0;
    int FWidth = 0;
    int FHeight = 0;
    TAlign FAlign = alNone;
    bool FAutoSize = false;
    bool FVisible = true;
    bool FEnabled = true;
    TColor FColor = clBtnFace;
    bool FParentColor = false;
    std::unique_ptr<TFont> FFont;
    bool FParentFont = true;
    AnsiString FText;
    AnsiString FHint;
    bool FShowHint = false;
    TCursor FCursor = crDefault;
    TPopupMenu* FPopupMenu = nullptr;
    TControlStyle FControlStyle = csCaptureMouse | csClickEvents | csSetCaption | csDoubleClicks;
    TControlState FControlState = 0;

private:
    void FontChanged(TObject* Sender);
    bool FChangingFontFromParent = false;
};

class TWinControl : public TControl {
public:
    explicit TWinControl(TComponent* AOwner);
    ~TWinControl() override;

    // Children in z-order (bottom first).
    int ControlCount() const { return static_cast<int>(FControls.size()); }
    TControl* Controls(int Index) const { return FControls.at(static_cast<size_t>(Index)); }
    void InsertControl(TControl* AControl);
    void RemoveControl(TControl* AControl);
    bool ContainsControl(TControl* Control) const;
    // The topmost visible child at client point Pos (graphic and windowed), or nullptr.
    TControl* ControlAtPos(const TPoint& Pos, bool AllowDisabled, bool AllowWinControls = true) const;

    // Focus.
    bool TabStop() const { return FTabStop; }
    void SetTabStop(bool v) { FTabStop = v; }
    int TabOrder() const;
    void SetTabOrder(int v);
    virtual bool CanFocus() const;
    bool Focused() const;
    virtual void SetFocus();
    // Moves the focus from CurControl to the next (or previous) control that can take it.
    void SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop);
    // Controls in tab order, depth first.
    void GetTabOrderList(std::vector<TWinControl*>& List) const;

    // Keys: the entry points the widget layer and TestInput call. KeyDown runs the form's
    // preview and OnKeyDown; the character follows even when the key was zeroed.
    bool HandleKeyDown(Word& Key, TShiftState Shift);
    bool HandleKeyPress(char& Key);
    bool HandleKeyUp(Word& Key, TShiftState Shift);

    // Window handle (Qt widget) management.
    bool HandleAllocated() const;
    void HandleNeeded();
    void DestroyHandle();

    int BorderWidth() const { return FBorderWidth; }
    void SetBorderWidth(int v);
    bool Ctl3D() const { return FCtl3D; }
    void SetCtl3D(bool v);
    bool DoubleBuffered() const { return true; }
    void SetDoubleBuffered(bool) {}

    TRect ClientRect() const override;
    TPoint ClientOrigin() const override;
    void Invalidate() override;
    // Asks for a later paint of part of the client area (client coordinates).
    void InvalidateClientRect(const TRect& R);
    void Repaint() override;
    void Update() override;
    void PaintTo(TCanvas* Canvas, int X, int Y) override;
    // The window's own drawing into Canvas (client coordinates): background, Paint,
    // then the graphic children (what the parent contributes under a child).
    void PaintWindowTo(TCanvas* Canvas);
    // Background and the window's own Paint only, no children (the class library's
    // WM_ERASEBKGND followed by PaintWindow).
    virtual void PaintBackground(TCanvas* Canvas);
    // Arranges the aligned children.
    void Realign();
    void DisableAlign();
    void EnableAlign();

    // Scroll bars (part of the window's border, as in Win32).
    void SetScrollRange(TScrollBarKind Kind, int Min, int Max, int Page);
    void SetScrollPos(TScrollBarKind Kind, int Pos);
    int ScrollPos(TScrollBarKind Kind) const;
    void ShowScrollBar(TScrollBarKind Kind, bool Show);
    bool ScrollBarVisible(TScrollBarKind Kind) const;

    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;
    TKeyEvent OnKeyDown;
    TKeyPressEvent OnKeyPress;
    TKeyEvent OnKeyUp;
    TMouseWheelUpDownEvent OnMouseWheelDown;
    TMouseWheelUpDownEvent OnMouseWheelUp;

    void SetVisible(bool v) override;
    void SetEnabled(bool v) override;
    void CMFontChanged() override;
    void CMColorChanged() override;
    void CMEnabledChanged() override;
    void CMVisibleChanged() override;
    void CMTextChanged() override;
    bool CMDialogChar(char Key) override;

    virtual void DoEnter();
    virtual void DoExit();
    // Enter and Esc offered to the controls of a form (default and cancel buttons); true
    // when one took it. The default passes it to the windowed children.
    virtual bool CMDialogKey(Word Key, TShiftState Shift);
    // A user scroll of a scroll bar; Pos may be changed. Default: keep it.
    virtual void DoScroll(TScrollBarKind Kind, TScrollCode Code, int& Pos);
    virtual bool DoMouseWheelDown(TShiftState Shift, const TPoint& MousePos);
    virtual bool DoMouseWheelUp(TShiftState Shift, const TPoint& MousePos);

    struct Impl;

protected:
    virtual void KeyDown(Word& Key, TShiftState Shift);
    virtual void KeyPress(char& Key);
    virtual void KeyUp(Word& Key, TShiftState Shift);
    // Keys the control handles itself instead of the form's navigation (Tab, arrows, Enter, Esc).
    virtual bool WantsKey(Word Key, TShiftState Shift) const;
    // A control over a native widget may keep a mouse event from the widget's own handling
    // (a press that starts dragging the selection): Kind 0 press, 1 move, 2 release,
    // 3 the second press of a double click.
    virtual bool HoldsNativeMouse(int /*Kind*/, TMouseButton /*Button*/, int /*X*/, int /*Y*/) const { return false; }
    // Width of the border around the client area (0: none).
    virtual int NonClientWidth() const { return 0; }
    // Draws the border; Canvas covers the whole control.
    virtual void PaintNonClient(TCanvas* Canvas);
    // Fills the background (Color) unless csOpaque; then the control's own drawing.
    virtual void PaintControl(TCanvas* Canvas);
    // Drawing over the picture of a native control (an edit's flat line or marker), in
    // client coordinates; nothing by default.
    virtual void PaintOverlay(TCanvas* Canvas);
    virtual void AlignControls(TControl* AControl, TRect& Rect);
    void BoundsChanged() override;
    void SetChildFocus(TWinControl* Control);
    // Takes the form's focus off this control or its children before it hides or is disabled.
    void RemoveFocus();
    // The window has just come onto the screen (its own show or a parent's); nothing by default.
    virtual void WindowShown() {}
    // Kind of native widget; the default is a plain painted window.
    virtual void CreateWidget();
    // Copies state (text, colours, ...) into the native widget after creation or change.
    virtual void SyncWidget();
    // Property setter of a widget property: stores v and updates the widget when it differs.
    template <typename T>
    void SetAndSync(T& Field, const T& v)
    {
        if (Field == v)
            return;
        Field = v;
        if (HandleAllocated())
            SyncWidget();
    }

    friend class TControl;
    friend class TCustomForm;
    friend struct zvforms::Access;
    std::vector<TControl*> FControls;
    bool FTabStop = false;
    int FBorderWidth = 0;
    bool FCtl3D = true;
    int FAlignLevel = 0;
    std::unique_ptr<Impl> FImpl;

private:
    // The platform reaches it through zvforms::ImplOf.
    Impl* ImplPtr() const { return FImpl.get(); }
};

class TCustomControl : public TWinControl {
public:
    explicit TCustomControl(TComponent* AOwner);
    ~TCustomControl() override;

    // The drawing surface while the control paints. Outside Paint, on a control with a
    // window, it draws over the last painted picture until the next paint (as drawing on
    // the screen does); without a window it only measures text.
    TCanvas* Canvas() const;

protected:
    virtual void Paint();
    void PaintControl(TCanvas* Canvas) override;

    std::unique_ptr<TCanvas> FCanvas;
    bool FPainting = false;
};

class TGraphicControl : public TControl {
public:
    explicit TGraphicControl(TComponent* AOwner);
    ~TGraphicControl() override;

    TCanvas* Canvas() const { return FCanvas.get(); }
    void PaintTo(TCanvas* Canvas, int X, int Y) override;

protected:
    virtual void Paint();

    std::unique_ptr<TCanvas> FCanvas;
};

// The control that has the mouse captured (nullptr: none).
TControl* GetCaptureControl();
void SetCaptureControl(TControl* Control);

// Shift state of the keyboard and mouse buttons right now.
TShiftState KeyboardShiftState();

// True when Key is the accelerator of Caption (the character after a single '&', any case).
bool IsAccel(char Key, const AnsiString& Caption);
