// The typed edit's optional services: range lists, the lookup list, persistence, the
// web-address click and text drag and drop.
#include <algorithm>
#include <cstdint>

#include "components/controls/Raveddd.h"
#include "components/controls/Voduriz.h"
#include "platform/core/IniFiles.h"
#include "platform/core/Synchronize.h"
#include "platform/forms/Form.h"
#include "platform/forms/Shell.h"

namespace {
// Puts S in place of the model's selection, the caret after it.
void ReplaceSelection(TVodUrizModel& M, const AnsiString& S)
{
    AnsiString t = M.WindowText();
    t.replace(static_cast<size_t>(M.SelStart()), static_cast<size_t>(M.SelLength()), S);
    const int caret = M.SelStart() + static_cast<int>(S.size());
    M.SetWindowText(t);
    M.SetSelection(caret, caret);
}
} // namespace

bool TVodUriz::RangeStrToList(TRangeList* List) const { return List->StrToList(GetText()); }

void TVodUriz::ListToRangeStr(TRangeList* List) { SetText(List->ToRangeStr()); }

// ---------------------------------------------------------------- lookup list

bool TVodUriz::LookupShown() const { return FLookupWindow && FLookupWindow->Visible(); }

void TVodUriz::HideLookup()
{
    if (FLookupWindow)
        FLookupWindow->SetVisible(false);
}

void TVodUriz::UpdateLookup()
{
    if (!FLookup->Enabled)
        return;
    int offset = 0;
    const AnsiString word = VodurizLookup::CurrentWord(GetText(), *FLookup, offset);
    if (static_cast<int>(word.size()) < FLookup->NumChars()) {
        HideLookup();
        return;
    }
    TCustomForm* form = GetParentForm(this);
    if (!form)
        return;
    if (!FLookupWindow) {
        FLookupWindow = new TListHintWindow(this);
        FLookupWindow->SetParent(form);
        TListBox* list = FLookupWindow->ListBox();
        list->OnMouseUp = [this](TObject*, TMouseButton Button, TShiftState, int X, int Y) {
            if (Button != mbLeft)
                return;
            TListBox* l = FLookupWindow->ListBox();
            const int i = l->ItemAtPos(TPoint(X, Y), true);
            if (i >= 0)
                l->SetItemIndex(i);
            DoneLookup();
        };
        list->OnKeyPress = [this](TObject*, char& Key) {
            if (Key == '\r')
                DoneLookup();
        };
    }
    TListHintWindow* w = FLookupWindow;
    TListBox* list = w->ListBox();
    // Under the current word, in the form's coordinates.
    const TPoint origin = form->ScreenToClient(ClientOrigin());
    const int x = PosFromChar(static_cast<int>(Prefix().size()) + offset).x;
    // Rows of at least 12 pixels, as tall as the list's own rows so that DisplayCount show.
    const int row = std::max(12, list->ItemHeight());
    int height = FLookup->DisplayCount * row + 4;
    list->SetColor(FLookup->Color);
    list->Items()->BeginUpdate();
    VodurizLookup::Matches(*FLookup, word, list->Items());
    list->Items()->EndUpdate();
    const int n = list->Items()->Count();
    if (n > 0)
        list->SetItemIndex(0);
    if (n < FLookup->DisplayCount)
        height = n * row + 4;
    int width = w->Width();
    if (n > 0 && !w->Visible()) {
        TCanvas* c = w->Canvas();
        c->Font()->Assign(list->Font());
        int widest = 50;
        for (int i = 0; i < n; ++i)
            widest = std::max(widest, c->TextWidth(list->Items()->Strings(i)));
        width = widest + (n > FLookup->DisplayCount ? 16 : 0) + 10;
    }
    w->SetBounds(origin.x + x + 8, origin.y + Height() - 6, width, height);
    w->BringToFront();
    w->SetVisible(n > 0);
}

