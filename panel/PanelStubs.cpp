// Stand-ins for the front panel until it is built: each does the least its callers rely on.
// The front panel's own module replaces this file.
#include "main/Lcr.h"
#include "panel/PanelPublic.h"

void HighlightField(const AnsiString&) {}
void ShowBinCounts(int) {}
void StoreOrRestoreMeasSetup() {}
void SetFunction(int) {}

void TLCRForm::LoadPanelBitmaps() {}
void TLCRForm::UpBtnClick(TObject*) {}
void TLCRForm::DownBtnClick(TObject*) {}
void TLCRForm::LeftBtnClick(TObject*) {}
void TLCRForm::RightBtnClick(TObject*) {}
void TLCRForm::ZeroBtnClick(TObject*) {}
void TLCRForm::OneBtnClick(TObject*) {}
void TLCRForm::TwoBtnClick(TObject*) {}
void TLCRForm::ThreeBtnClick(TObject*) {}
void TLCRForm::FourBtnClick(TObject*) {}
void TLCRForm::FiveBtnClick(TObject*) {}
void TLCRForm::SixBtnClick(TObject*) {}
void TLCRForm::SevenBtnClick(TObject*) {}
void TLCRForm::EightBtnClick(TObject*) {}
void TLCRForm::NineBtnClick(TObject*) {}
void TLCRForm::DotBtnClick(TObject*) {}
void TLCRForm::PlusMinusLeftBtnClick(TObject*) {}
void TLCRForm::EscBtnClick(TObject*) {}
void TLCRForm::EnterBtnClick(TObject*) {}
void TLCRForm::PowerBtnClick(TObject*) {}
void TLCRForm::MeasBtnClick(TObject*) {}
void TLCRForm::SetupbtnClick(TObject*) {}
void TLCRForm::TrigBtnClick(TObject*) {}
void TLCRForm::View8BtnClick(TObject*) {}
void TLCRForm::View1BtnClick(TObject*) {}
void TLCRForm::View2BtnClick(TObject*) {}
void TLCRForm::View3BtnClick(TObject*) {}
void TLCRForm::View4BtnClick(TObject*) {}
void TLCRForm::View5BtnClick(TObject*) {}
