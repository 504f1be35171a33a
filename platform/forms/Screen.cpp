#include "platform/forms/Screen.h"

#include <QApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QScreen>
#include <algorithm>

#include "platform/forms/FormsImpl_p.h"

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
        QGuiApplication::setOverrideCursor(QCursor(zvforms::CursorShapeOf(v)));
    } else {
        QGuiApplication::changeOverrideCursor(QCursor(zvforms::CursorShapeOf(v)));
    }
}

void TScreen::SetCursors(int Index, TCursor Shape) { FCursorMap[Index] = Shape; }

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
