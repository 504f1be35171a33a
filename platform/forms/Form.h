#pragma once
// TForm: a top-level window. Width and Height include a classic frame (border and
// caption bar, and the menu bar when Menu is set); ClientWidth and ClientHeight are the
// inside. OnCreate runs after construction (Application->CreateForm, or the first
// Show/ShowModal); ShowModal returns the ModalResult that ended it.
#include "platform/forms/Controls.h"

class TMainMenu;

enum TBorderIconBit : unsigned { biSystemMenu = 1u << 0, biMinimize = 1u << 1, biMaximize = 1u << 2, biHelp = 1u << 3 };
using TBorderIcons = unsigned;
enum TPosition {
    poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter, poDesktopCenter,
    poMainFormCenter, poOwnerFormCenter
};
enum TWindowState { wsNormal, wsMinimized, wsMaximized };
enum TCloseAction { caNone, caHide, caFree, caMinimize };
enum TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };

using TCloseQueryEvent = std::function<void(TObject* Sender, bool& CanClose)>;
using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;

class TCustomForm : public TWinControl {
public:
    explicit TCustomForm(TComponent* AOwner);
    ~TCustomForm() override;

    TBorderIcons BorderIcons() const { return FBorderIcons; }
    void SetBorderIcons(TBorderIcons v);
    TFormBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TFormBorderStyle v);
    TPosition Position() const { return FPosition; }
    void SetPosition(TPosition v) { FPosition = v; }
    TWindowState WindowState() const { return FWindowState; }
    void SetWindowState(TWindowState v);
    TFormStyle FormStyle() const { return FFormStyle; }
    void SetFormStyle(TFormStyle v) { FFormStyle = v; }
    bool KeyPreview() const { return FKeyPreview; }
    void SetKeyPreview(bool v) { FKeyPreview = v; }
    bool Scaled() const { return FScaled; }
    void SetScaled(bool v) { FScaled = v; }
    TMainMenu* Menu() const { return FMenu; }
    void SetMenu(TMainMenu* v);

    TWinControl* ActiveControl() const { return FActiveControl; }
    void SetActiveControl(TWinControl* Control);
    // Moves the focus to Control (firing OnExit on the old and OnEnter on the new).
    void FocusControl(TWinControl* Control);

    TModalResult ModalResult() const { return FModalResult; }
    void SetModalResult(TModalResult v) { FModalResult = v; }
    // Runs the form modally: a nested message loop until ModalResult is set or the form
    // closes. In tests the scripted dialog place answers instead (ModalScript.h).
    virtual TModalResult ShowModal();
    bool Modal() const { return FModal; }
    // Asks OnCloseQuery, then OnClose, then hides (or frees) the form.
    void Close();
    bool CloseQuery();
    void Release();
    bool Active() const;

    TRect ClientRect() const override;
    TPoint ClientOrigin() const override;
    void SetVisible(bool v) override;
    void SetAutoSize(bool v) override;

    // The user can drag the window's frame to another size: a sizeable border and no
    // automatic size. Otherwise the window keeps the form's size, and has no maximise button.
    bool UserSizeable() const;

    // Size of the frame parts in pixels.
    int FrameWidth() const;
    int CaptionHeight() const;
    int MenuHeight() const;

    TNotifyEvent OnCreate;
    TNotifyEvent OnDestroy;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    TNotifyEvent OnPaint;
    TCloseQueryEvent OnCloseQuery;
    TCloseEvent OnClose;

    // Runs OnCreate once.
    void DoCreate();
    // Tab and arrows move the focus; Enter and Esc go to the default and cancel buttons.
    bool DialogKey(Word Key, TShiftState Shift);
    void PaintTo(TCanvas* Canvas, int X, int Y) override;
    // Draws the classic frame (border, caption bar, menu bar) into Canvas at (X, Y).
    void PaintFrame(TCanvas* Canvas, int X, int Y);
    TCanvas* Canvas() const { return FCanvas.get(); }

protected:
    void PaintControl(TCanvas* Canvas) override;
    virtual void Paint();
    void AdjustSize() override;
    void BoundsChanged() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void CreateWidget() override;
    void SyncWidget() override;
    void ApplyWindowSize();

    friend class TWinControl;
    friend class TApplication;
    TBorderIcons FBorderIcons = biSystemMenu | biMinimize | biMaximize;
    TFormBorderStyle FBorderStyle = bsSizeable;
    TPosition FPosition = poDesigned;
    TWindowState FWindowState = wsNormal;
    TFormStyle FFormStyle = fsNormal;
    bool FKeyPreview = false;
    bool FScaled = true;
    TMainMenu* FMenu = nullptr;
    TWinControl* FActiveControl = nullptr;
    TModalResult FModalResult = mrNone;
    bool FModal = false;
    bool FCreated = false;
    std::unique_ptr<TCanvas> FCanvas;
};

class TForm : public TCustomForm {
public:
    explicit TForm(TComponent* AOwner) : TCustomForm(AOwner) {}
};

// The form a control lies on.
TCustomForm* GetParentForm(TControl* Control);
