// The list tabs' shadow buttons.
#include "list/ListButtons.h"

#include "components/controls/Owbuttons.h"
#include "main/Lcr.h"
#include "platform/forms/GroupBox.h"
#include "platform/forms/Panel.h"

namespace {

TOwShadowButton* Button(TLCRForm* F, TWinControl* Parent, const char* Name, int L, int T, const char* Caption,
    TColor Face)
{
    auto* b = new TOwShadowButton(F);
    b->SetName(Name);
    b->SetParent(Parent);
    b->SetBounds(L, T, 90, 28);
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
    F->ListSetupStepNomOkBtn = Button(F, F->SetNominalPan, "ListSetupStepNomOkBtn", 250, 40, "Ok", clLime);
    F->ListSetupStepNomCancelBtn =
        Button(F, F->SetNominalPan, "ListSetupStepNomCancelBtn", 250, 74, "Cancel", clRed);
    F->CopyOkBtn = Button(F, F->CopyStepPanel, "CopyOkBtn", 180, 76, "Ok", clLime);
    F->CopyCancelBtn = Button(F, F->CopyStepPanel, "CopyCancelBtn", 280, 76, "Cancel", clRed);
    F->ListMeasResultRemoveBtn->SetCaption("Remove All");
    // The run buttons lie on the page itself: the loop group is disabled while a run goes on.
    F->MeasLoopGroup->SetHeight(112);
    const int left = F->MeasLoopGroup->Left() + 8;
    int top = F->MeasLoopGroup->Top() + 124;
    for (TOwShadowButton* b : {F->ListMeasStartBtn, F->ListMeasTerminateBtn, F->ListMeasResultSaveBtn,
             F->ListMeasResultRemoveBtn}) {
        b->SetParent(F->ListMeasPan);
        b->SetBounds(left, top, b->Width(), b->Height());
        top += 38;
    }
    F->MeasDispBtn->SetParent(F->ListMeasPan);
    F->MeasDispBtn->SetBounds(left, F->MeasLoopGroup->Top() + 360, F->MeasDispBtn->Width(), F->MeasDispBtn->Height());

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
