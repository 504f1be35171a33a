#include "platform/graphics/Pen.h"

void TPen::SetColor(TColor v)
{
    if (v == FColor)
        return;
    FColor = v;
    Changed();
}

void TPen::SetWidth(int v)
{
    if (v < 0)
        v = 0;
    if (v == FWidth)
        return;
    FWidth = v;
    Changed();
}

void TPen::SetStyle(TPenStyle v)
{
    if (v == FStyle)
        return;
    FStyle = v;
    Changed();
}

void TPen::SetMode(TPenMode v)
{
    if (v == FMode)
        return;
    FMode = v;
    Changed();
}

void TPen::Assign(TPersistent* Source)
{
    auto* p = dynamic_cast<TPen*>(Source);
    if (!p) {
        TGraphicsObject::Assign(Source);
        return;
    }
    if (p->FColor == FColor && p->FWidth == FWidth && p->FStyle == FStyle && p->FMode == FMode)
        return;
    FColor = p->FColor;
    FWidth = p->FWidth;
    FStyle = p->FStyle;
    FMode = p->FMode;
    Changed();
}
