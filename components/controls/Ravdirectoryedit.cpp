#include "components/controls/Ravdirectoryedit.h"

#include "platform/core/FileUtils.h"
#include "platform/forms/Dialogs.h"
#include "platform/forms/Screen.h"
#include "platform/graphics/Canvas.h"

namespace {
// A small closed folder, drawn once for the button.
void DrawFolderGlyph(TBitmap* B)
{
    B->SetSize(16, 14);
    TCanvas* c = B->Canvas();
    c->Brush()->SetColor(clOlive); // transparent corner colour
    c->FillRect(TRect(0, 0, 16, 14));
    c->Pen()->SetColor(clBlack);
    c->Brush()->SetColor(clYellow);
    c->Rectangle(1, 4, 15, 13);
    c->Rectangle(1, 2, 7, 5);
}
} // namespace

TRavDirectoryEdit::TRavDirectoryEdit(TComponent* AOwner) : TVodUrizBtn(AOwner)
{
    TBitmap glyph;
    DrawFolderGlyph(&glyph);
    SetGlyph(&glyph);
    SetButtonWidth(18);
}

AnsiString TRavDirectoryEdit::StartFolder() const
{
    return GetText().empty() ? GetCurrentDir() : ExcludeTrailingPathDelimiter(GetText());
}

void TRavDirectoryEdit::BtnClick(TObject*)
{
    AnsiString p = GetText().empty() ? GetCurrentDir() : GetText();
    if (OnShowDirectoryDialog)
        OnShowDirectoryDialog(this, p);
    // The browser preselects the value's folder (or the current one); the handler's path
    // serves when the value gives none.
    AnsiString folder = GetText().empty() ? p : StartFolder();
    bool chosen = false;
    try {
        // The browser opens beside the control, not wherever the desktop would put it.
        const auto place = [this](int W, int H) {
            const int sw = Screen ? Screen->Width() : W, sh = Screen ? Screen->Height() : H;
            return BrowserPosition(ClientToScreen(TPoint(0, Height())), W, H, sw, sh, Height());
        };
        chosen = SelectDirectory(BrowseDialogText, "", folder, AllowNewFolder ? 0 : sdNoNewFolder, place);
    } catch (...) {
        chosen = false; // a failing browser counts as cancelled
    }
    if (chosen && folder != GetText()) {
        SetText(folder);
        SetModified(true);
    }
}

void TRavDirectoryEdit::ValueValidate(TObject*, const AnsiString& Value, bool& Valid)
{
    Valid = DirectoryExists(Value);
}

void TRavDirectoryEdit::ValidateEvent(const AnsiString& Value, bool& IsValid) { ValueValidate(this, Value, IsValid); }

bool TRavDirectoryEdit::IsValidDirectory()
{
    const bool ok = DirectoryExists(GetText());
    SetError(!ok);
    return ok;
}

void TRavDirectoryEdit::KeyDown(Word& Key, TShiftState Shift)
{
    const bool f4 = Key == VK_F4;
    // The base raises OnClickBtn on F4, which this edit does not publish.
    OnClickBtn = nullptr;
    TVodUrizBtn::KeyDown(Key, Shift);
    if (f4)
        BtnClick(this);
}

TPoint TRavDirectoryEdit::BrowserPosition(const TPoint& Q, int W, int H, int ScreenW, int ScreenH, int ControlHeight)
{
    const int x = Q.x + W > ScreenW ? Q.x - W : Q.x;
    const int y = Q.y + H < ScreenH ? Q.y : Q.y - H - ControlHeight;
    return TPoint(x, y);
}