void TVodUriz::DoneLookup()
{
    if (!FLookupWindow)
        return;
    if (CanFocus() && !Focused())
        SetFocus();
    HideLookup();
    TListBox* list = FLookupWindow->ListBox();
    const int sel = list->ItemIndex();
    if (sel < 0)
        return;
    const int i = static_cast<int>(reinterpret_cast<std::intptr_t>(list->Items()->Objects(sel)));
    AnsiString t = i >= 0 && i < FLookup->ValueList()->Count() ? FLookup->ValueList()->Strings(i)
                                                                : list->Items()->Strings(sel);
    FireEvent(OnLookupSelect, this, t);
    FireEvent(OnLookupIndexSelect, this, i, t);
    const AnsiString v = VodurizLookup::Accepted(GetText(), t, *FLookup);
    SetText(v);
    if (FLookup->Multi) {
        const int end = static_cast<int>(Prefix().size() + v.size());
        TCustomEdit::SetSelStart(end);
    } else {
        SelectAll();
    }
}

// The keys of an open pop-up; true when the key was taken.
bool TVodUriz::LookupKeyDown(Word& Key)
{
    if (!LookupShown())
        return false;
    TListBox* list = FLookupWindow->ListBox();
    const int n = list->Items()->Count(), i = list->ItemIndex(), page = FLookup->DisplayCount;
    switch (Key) {
    case VK_RETURN:
        Key = 0;
        FLookupTookReturn = true;
        DoneLookup();
        return true;
    case VK_HOME:
        list->SetItemIndex(0);
        break;
    case VK_END:
        list->SetItemIndex(n - 1);
        break;
    case VK_NEXT:
        list->SetItemIndex(i + page < n ? i + page : n - 1);
        break;
    case VK_PRIOR:
        list->SetItemIndex(i > page ? i - page : 0);
        break;
    case VK_UP:
        list->SetItemIndex(std::max(0, i - 1));
        break;
    case VK_DOWN:
        list->SetItemIndex(std::min(n - 1, i + 1));
        break;
    default:
        return false;
    }
    Key = 0;
    return true;
}

void TVodUriz::LookupLostFocus()
{
    VodurizLookup::AddHistory(*FLookup, GetText());
    // A click in the list takes the focus there for a moment: the list stays for the release.
    TCustomForm* f = GetParentForm(this);
    if (FLookupWindow && f && f->ActiveControl() == FLookupWindow->ListBox())
        return;
    HideLookup();
}

// ---------------------------------------------------------------- persistence

void TVodUriz::LoadPersist()
{
    if (!FPersistence->Enable)
        return;
    AnsiString section, text;
    std::unique_ptr<TCustomIniFile> ini = VodurizLookup::OpenStore(*FPersistence, section);
    if (VodurizLookup::Load(*ini, section, Name(), *FLookup, text)) {
        FModel.SetWindowText(text);
        PushToWindow();
    }
}

void TVodUriz::SavePersist()
{
    if (!FPersistence->Enable)
        return;
    AnsiString section;
    std::unique_ptr<TCustomIniFile> ini = VodurizLookup::OpenStore(*FPersistence, section);
    VodurizLookup::Save(*ini, section, Name(), WindowText(), *FLookup);
}

// ---------------------------------------------------------------- mouse: web address and drag

void TVodUriz::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    PullFromWindow();
    if (Button == mbLeft && FModel.URLShown() && Focused() && FModel.ShowURL) {
        bool show = true;
        FireEvent(OnURLClick, this, GetText(), show);
        if (show) {
            // Only web and mail addresses are handed to the desktop, never a file or program.
            const AnsiString address = VodurizLookup::AddressToOpen(GetText());
            if (!address.empty())
                ShellOpenAddress(address);
        }
    }
    if (Button == mbLeft && PressInSelection(X, Y)) {
        FDragArmed = true;
        return; // the selection stays for the drag
    }
    TCustomEdit::MouseDown(Button, Shift, X, Y);
}

bool TVodUriz::PressInSelection(int X, int Y) const
{
    const int start = TCustomEdit::SelStart(), length = TCustomEdit::SelLength();
    if (length <= 0 || !Focused())
        return false;
    const int c = CharFromPos(TPoint(X, Y));
    return c >= start && c <= start + length;
}

// The edit window must not drop the selection under a press that may start a drag.
bool TVodUriz::HoldsNativeMouse(int Kind, TMouseButton Button, int X, int Y) const
{
    if (Kind == 0)
        return Button == mbLeft && PressInSelection(X, Y);
    return Kind != 3 && FDragArmed; // a double click selects as the edit window does
}

