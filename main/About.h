#pragma once
// The about window: product pictures, name, version and the maker's web site.
#include "platform/forms/Form.h"

class TButton;
class TImage;
class TLabel;
class TOwWebLabel;

class TAboutBox : public TForm {
public:
    explicit TAboutBox(TComponent* AOwner);

    TImage* QNAboutIma = nullptr;
    TImage* LCRIma = nullptr;
    TLabel* ProductNameLab = nullptr;
    TLabel* ProductLab = nullptr;
    TLabel* VersionLab = nullptr;
    TLabel* VersionDateLab = nullptr;
    TLabel* DateLab = nullptr;
    TOwWebLabel* WebLabel = nullptr;
    TButton* OKButton = nullptr;
};

extern TAboutBox* AboutBox;
