// The grid's cell graphics: the store, check boxes, bitmaps and radio groups.
#include <algorithm>

#include "components/grid/Ravgrid.h"
#include "platform/core/Strings.h"
#include "platform/graphics/Bitmap.h"
#include "components/grid/Ravobj.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/Icon.h"
#include "platform/graphics/ImageList.h"

using namespace Ravgrid;

TCellGraphic* TRavArodozIdad::CreateCellGraphic(int ACol, int ARow)
{
    FreeCellGraphic(ACol, ARow);
    auto* g = new TCellGraphic;
    GetCellProperties(ACol, ARow)->SetGraphicObject(g);
    return g;
}

TCellGraphic* TRavArodozIdad::GetCellGraphic(int ACol, int ARow)
{
    return dynamic_cast<TCellGraphic*>(GetGraphicObjectEx(ACol, ARow));
}

TCellType TRavArodozIdad::GetCellType(int ACol, int ARow)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    return g ? g->CellType : ctEmpty;
}

bool TRavArodozIdad::FreeCellGraphic(int ACol, int ARow)
{
    TCellProperties* p = CellPropertiesOrNil(ACol, ARow);
    if (!p || !p->GraphicObject())
        return false;
    delete p->GraphicObject();
    p->SetGraphicObject(nullptr);
    RepaintCell(ACol, ARow);
    return true;
}

bool TRavArodozIdad::RemoveCellGraphic(int ACol, int ARow, TCellType CellType)
{
    return GetCellType(ACol, ARow) == CellType && FreeCellGraphic(ACol, ARow);
}

TPoint TRavArodozIdad::GetCellGraphicSize(int ACol, int ARow)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g)
        return TPoint(0, 0);
    TPoint s(0, 0);
    const bool beside = g->CellHAlign == haBeforeText || g->CellHAlign == haAfterText;
    switch (g->CellType) {
    case ctBitmap:
        if (auto* b = dynamic_cast<TBitmap*>(g->CellObject)) {
            s.x = beside || Cells(ACol, ARow).empty() ? b->Width() : 0;
            s.y = b->Height();
        }
        break;
    case ctIcon:
        if (auto* i = dynamic_cast<TIcon*>(g->CellObject)) {
            s.x = beside || Cells(ACol, ARow).empty() ? i->Width() : 0;
            s.y = i->Height();
        }
        break;
    case ctImageList:
        if (FGridImages) {
            s.x = beside || Cells(ACol, ARow).empty() ? FGridImages->Width() : 0;
            s.y = FGridImages->Height();
        }
        break;
    case ctImages:
        if (auto* l = dynamic_cast<TIntList*>(g->CellObject); l && FGridImages) {
            s.x = FGridImages->Width() * (g->CellBoolean ? l->Count() : 1);
            s.y = FGridImages->Height() * (g->CellBoolean ? 1 : l->Count());
        }
        break;
    case ctPicture:
    case ctFilePicture: {
        const TRect R = CellRect(ACol, ARow);
        s = g->GetPictureSize(R.Width(), R.Height());
        break;
    }
    case ctCheckBox:
    case ctDataCheckBox:
        s.x = s.y = ControlLook()->CheckSize();
        break;
    case ctRadio:
        if (auto* items = dynamic_cast<TStrings*>(g->CellObject)) {
            const int gh = Canvas()->TextHeight("gh");
            if (g->CellBoolean) {
                for (int i = 0; i < items->Count(); ++i)
                    s.x += Canvas()->TextWidth(items->Strings(i)) + 12;
                s.y = gh;
            } else {
                s.x = 12;
                for (int i = 0; i < items->Count(); ++i)
                    s.x = std::max(s.x, Canvas()->TextWidth(items->Strings(i)) + 12);
                s.y = gh * items->Count();
            }
        }
        break;
    case ctButton:
    case ctBitButton:
        s.x = g->CellIndex & 0xFFFF;
        s.y = g->CellIndex / 65536;
        break;
    default:
        break;
    }
    if (g->CellVAlign == vaFull || g->CellHAlign == haFull) {
        const TRect R = CellRect(ACol, ARow);
        if (g->CellVAlign == vaFull)
            s.y = R.Height();
        if (g->CellHAlign == haFull)
            s.x = R.Width();
    }
    return s;
}

