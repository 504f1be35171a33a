#include "platform/forms/Render.h"

#include "platform/forms/FormsImpl_p.h"

using namespace zvqt;

void RenderControl(TControl* Control, TBitmap* Bitmap)
{
    if (!Control || !Bitmap)
        return;
    Bitmap->SetSize(Control->Width(), Control->Height());
    Bitmap->Canvas()->Brush()->SetColor(clBtnFace);
    Bitmap->Canvas()->FillRect(TRect(0, 0, Control->Width(), Control->Height()));
    Control->PaintTo(Bitmap->Canvas(), 0, 0);
}

bool SaveControlToPng(TControl* Control, const AnsiString& FileName)
{
    TBitmap bmp;
    RenderControl(Control, &bmp);
    if (bmp.Empty())
        return false;
    return BitmapImage(&bmp).save(ToQString(FileName), "PNG");
}
