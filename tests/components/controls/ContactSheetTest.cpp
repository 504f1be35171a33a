// The contact sheet: every control of the edit family in its states on one form, rendered
// to a PNG for a look.
#include <gtest/gtest.h>

#include <memory>

#include "components/controls/Ravdirectoryedit.h"
#include "components/controls/VodurizMask.h"
#include "platform/forms/Form.h"
#include "platform/forms/Label.h"
#include "platform/forms/Render.h"
#include "platform/forms/TestInput.h"
#include "tests/support/TestOutput.h"

namespace {

struct Sheet {
    std::unique_ptr<TForm> form = std::make_unique<TForm>(nullptr);
    int row = 0;
    Sheet(int w, int h)
    {
        form->SetBounds(0, 0, w, h);
        form->SetCaption("Window controls");
        form->Show();
    }
    template <class T>
    T* Add(int column, const char* caption)
    {
        auto* c = new T(form.get());
        c->SetParent(form.get());
        c->SetBounds(130 + column * 190, 10 + row * 34, 170, 24);
        if (column == 0) {
            auto* l = new TLabel(form.get());
            l->SetParent(form.get());
            l->SetBounds(8, 14 + row * 34, 118, 16);
            l->SetCaption(caption);
        }
        return c;
    }
    void Next() { ++row; }
};

TEST(ContactSheet, EditFamily)
{
    Sheet s(720, 330);
    auto* plain = s.Add<TVodUrizBtn>(0, "Edit with button");
    plain->SetText("12.5");
    auto* flat = s.Add<TVodUrizBtn>(1, "");
    flat->SetText("flat");
    flat->SetFlat(true);
    auto* drop = s.Add<TVodUrizBtn>(2, "");
    drop->SetButtonStyle(bsDropDown);
    drop->SetButtonCaption("v");
    drop->SetText("drop-down");
    s.Next();
    auto* unit = s.Add<TUnitVodUrizBtn>(0, "Unit edit");
    unit->Units()->SetCommaText("mV,V");
    unit->SetUnitID("mV");
    unit->SetText("250");
    auto* unitOff = s.Add<TUnitVodUrizBtn>(1, "");
    unitOff->SetUnitID("V");
    unitOff->SetText("1.5");
    unitOff->SetEnabled(false);
    s.Next();
    auto* dir = s.Add<TRavDirectoryEdit>(0, "Directory edit");
    dir->SetText("/tmp");
    EXPECT_FALSE(dir->Glyph()->Empty());
    auto* dirBad = s.Add<TRavDirectoryEdit>(1, "");
    dirBad->SetText("/no/such/folder");
    dirBad->SetShowError(true);
    dirBad->IsValidDirectory();
    s.Next();
    auto* mask = s.Add<TRavMaskEdit>(0, "Mask edit");
    mask->SetEditMask("000-000;1;_");
    mask->SetText("123456");
    auto* maskFlat = s.Add<TRavMaskEdit>(1, "");
    maskFlat->SetFlat(true);
    maskFlat->SetEditMask("00:00;1;_");
    auto* maskLabel = s.Add<TRavMaskEdit>(2, "");
    maskLabel->SetBorder3D(true);
    maskLabel->SetText("3D border");
    s.Next();
    auto* look = s.Add<TVodUriz>(0, "Lookup list");
    look->Lookup()->Enabled = true;
    look->Lookup()->DisplayList()->SetCommaText("Apple,apricot,avocado,Banana");
    look->SetFocus();
    TestInput::ProcessEvents();
    TestInput::TypeText(look, "ap");
    auto* url = s.Add<TVodUriz>(1, "");
    url->SetShowURL(true);
    url->SetText("www.example.org");
    TestInput::ProcessEvents();
    EXPECT_TRUE(SaveControlToPng(s.form.get(), TestOutputPath("controls_edit_family.png")));
}

} // namespace
