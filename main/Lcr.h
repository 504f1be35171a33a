#pragma once
// The main window. For now only its frame: the instrument pages, panels and
// tables join it as they are built.
#include "platform/forms/Form.h"

class TStatusBar;

class TLCRForm : public TForm {
public:
    explicit TLCRForm(TComponent* AOwner);

    TStatusBar* StatusBar = nullptr;
};

extern TLCRForm* LCRForm;
