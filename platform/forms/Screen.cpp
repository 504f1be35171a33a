#include "platform/forms/Screen.h"

#include <QApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QScreen>
#include <algorithm>

#include "platform/forms/FormsImpl_p.h"
#include "platform/graphics/Bitmap.h"

TScreen* Screen = nullptr;

namespace {
std::vector<void (*)(TScreen*)>& Initializations()
{
    static std::vector<void (*)(TScreen*)> list; // made on first use: static initializers call in
    return list;
}
} // namespace

TScreen::TScreen(TComponent* AOwner) : TComponent(AOwner)
{
    for (auto init : Initializations())
        init(this);
}

bool TScreen::AddInitialization(void (*Init)(TScreen* S))
{
    Initializations().push_back(Init);
    if (Screen)
        Init(Screen);
    return true;
}

TScreen::~TScreen()
{
    if (FCursor != crDefault && QGuiApplication::instance())
        QGuiApplication::restoreOverrideCursor();
}

int TScreen::Width() const
{
    if (QGuiApplication::instance() && QGuiApplication::primaryScreen())
        return QGuiApplication::primaryScreen()->geometry().width();
    return 1024;
}

int TScreen::Height() const
{
    if (QGuiApplication::instance() && QGuiApplication::primaryScreen())
        return QGuiApplication::primaryScreen()->geometry().height();
    return 768;
}

void TScreen::SetCursor(TCursor v)
{
    if (v == FCursor)
        return;
    const TCursor old = FCursor;
    FCursor = v;
    if (!QGuiApplication::instance())
        return;
    if (v == crDefault) {
        QGuiApplication::restoreOverrideCursor();
    } else if (old == crDefault) {
        QGuiApplication::setOverrideCursor(zvforms::CursorOf(v));
    } else {
        QGuiApplication::changeOverrideCursor(zvforms::CursorOf(v));
    }
}

void TScreen::SetCursors(int Index, TCursor Shape)
{
    FCursorMap[Index] = Shape;
    FCursorImages.erase(Index);
}

void TScreen::SetCursorImage(int Index, const TBitmap* Image, int HotX, int HotY)
{
    auto copy = std::make_shared<TBitmap>();
    copy->Assign(const_cast<TBitmap*>(Image));
    FCursorImages[Index] = TCursorImage{copy, TPoint(HotX, HotY)};
    FCursorMap.erase(Index);
}

const TBitmap* TScreen::CursorImage(int Index, TPoint& HotSpot) const
{
    const auto it = FCursorImages.find(Index);
    if (it == FCursorImages.end())
        return nullptr;
    HotSpot = it->second.HotSpot;
    return it->second.Image.get();
}

TCursor TScreen::Cursors(int Index) const
{
    const auto it = FCursorMap.find(Index);
    return it == FCursorMap.end() ? crDefault : it->second;
}

TCustomForm* TScreen::ActiveForm() const { return FActiveForm; }

TWinControl* TScreen::ActiveControl() const { return FActiveForm ? FActiveForm->ActiveControl() : nullptr; }

void TScreen::AddForm(TCustomForm* F)
{
    if (std::find(FForms.begin(), FForms.end(), F) == FForms.end())
        FForms.push_back(F);
}

void TScreen::RemoveForm(TCustomForm* F)
{
    FForms.erase(std::remove(FForms.begin(), FForms.end(), F), FForms.end());
    if (FActiveForm == F)
        FActiveForm = nullptr;
}

void TScreen::SetActiveForm(TCustomForm* F) { FActiveForm = F; }

TPoint GetCursorPos()
{
    const QPoint p = QCursor::pos();
    return TPoint(p.x(), p.y());
}
