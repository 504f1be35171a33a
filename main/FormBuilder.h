#pragma once
// The form builders' one way of making a control: owned, named, parented and placed, and
// stored in its form field.
#include "platform/core/Component.h"
#include "platform/forms/Controls.h"

template <class T>
T* Make(T*& Field, TComponent* Owner, TWinControl* Parent, const AnsiString& Name, int L, int T_, int W, int H)
{
    Field = new T(Owner);
    Field->SetName(Name);
    Field->SetParent(Parent);
    Field->SetBounds(L, T_, W, H);
    return Field;
}
