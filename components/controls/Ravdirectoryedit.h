#pragma once
// TRavDirectoryEdit: an edit with button whose value is a folder: the button and F4 open
// the folder browser, and the value is valid while the folder exists.
#include <functional>

#include "components/controls/Ravedbtn.h"

using TDirectoryShowEvent = std::function<void(TObject* Sender, AnsiString& InitialPath)>;

class TRavDirectoryEdit : public TVodUrizBtn {
public:
    explicit TRavDirectoryEdit(TComponent* AOwner);

    AnsiString BrowseDialogText = "Select Directory";
    bool AllowNewFolder = true;
    TDirectoryShowEvent OnShowDirectoryDialog;

    void BtnClick(TObject* Sender) override;
    virtual void ValueValidate(TObject* Sender, const AnsiString& Value, bool& Valid);
    bool IsValidDirectory();
    void ClickButton() { BtnClick(this); }
    // The folder the browser starts on: the value without its trailing separator, or the
    // current folder when the value is empty.
    AnsiString StartFolder() const;
    // Where the browser of size W x H goes: under the control whose bottom-left corner is
    // at screen point Q, or above it when there is no room below, shifted left when it
    // would leave the screen.
    static TPoint BrowserPosition(const TPoint& Q, int W, int H, int ScreenW, int ScreenH, int ControlHeight);

protected:
    void KeyDown(Word& Key, TShiftState Shift) override;
    void ValidateEvent(const AnsiString& Value, bool& IsValid) override;
};
