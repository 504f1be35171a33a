// The bitmap list and string list components.
#include "components/controls/OwclassesProps.h"
#include "components/controls/Owsystem.h"
#include "platform/core/Strings.h"

TOwBitmapList::TOwBitmapList(TComponent* AOwner) : TOwSharedComponent(AOwner), FBitmaps(std::make_unique<TOwBitmaps>())
{
    FBitmaps->OnChange = [this](TObject*) {
        NotifyClients();
        Changed();
    };
}

TOwBitmapList::~TOwBitmapList() { FBitmaps->OnChange = nullptr; }

void TOwBitmapList::SetBitmaps(TOwBitmaps* v) { FBitmaps->Assign(v); }

TBitmap* TOwBitmapList::GetBitmap(int Index) const
{
    return Index < 0 || Index >= FBitmaps->Count() ? nullptr : FBitmaps->Bitmaps(Index);
}

TOwStringList::TOwStringList(TComponent* AOwner) : TOwComponent(AOwner), FStrings(std::make_unique<TStringList>())
{
    FStrings->OnChange = [this](TObject*) { FireEvent(OnChange, this); };
    FStrings->OnChanging = [this](TObject*) { FireEvent(OnChanging, this); };
}

TOwStringList::~TOwStringList()
{
    FStrings->OnChange = nullptr;
    FStrings->OnChanging = nullptr;
}

void TOwStringList::SetStrings(TStrings* v) { FStrings->Assign(v); }
bool TOwStringList::Sorted() const { return FStrings->Sorted(); }
void TOwStringList::SetSorted(bool v) { FStrings->SetSorted(v); }
int TOwStringList::Count() const { return FStrings->Count(); }
