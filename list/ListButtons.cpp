// The list tabs' shadow buttons.
#include "list/ListButtons.h"

#include "components/controls/Owbuttons.h"
#include "main/Lcr.h"
#include "platform/forms/GroupBox.h"
#include "platform/forms/Panel.h"

namespace {

TOwShadowButton* Button(TLCRForm* F, TWinControl* Parent, const char* Name, int L, int T, const char* Caption,
    TColor Face, int Height = 28)
{
    auto* b = new TOwShadowButton(F);
    b->SetName(Name);
    b->SetParent(Parent);
    b->SetBounds(L, T, 90, Height);
    b->SetCaption(Caption);
    b->SetColor(Face);
    return b;
}

} // namespace

TControl* ButtonControl(TOwShadowButton* Button)
{
    return Button;
}

void CreateListButtons(TLCRForm* F)
{
    F->ListSetupStepNomOkBtn = Button(F, F->SetNominalPan, "ListSetupStepNomOkBtn", 170, 152, "Ok", clLime);
    F->ListSetupStepNomCancelBtn =
        Button(F, F->SetNominalPan, "ListSetupStepNomCancelBtn", 268, 152, "Cancel", clRed);
    F->CopyOkBtn = Button(F, F->CopyStepPanel, "CopyOkBtn", 180, 130, "Ok", clLime);
    F->CopyCancelBtn = Button(F, F->CopyStepPanel, "CopyCancelBtn", 280, 130, "Cancel", clRed);
    // Side by side at the foot of the panel; a shown nominal stacks them (the monitors' handler
    // moves them), the lower one still inside the page.
    F->SweepOkBtn = Button(F, F->ListSweepPan, "SweepOkBtn", 204, 376, "Ok", clLime, 24);
    F->SweepCancelBtn = Button(F, F->ListSweepPan, "SweepCancelBtn", 348, 376, "Cancel", clRed, 24);
    F->ListMeasResultRemoveBtn->SetCaption("Remove All");
    // The run buttons lie on the page itself, across the loop group's column: the group is
    // disabled while a run goes on.
    TGroupBox* loop = F->MeasLoopGroup;
    loop->SetHeight(112);
    const int left = loop->Left() + 8;
    const int width = loop->Width() - 16;
    int top = loop->Top() + 124;
    for (TOwShadowButton* b : {F->ListMeasStartBtn, F->ListMeasTerminateBtn, F->ListMeasResultSaveBtn,
             F->ListMeasResultRemoveBtn}) {
        b->SetParent(F->ListMeasPan);
        b->SetBounds(left, top, width, b->Height());
        top += 38;
    }
    F->MeasDispBtn->SetParent(F->ListMeasPan);
    F->MeasDispBtn->SetBounds(left, loop->Top() + 360, width, F->MeasDispBtn->Height());

    const struct { TOwShadowButton* Button; void (TLCRForm::*Handler)(TObject*); } clicks[] = {
        {F->ListMeasResultRemoveBtn, &TLCRForm::ListMeasResultRemoveBtnClick},
        {F->ListMeasResultSaveBtn, &TLCRForm::ListMeasResultSaveBtnClick},
        {F->ListSetupOpenBtn, &TLCRForm::ListSetupOpenBtnClick},
        {F->ListSetupSaveBtn, &TLCRForm::ListSetupSaveBtnClick},
        {F->ListSetupNewBtn, &TLCRForm::ListSetupNewBtnClick},
        {F->ListSetupInsertBtn, &TLCRForm::ListSetupInsertBtnClick},
        {F->ListSetupCopyBtn, &TLCRForm::ListSetupCopyBtnClick},
        {F->SetSweepBtn, &TLCRForm::SetSweepBtnClick},
        {F->ListSetupStepNomOkBtn, &TLCRForm::ListSetupStepNomOkBtnClick},
        {F->ListSetupStepNomCancelBtn, &TLCRForm::ListSetupStepNomCancelBtnClick},
        {F->CopyOkBtn, &TLCRForm::CopyOkBtnClick},
        {F->CopyCancelBtn, &TLCRForm::CopyCancelBtnClick},
        {F->SweepOkBtn, &TLCRForm::SweepOkBtnClick},
        {F->SweepCancelBtn, &TLCRForm::SweepCancelBtnClick},
    };
    for (const auto& c : clicks) {
        auto handler = c.Handler;
        c.Button->OnClick = [F, handler](TObject* Sender) { (F->*handler)(Sender); };
    }
}
