#include "platform/forms/Render.h"

#include <QApplication>

#include "platform/forms/Form.h"
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
    // What a user sees over the control: open pop-ups (a dropped combo list) that belong to it.
    auto* wc = dynamic_cast<TWinControl*>(Control);
    if (!wc || !wc->HandleAllocated())
        return;
    QWidget* own = zvforms::ImplOf(wc)->widget;
    // A form's widget is its client area; the picture starts at its frame and caption.
    QPoint origin = own->mapToGlobal(QPoint(0, 0));
    if (auto* form = dynamic_cast<TCustomForm*>(Control)) {
        const TPoint client = form->ClientOrigin();
        origin -= QPoint(client.x - form->Left(), client.y - form->Top());
    }
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (!top->isVisible() || (top->windowFlags() & Qt::Popup) != Qt::Popup)
            continue;
        bool ours = false;
        for (QWidget* p = top->parentWidget(); p && !ours; p = p->parentWidget())
            ours = p == own || own->isAncestorOf(p);
        if (!ours)
            continue;
        QImage img(top->size(), QImage::Format_RGB32);
        top->render(&img);
        const QPoint at = top->mapToGlobal(QPoint(0, 0)) - origin;
        DrawImageOn(Bitmap->Canvas(), QRect(at, img.size()), img);
    }
}

bool SaveControlToPng(TControl* Control, const AnsiString& FileName)
{
    TBitmap bmp;
    RenderControl(Control, &bmp);
    if (bmp.Empty())
        return false;
    return BitmapImage(&bmp).save(ToQString(FileName), "PNG");
}
