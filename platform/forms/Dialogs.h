#pragma once
// Message boxes and the common dialogs. All of them go through ModalScript.
#include <functional>
#include <vector>

#include "platform/forms/Controls.h"
#include "platform/forms/ModalScript.h"

// Win32 message box flags and results.
enum : unsigned {
    MB_OK = 0x00000000, MB_OKCANCEL = 0x00000001, MB_ABORTRETRYIGNORE = 0x00000002,
    MB_YESNOCANCEL = 0x00000003, MB_YESNO = 0x00000004, MB_RETRYCANCEL = 0x00000005,
    MB_ICONHAND = 0x00000010, MB_ICONQUESTION = 0x00000020, MB_ICONEXCLAMATION = 0x00000030,
    MB_ICONASTERISK = 0x00000040, MB_ICONERROR = MB_ICONHAND, MB_ICONSTOP = MB_ICONHAND,
    MB_ICONWARNING = MB_ICONEXCLAMATION, MB_ICONINFORMATION = MB_ICONASTERISK,
    MB_DEFBUTTON1 = 0x00000000, MB_DEFBUTTON2 = 0x00000100, MB_DEFBUTTON3 = 0x00000200,
    MB_APPLMODAL = 0x00000000, MB_SYSTEMMODAL = 0x00001000, MB_TASKMODAL = 0x00002000,
    MB_SETFOREGROUND = 0x00010000, MB_TOPMOST = 0x00040000,
};
enum : int { IDOK = 1, IDCANCEL = 2, IDABORT = 3, IDRETRY = 4, IDIGNORE = 5, IDYES = 6, IDNO = 7 };

// A Win32-style message box (the Win32 MessageBox call); returns the ID of the button.
int ShowMessageBox(const AnsiString& Text, const AnsiString& Caption, unsigned Flags);

enum TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
enum TMsgDlgBtnBit : unsigned {
    mbYes = 1u << 0, mbNo = 1u << 1, mbOK = 1u << 2, mbCancel = 1u << 3, mbAbort = 1u << 4,
    mbRetry = 1u << 5, mbIgnore = 1u << 6, mbAll = 1u << 7, mbNoToAll = 1u << 8, mbYesToAll = 1u << 9,
    mbHelp = 1u << 10,
};
using TMsgDlgButtons = unsigned;
constexpr TMsgDlgButtons mbYesNoCancel = mbYes | mbNo | mbCancel;
constexpr TMsgDlgButtons mbOKCancel = mbOK | mbCancel;
constexpr TMsgDlgButtons mbAbortRetryIgnore = mbAbort | mbRetry | mbIgnore;

// The class library's message dialog: caption "Warning", "Error", "Information",
// "Confirm", or the application title for mtCustom; returns mrYes, mrOk, ...
int MessageDlg(const AnsiString& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx = 0);
// A message with an OK button, captioned with the application title.
void ShowMessage(const AnsiString& Msg);
AnsiString InputBox(const AnsiString& ACaption, const AnsiString& APrompt, const AnsiString& ADefault);
bool InputQuery(const AnsiString& ACaption, const AnsiString& APrompt, AnsiString& Value);
// Lets the user pick a folder below Root; Directory holds the start and the choice.
bool SelectDirectory(const AnsiString& Caption, const AnsiString& Root, AnsiString& Directory);
// The same with options (the request's Flags): sdNoNewFolder hides the new-folder button.
constexpr unsigned sdNoNewFolder = 1;
bool SelectDirectory(const AnsiString& Caption, const AnsiString& Root, AnsiString& Directory, unsigned Options);
// Where a dialog of Width x Height pixels goes: its top-left corner on the screen.
using TDialogPlacement = std::function<TPoint(int Width, int Height)>;
// The same, the dialog placed by Place (the request's Bounds tell where it went).
bool SelectDirectory(const AnsiString& Caption, const AnsiString& Root, AnsiString& Directory, unsigned Options,
                     const TDialogPlacement& Place);

enum TOpenOptionBit : unsigned {
    ofReadOnly = 1u << 0, ofOverwritePrompt = 1u << 1, ofHideReadOnly = 1u << 2, ofNoChangeDir = 1u << 3,
    ofShowHelp = 1u << 4, ofNoValidate = 1u << 5, ofAllowMultiSelect = 1u << 6, ofExtensionDifferent = 1u << 7,
    ofPathMustExist = 1u << 8, ofFileMustExist = 1u << 9, ofCreatePrompt = 1u << 10, ofShareAware = 1u << 11,
    ofNoReadOnlyReturn = 1u << 12, ofNoTestFileCreate = 1u << 13, ofNoNetworkButton = 1u << 14,
    ofNoLongNames = 1u << 15, ofOldStyleDialog = 1u << 16, ofNoDereferenceLinks = 1u << 17,
    ofEnableIncludeNotify = 1u << 18, ofEnableSizing = 1u << 19,
};
using TOpenOptions = unsigned;

// File dialogs. Filter is "Text files (*.txt)|*.txt|All files (*.*)|*.*"; a chosen name
// without extension gets DefaultExt.
class TOpenDialog : public TComponent {
public:
    explicit TOpenDialog(TComponent* AOwner);

    const AnsiString& FileName() const { return FFileName; }
    void SetFileName(const AnsiString& v) { FFileName = v; }
    const AnsiString& Filter() const { return FFilter; }
    void SetFilter(const AnsiString& v) { FFilter = v; }
    int FilterIndex() const { return FFilterIndex; }
    void SetFilterIndex(int v) { FFilterIndex = v; }
    const AnsiString& InitialDir() const { return FInitialDir; }
    void SetInitialDir(const AnsiString& v) { FInitialDir = v; }
    const AnsiString& DefaultExt() const { return FDefaultExt; }
    void SetDefaultExt(const AnsiString& v) { FDefaultExt = v; }
    const AnsiString& Title() const { return FTitle; }
    void SetTitle(const AnsiString& v) { FTitle = v; }
    TOpenOptions Options() const { return FOptions; }
    void SetOptions(TOpenOptions v) { FOptions = v; }

    virtual bool Execute();

protected:
    virtual bool IsSave() const { return false; }
    AnsiString FFileName;
    AnsiString FFilter;
    int FFilterIndex = 1;
    AnsiString FInitialDir;
    AnsiString FDefaultExt;
    AnsiString FTitle;
    TOpenOptions FOptions = ofHideReadOnly | ofEnableSizing;
};

class TSaveDialog : public TOpenDialog {
public:
    explicit TSaveDialog(TComponent* AOwner) : TOpenDialog(AOwner) {}

protected:
    bool IsSave() const override { return true; }
};

class TColorDialog : public TComponent {
public:
    explicit TColorDialog(TComponent* AOwner);
    TColor Color() const { return FColor; }
    void SetColor(TColor v) { FColor = v; }
    bool Execute();

private:
    TColor FColor = clBlack;
};
