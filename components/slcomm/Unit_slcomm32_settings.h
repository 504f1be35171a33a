#pragma once
// The modal settings dialogs of the two serial components. Both share one
// form; they differ in the baud field (an editable rate or a list of the
// device's rates) and in how the flow-control choice maps onto the component.
// The About and Default buttons show only while the component is being
// designed (its csDesigning flag).
#include "platform/forms/Button.h"
#include "platform/forms/ComboBox.h"
#include "platform/forms/Edit.h"
#include "platform/forms/Form.h"
#include "platform/forms/GroupBox.h"
#include "platform/forms/Label.h"

class TSLComm32;
class TSlCustomCommDevice;

// The settings a dialog edits, as its fields show them.
struct TSlCommDialogSettings {
    bool Active = false;
    int PortNo = 0;
    int Baud = 0;      // a rate (first dialog) or a TBaudRate ordinal (second)
    int ByteSize = 8;
    int Parity = 0;
    int StopBits = 0;
    int FlowItem = 0;  // 0 none, 1 RTS/CTS, 2 Xon/Xoff, 3 both
    int FlowValue = 0; // the component's own flow-control value
    int AutoAnswer = 0;
    int InBufSize = 0;
    int OutBufSize = 0;
};

class TSlCommSettingsForm : public TForm {
public:
    void BnOKClick(TObject* Sender);
    void BnDefaultClick(TObject* Sender);
    void BnCancelClick(TObject* Sender);
    void BnAboutClick(TObject* Sender);
    bool SelectNextField();

    TGroupBox* GboxBase;
    TLabel *lbPort, *lbBaud, *lbCheck, *lbBits, *lbStops;
    TComboBox* CbPort;
    TComboBox* CbBaud = nullptr;     // first dialog
    TComboBox* CbSelBaud = nullptr;  // second dialog
    TComboBox *CbParity, *CbByteSize, *CbStopBits;
    TGroupBox* GBoxModem;
    TLabel *lbFlow, *lbAAns;
    TComboBox* CbFlow;
    TEdit* EditAutoAns;
    TGroupBox* GBoxBuffer;
    TLabel *lbInbs, *lbOutbs;
    TEdit *EditInBufSize, *EditOutBufSize;
    TButton *BnAbout, *BnDefault, *BnOK, *BnCancel;

protected:
    TSlCommSettingsForm(TComponent* AOwner, bool Activate, TComponent* Edited, bool EditableBaud);
    // Called by the derived constructor once the component can be read.
    void Setup();
    virtual TSlCommDialogSettings ReadSettings() const = 0;
    // Applies in the order of the dialog; may raise the component's errors.
    virtual void ApplySettings(const TSlCommDialogSettings& S) = 0;
    virtual int FlowItemOf(int Value) const = 0;
    virtual int FlowValueOf(int Item) const = 0;
    TComboBox* BaudField() const { return CbBaud ? CbBaud : CbSelBaud; }

private:
    bool Fail(TWinControl* Field, int Text);

    TComponent* FEdited;
    bool FActivate;
    TSlCommDialogSettings FFound;
};

class TForm_SLComm32_Settings : public TSlCommSettingsForm {
public:
    TForm_SLComm32_Settings(TComponent* AOwner, bool Activate, TSLComm32* Comm);

protected:
    TSlCommDialogSettings ReadSettings() const override;
    void ApplySettings(const TSlCommDialogSettings& S) override;
    int FlowItemOf(int Value) const override;
    int FlowValueOf(int Item) const override;

private:
    TSLComm32* FComm;
};

class TForm_SlCommDevice_Settings : public TSlCommSettingsForm {
public:
    TForm_SlCommDevice_Settings(TComponent* AOwner, bool Activate, TSlCustomCommDevice* Device);

protected:
    TSlCommDialogSettings ReadSettings() const override;
    void ApplySettings(const TSlCommDialogSettings& S) override;
    int FlowItemOf(int Value) const override;
    int FlowValueOf(int Item) const override;

private:
    TSlCustomCommDevice* FDevice;
};

// Text Index of the dialogs' table in AppLang's language.
AnsiString SlcommSettingsText(int Index);