void TVodUriz::MouseMove(TShiftState Shift, int X, int Y)
{
    TCustomEdit::MouseMove(Shift, X, Y);
    if (!FDragArmed)
        return;
    PullFromWindow();
    if (FModel.SelLength() > 0 && FOleDropSource)
        StartDrag();
    FDragArmed = false;
}

void TVodUriz::StartDrag()
{
    const AnsiString s = FModel.SelText();
    std::weak_ptr<int> alive = FAlive;
    FDraggingFromSelf = true;
    FSelfDropRefused = false;
    int effect = DROPEFFECT_NONE;
    const long result = StartTextDoDragDrop(this, s, "", DROPEFFECT_COPY | DROPEFFECT_MOVE, effect);
    if (alive.expired())
        return;
    FDraggingFromSelf = false;
    if (result == DRAGDROP_S_DROP && effect == DROPEFFECT_MOVE && !FSelfDropRefused) {
        // Moved out: the dragged text leaves this control. A move within the control
        // already took it away before the drop went in.
        PullFromWindow();
        if (FModel.SelText() == s && !FModel.ReadOnly) {
            ReplaceSelection(FModel, "");
            PushToWindow();
        }
        EraseCaret();
        Invalidate();
    }
}

// ---------------------------------------------------------------- drop target

namespace {

class TEditDropTarget : public TAEDropTarget {
public:
    explicit TEditDropTarget(TVodUriz* Edit) : FEdit(Edit) {}
    void DropText(const TPoint& P, const AnsiString& S) override
    {
        FEdit->DropText(FEdit->ScreenToClient(P), S, KeyState());
    }
    void DragMouseMove(const TPoint& P, bool& Allow) override
    {
        TAEDropTarget::DragMouseMove(P, Allow);
        FEdit->DrawCaretByCursor(FEdit->ScreenToClient(P));
    }

private:
    TVodUriz* FEdit;
};
} // namespace

void TVodUriz::SetOleDropTarget(bool v)
{
    FOleDropTarget = v;
    if (Designing())
        return;
    if (v && !FDropTargetRegistered) {
        FDropTarget = std::make_unique<TEditDropTarget>(this);
        FDropTargetRegistered = RegisterDragDrop(this, FDropTarget.get());
    } else if (!v && FDropTargetRegistered) {
        RevokeDragDrop(this);
        FDropTargetRegistered = false;
    }
}

void TVodUriz::DropText(const TPoint& P, const AnsiString& S, TShiftState Shift)
{
    // One line only: the text up to its first line break.
    AnsiString s = S.substr(0, S.find('\r'));
    s = s.substr(0, s.find('\n'));
    PullFromWindow();
    if (FModel.ReadOnly)
        return; // a read-only value takes no drop
    const int at = CharFromPos(P);
    const int start = FModel.SelStart(), end = start + FModel.SelLength();
    if (FDraggingFromSelf && FModel.SelLength() > 0 && at >= start && at <= end) {
        FSelfDropRefused = true; // dropped onto itself: the source must not remove it either
        return;
    }
    int caret = at;
    if (FDraggingFromSelf && !(Shift & ssCtrl) && FModel.SelLength() > 0) {
        // A move within the control: the text leaves its old place first.
        ReplaceSelection(FModel, "");
        if (caret > end)
            caret -= end - start;
    }
    EraseCaret();
    // Never into the affixes.
    const int prefix = static_cast<int>(Prefix().size());
    caret = std::clamp(caret, prefix, prefix + static_cast<int>(GetText().size()));
    FModel.SetSelection(caret, caret);
    ReplaceSelection(FModel, s);
    PushToWindow();
    Invalidate();
}

void TVodUriz::DrawCaretByCursor(const TPoint& P)
{
    const TPoint p = PosFromChar(CharFromPos(P));
    if (p.x == FDropCaret.x && p.y == FDropCaret.y)
        return;
    FDropCaret = p;
    Invalidate();
}

void TVodUriz::EraseCaret()
{
    if (FDropCaret.x < 0)
        return;
    FDropCaret = TPoint(-1, -1);
    Invalidate();
}

void TVodUriz::SetCaretByCursor(const TPoint& P)
{
    PullFromWindow();
    FModel.SetSelStart(CharFromPos(P));
    PushToWindow();
}
