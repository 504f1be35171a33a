#pragma once
// A contact sheet: a form with a caption column on the left and rows of controls beside it,
// rendered to one PNG for people to look at.
#include <memory>

#include "platform/forms/Form.h"
#include "platform/forms/Label.h"
#include "platform/forms/TestInput.h"

struct ContactSheet {
    static constexpr int kLeft = 130;
    std::unique_ptr<TForm> form = std::make_unique<TForm>(nullptr);
    int y = 10;
    ContactSheet(int W, int H, const char* Caption)
    {
        form->SetBounds(0, 0, W, H);
        form->SetCaption(Caption);
        form->Show();
        TestInput::ProcessEvents();
    }
    // A new row of the given height, captioned on the left.
    void Row(const char* Caption, int Height)
    {
        if (rowHeight)
            y += rowHeight;
        rowHeight = Height;
        auto* l = new TLabel(form.get());
        l->SetParent(form.get());
        l->SetBounds(8, y + 4, kLeft - 12, 16);
        l->SetCaption(Caption);
    }
    template <class T>
    T* Put(int X, int W, int H, int Dy = 0)
    {
        auto* c = new T(form.get());
        c->SetParent(form.get());
        c->SetBounds(kLeft + X, y + Dy, W, H);
        return c;
    }
    int rowHeight = 0;
};