TBitmap* TRavArodozIdad::CreateBitmap(int ACol, int ARow, bool Transparent, TCellHAlign HAlign, TCellVAlign VAlign)
{
    TCellGraphic* g = CreateCellGraphic(ACol, ARow);
    auto* b = new TBitmap;
    g->SetBitmap(b, Transparent, HAlign, VAlign);
    g->CellCreated = true;
    return b;
}

void TRavArodozIdad::AddBitmap(int ACol, int ARow, TBitmap* Bitmap, bool Transparent, TCellHAlign HAlign,
                               TCellVAlign VAlign)
{
    CreateCellGraphic(ACol, ARow)->SetBitmap(Bitmap, Transparent, HAlign, VAlign);
    RepaintCell(ACol, ARow);
}

TBitmap* TRavArodozIdad::GetBitmap(int ACol, int ARow)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    return g && g->CellType == ctBitmap ? dynamic_cast<TBitmap*>(g->CellObject) : nullptr;
}

void TRavArodozIdad::AddCheckBox(int ACol, int ARow, bool State, bool Data)
{
    const TCellVAlign va = VAlignment() == Ravbase::TVAlignment::vtaCenter   ? vaCenter
                           : VAlignment() == Ravbase::TVAlignment::vtaBottom ? vaBottom
                                                                               : vaTop;
    CreateCellGraphic(ACol, ARow)->SetCheckBox(State, Data, true, haBeforeText, va);
    RepaintCell(ACol, ARow);
}

bool TRavArodozIdad::RemoveCheckBox(int ACol, int ARow)
{
    return HasCheckBox(ACol, ARow) && FreeCellGraphic(ACol, ARow);
}

bool TRavArodozIdad::HasCheckBox(int ACol, int ARow)
{
    const TPoint b = BaseCell(ACol, ARow);
    const TCellType t = GetCellType(b.x, b.y);
    return t == ctCheckBox || t == ctDataCheckBox;
}

bool TRavArodozIdad::GetCheckBoxState(int ACol, int ARow, bool& State)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g)
        return false;
    if (g->CellType == ctCheckBox)
        State = g->CellBoolean;
    else if (g->CellType == ctDataCheckBox)
        State = GetCellEx(ACol, ARow) == GetCheckTrue(ACol, ARow);
    else
        return false;
    return true;
}

bool TRavArodozIdad::SetCheckBoxState(int ACol, int ARow, bool State)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g)
        return false;
    if (g->CellType == ctCheckBox) {
        g->CellBoolean = State;
        RepaintCell(ACol, ARow);
    } else if (g->CellType == ctDataCheckBox)
        SetCellEx(ACol, ARow, State ? GetCheckTrue(ACol, ARow) : GetCheckFalse(ACol, ARow));
    else
        return false;
    return true;
}

bool TRavArodozIdad::ToggleCheck(int ACol, int ARow, bool FromUser)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g || (g->CellType != ctCheckBox && g->CellType != ctDataCheckBox))
        return false;
    if (FromUser) {
        bool canEdit = true;
        GetCellReadOnly(ACol, ARow, canEdit);
        if (!canEdit)
            return false;
    }
    if (g->CellType == ctCheckBox)
        g->CellBoolean = !g->CellBoolean;
    else {
        const AnsiString t = GetCheckTrue(ACol, ARow);
        SetCellEx(ACol, ARow, GetCellEx(ACol, ARow) == t ? GetCheckFalse(ACol, ARow) : t);
    }
    RepaintCell(ACol, ARow);
    return true;
}

bool TRavArodozIdad::ToggleRadio(int ACol, int ARow, bool FromUser)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    auto* items = g && g->CellType == ctRadio ? dynamic_cast<TStrings*>(g->CellObject) : nullptr;
    if (!items || items->Count() == 0)
        return false;
    if (FromUser) {
        bool canEdit = true;
        GetCellReadOnly(ACol, ARow, canEdit);
        if (!canEdit)
            return false;
    }
    int next = g->CellIndex >= 0 ? g->CellIndex + 1 : items->IndexOf(GetCellEx(ACol, ARow)) + 1;
    if (next >= items->Count())
        next = 0;
    if (g->CellIndex >= 0)
        g->CellIndex = next;
    SetCellEx(ACol, ARow, items->Strings(next));
    return true;
}

void TRavArodozIdad::AddRadio(int ACol, int ARow, int Direction, int Index, TStrings* Items)
{
    TCellGraphic* g = CreateCellGraphic(ACol, ARow);
    g->CellType = ctRadio;
    g->CellObject = Items;
    g->CellIndex = Index;
    g->CellBoolean = Direction != 0;
    g->CellAngle = Items ? Items->Count() : 0;
    RepaintCell(ACol, ARow);
}

TStrings* TRavArodozIdad::CreateRadio(int ACol, int ARow, int Direction, int Index)
{
    auto* items = new TStringList;
    AddRadio(ACol, ARow, Direction, Index, items);
    GetCellGraphic(ACol, ARow)->CellCreated = true;
    return items;
}

bool TRavArodozIdad::GetRadioIdx(int ACol, int ARow, int& Index)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g)
        return false;
    Index = g->CellIndex;
    return g->CellType == ctRadio;
}

bool TRavArodozIdad::SetRadioIdx(int ACol, int ARow, int Index)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g || g->CellType != ctRadio)
        return false;
    g->CellIndex = Index;
    RepaintCell(ACol, ARow);
    return true;
}

TStrings* TRavArodozIdad::GetRadioStrings(int ACol, int ARow)
{
    const TPoint b = BaseCell(ACol, ARow);
    TCellGraphic* g = GetCellGraphic(b.x, b.y);
    return g && g->CellType == ctRadio ? dynamic_cast<TStrings*>(g->CellObject) : nullptr;
}

// ---- clicks ----

bool TRavArodozIdad::GraphicClick(int ACol, int ARow, int X, int Y)
{
    const int rc = RealColIndex(ACol);
    TCellGraphic* g = GetCellGraphic(rc, ARow);
    if (!g)
        return false;
    if (g->CellType == ctCheckBox || g->CellType == ctDataCheckBox) {
        if (!ToggleCheck(rc, ARow, true))
            return false;
        bool state = false;
        GetCheckBoxState(rc, ARow, state);
        if (OnCheckBoxClick)
            OnCheckBoxClick(this, ACol, ARow, state);
        MoveColRow(ACol, ARow, true, true);
        return true;
    }
    if (g->CellType == ctNode) {
        const int real = RemapRowInv(ARow);
        const bool expand = g->CellBoolean;
        if (expand)
            ExpandNode(real);
        else
            ContractNode(real);
        if (const TNodeClickEvent& e = expand ? OnExpandNode : OnContractNode)
            e(this, ARow, real);
        SetRow(ARow);
        return true;
    }
    if (g->CellType == ctButton || g->CellType == ctBitButton) {
        // Pressed here, clicked when released (MouseUp).
        HideInplaceEdit();
        SetSelection(TGridRect{ACol, ARow, ACol, ARow});
        const TRect b = ButtonRect(ACol, ARow);
        if (X >= b.Left && X < b.Right && Y >= b.Top && Y < b.Bottom) {
            PushButton(ACol, ARow, true);
            FPressedButton = TPoint(ACol, ARow);
        }
        if (OnClickCell)
            OnClickCell(this, ARow, ACol);
        return true;
    }
    auto* items = g->CellType == ctRadio ? dynamic_cast<TStrings*>(g->CellObject) : nullptr;
    if (!items)
        return false;
    bool canEdit = true;
    GetCellReadOnly(rc, ARow, canEdit);
    if (!canEdit)
        return true;
    // The item under the point, laid out as DrawCellRadio lays them out.
    const TRect R = CellRect(ACol, ARow);
    TCanvas* cv = Canvas();
    cv->Font()->Assign(Font());
    const int size = ControlLook()->ControlStyle() > csFlat ? 16 : ControlLook()->RadioSize();
    int hit = -1;
    if (g->CellBoolean) {
        int x = R.Left + 2;
        for (int i = 0; i < items->Count() && hit < 0; ++i) {
            const int w = size + cv->TextWidth(items->Strings(i));
            if (X >= x && X < x + w)
                hit = i;
            x += w;
        }
    } else {
        const int i = (Y - R.Top - 2) / std::max({1, size, cv->TextHeight("gh")});
        if (Y >= R.Top + 2 && i < items->Count())
            hit = i;
    }
    if (hit < 0)
        return true;
    if (g->CellIndex >= 0)
        g->CellIndex = hit;
    SetCellEx(rc, ARow, items->Strings(hit));
    if (OnRadioClick)
        OnRadioClick(this, ACol, ARow, hit);
    return true;
}
