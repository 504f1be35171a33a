#include "platform/forms/TestInput.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QWheelEvent>
#include <QWindow>
#include <memory>

#include "platform/forms/Form.h"
#include "platform/forms/FormsImpl_p.h"

using namespace zvforms;

namespace TestInput {

namespace {

QWidget* WidgetOf(TWinControl* c)
{
    c->HandleNeeded();
    return zvforms::ImplOf(c)->widget;
}

// The widget that receives mouse events for Target, and Target's point in it.
QWidget* MouseWidget(TControl* Target, int& X, int& Y)
{
    if (auto* w = dynamic_cast<TWinControl*>(Target)) {
        QWidget* q = WidgetOf(w);
        if (!zvforms::ImplOf(w)->native) {
            const QPoint off = zvforms::ImplOf(w)->ClientOffset();
            X += off.x();
            Y += off.y();
        }
        return q;
    }
    TWinControl* p = Target->Parent();
    if (!p)
        throw EInvalidOperation("Control '" + Target->Name() + "' has no parent window");
    QWidget* q = WidgetOf(p);
    const QPoint off = zvforms::ImplOf(p)->ClientOffset();
    X += off.x() + Target->Left();
    Y += off.y() + Target->Top();
    return q;
}

Qt::MouseButton QtButton(TMouseButton b)
{
    return b == mbRight ? Qt::RightButton : b == mbMiddle ? Qt::MiddleButton : Qt::LeftButton;
}

Qt::KeyboardModifiers Mods(TShiftState s)
{
    Qt::KeyboardModifiers m;
    if (s & ssShift)
        m |= Qt::ShiftModifier;
    if (s & ssCtrl)
        m |= Qt::ControlModifier;
    if (s & ssAlt)
        m |= Qt::AltModifier;
    return m;
}

Qt::MouseButtons gButtons;

// Qt gives click focus only for the window system's own presses; a user's press moves the
// focus to the first widget up from the one under the mouse that takes focus by click.
void GiveClickFocus(QWidget* w, QPoint local)
{
    for (QWidget* f = w; f; f = f->parentWidget()) {
        if (f->isEnabled() && f->rect().contains(local) && (f->focusPolicy() & Qt::ClickFocus) == Qt::ClickFocus) {
            f->setFocus(Qt::MouseFocusReason);
            // An inactive window records the focus without telling the widget.
            if (auto* l = dynamic_cast<ControlLink*>(f); l && l->ctl)
                RouteFocusIn(l->ctl, Qt::MouseFocusReason);
            return;
        }
        if (f->isWindow() || f->hasFocus())
            return;
        local += f->pos();
    }
}

void SendMouse(TControl* Target, QEvent::Type type, int X, int Y, Qt::MouseButton button, TShiftState Shift)
{
    QPointer<QWidget> w = MouseWidget(Target, X, Y);
    const QPointF local(X, Y);
    const QPointF global = w->mapToGlobal(local);
    if (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick) {
        GiveClickFocus(w, local.toPoint());
        if (!w) // the focus change closed the window
            return;
        gButtons |= button;
    }
    else if (type == QEvent::MouseButtonRelease)
        gButtons &= ~button;
    // A scrolled widget (a list box) takes its mouse in its viewport, as a user's does.
    QWidget* to = w;
    QPointF at = local;
    if (auto* area = qobject_cast<QAbstractScrollArea*>(w.data())) {
        to = area->viewport();
        at = to->mapFrom(w.data(), local.toPoint());
    }
    QMouseEvent e(type, at, at, global, button, gButtons, Mods(Shift));
    QApplication::sendEvent(to, &e);
}

} // namespace

// A user's keys reach the focused control only: a key sent elsewhere on a shown form is a
// test that could not happen.
void CheckFocused(TWinControl* Target)
{
    TCustomForm* f = GetParentForm(Target);
    if (f && f != Target && f->Showing() && f->ActiveControl() != Target)
        throw EInvalidOperation("Keys go to the focused control, not to '" + Target->Name() + "'");
}

void KeyDown(TWinControl* Target, Word Key, TShiftState Shift)
{
    CheckFocused(Target);
    std::unique_ptr<QKeyEvent> e(MakeKeyEvent(QEvent::KeyPress, Key, Shift));
    QApplication::sendEvent(WidgetOf(Target), e.get());
}

void KeyUp(TWinControl* Target, Word Key, TShiftState Shift)
{
    CheckFocused(Target);
    std::unique_ptr<QKeyEvent> e(MakeKeyEvent(QEvent::KeyRelease, Key, Shift));
    QApplication::sendEvent(WidgetOf(Target), e.get());
}

void PressKey(TWinControl* Target, Word Key, TShiftState Shift)
{
    KeyDown(Target, Key, Shift);
    // The release goes where the focus is now (after a Tab: the next control).
    TWinControl* up = Target;
    if (TCustomForm* f = GetParentForm(Target); f && f != Target && f->Showing())
        up = f->ActiveControl();
    if (up)
        KeyUp(up, Key, Shift);
}

void PressKeyOnForm(TWinControl* Form, Word Key, TShiftState Shift)
{
    TWinControl* target = Form;
    if (auto* f = dynamic_cast<TCustomForm*>(Form); f && f->ActiveControl())
        target = f->ActiveControl();
    PressKey(target, Key, Shift);
}

void TypeText(TWinControl* Target, const AnsiString& Text)
{
    for (char ch : Text) {
        Word key = 0;
        TShiftState shift = 0;
        if (ch >= 'a' && ch <= 'z')
            key = static_cast<Word>(ch - 'a' + 'A');
        else if (ch >= 'A' && ch <= 'Z') {
            key = static_cast<Word>(ch);
            shift = ssShift;
        } else if (ch >= '0' && ch <= '9')
            key = static_cast<Word>(ch);
        else {
            switch (ch) {
            case '\r': key = VK_RETURN; break;
            case '\t': key = VK_TAB; break;
            case '\b': key = VK_BACK; break;
            case 27: key = VK_ESCAPE; break;
            case ' ': key = VK_SPACE; break;
            case '.': key = VK_OEM_PERIOD; break;
            case ',': key = VK_OEM_COMMA; break;
            case '-': key = VK_OEM_MINUS; break;
            case '_': key = VK_OEM_MINUS; shift = ssShift; break;
            case '=': key = VK_OEM_PLUS; break;
            case '+': key = VK_OEM_PLUS; shift = ssShift; break;
            case ';': key = VK_OEM_1; break;
            case ':': key = VK_OEM_1; shift = ssShift; break;
            case '/': key = VK_OEM_2; break;
            case '?': key = VK_OEM_2; shift = ssShift; break;
            case '\'': key = VK_OEM_7; break;
            case '"': key = VK_OEM_7; shift = ssShift; break;
            default: break;
            }
        }
        if (key == 0) {
            // Characters without a key of their own arrive as a bare character.
            CheckFocused(Target);
            QKeyEvent e(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString::fromLatin1(&ch, 1));
            QApplication::sendEvent(WidgetOf(Target), &e);
            continue;
        }
        PressKey(Target, key, shift);
    }
}

void MouseDown(TControl* Target, int X, int Y, TMouseButton Button, TShiftState Shift)
{
    SendMouse(Target, QEvent::MouseButtonPress, X, Y, QtButton(Button), Shift);
}

void MouseUp(TControl* Target, int X, int Y, TMouseButton Button, TShiftState Shift)
{
    SendMouse(Target, QEvent::MouseButtonRelease, X, Y, QtButton(Button), Shift);
}

void MouseMove(TControl* Target, int X, int Y, TShiftState Shift)
{
    SendMouse(Target, QEvent::MouseMove, X, Y, Qt::NoButton, Shift);
}

void RestMouse(TControl* Target, int X, int Y)
{
    SendMouse(Target, QEvent::MouseMove, X, Y, Qt::NoButton, 0);
    QPointer<QWidget> w = MouseWidget(Target, X, Y);
    if (!w)
        return;
    QHelpEvent e(QEvent::ToolTip, QPoint(X, Y), w->mapToGlobal(QPoint(X, Y)));
    QApplication::sendEvent(w, &e);
}

void Click(TControl* Target, int X, int Y, TMouseButton Button)
{
    if (X < 0 || Y < 0) {
        const TRect r = Target->ClientRect();
        X = r.Width() / 2;
        Y = r.Height() / 2;
    }
    MouseDown(Target, X, Y, Button);
    MouseUp(Target, X, Y, Button);
}

void DblClick(TControl* Target, int X, int Y)
{
    if (X < 0 || Y < 0) {
        const TRect r = Target->ClientRect();
        X = r.Width() / 2;
        Y = r.Height() / 2;
    }
    MouseDown(Target, X, Y);
    MouseUp(Target, X, Y);
    SendMouse(Target, QEvent::MouseButtonDblClick, X, Y, Qt::LeftButton, 0);
    MouseUp(Target, X, Y);
}

void Wheel(TWinControl* Target, int Steps, int X, int Y)
{
    if (X < 0 || Y < 0) {
        const TRect r = Target->ClientRect();
        X = r.Width() / 2;
        Y = r.Height() / 2;
    }
    QWidget* w = MouseWidget(Target, X, Y);
    const QPointF local(X, Y);
    QWheelEvent e(local, w->mapToGlobal(local), QPoint(), QPoint(0, Steps * 120), Qt::NoButton, Qt::NoModifier,
                  Qt::NoScrollPhase, false);
    QApplication::sendEvent(w, &e);
}

TCursor ShownCursor(TWinControl* Target)
{
    if (const TCursor own = zvforms::ShownImageCursor(WidgetOf(Target)); own != crDefault)
        return own;
    const Qt::CursorShape shape = WidgetOf(Target)->cursor().shape();
    // The class library's numbers run from crDefault down to crSizeAll; the first that
    // shows this shape names it.
    for (TCursor c = crDefault; c >= crSizeAll; --c)
        if (zvforms::CursorShapeOf(c) == shape)
            return c;
    return crDefault;
}

// ---------------------------------------------------------------- the window's frame

namespace {

// The form's top-level window, shown, as the window system sees it.
QWidget* ShownWindow(TCustomForm* Form)
{
    if (!Form->Showing())
        throw EInvalidOperation("The window of '" + Form->Name() + "' is not shown");
    return WidgetOf(Form);
}

} // namespace

void DragWindowFrame(TCustomForm* Form, int DX, int DY)
{
    QWidget* w = ShownWindow(Form);
    QWindow* win = w->windowHandle();
    // The window system honours the window's size limits while the user drags.
    const QSize want = win->size() + QSize(DX, DY);
    const QSize size = want.expandedTo(win->minimumSize()).boundedTo(win->maximumSize());
    if (size != win->size())
        win->resize(size);
    ProcessEvents();
}

TBorderIcons ShownTitleButtons(TCustomForm* Form)
{
    const Qt::WindowFlags f = ShownWindow(Form)->windowFlags();
    TBorderIcons shown = 0;
    if (f & Qt::WindowSystemMenuHint)
        shown |= biSystemMenu;
    if (f & Qt::WindowMinimizeButtonHint)
        shown |= biMinimize;
    if (f & Qt::WindowMaximizeButtonHint)
        shown |= biMaximize;
    return shown;
}

void ClickTitleButton(TCustomForm* Form, TBorderIconBit Button)
{
    QWidget* w = ShownWindow(Form);
    if (!(ShownTitleButtons(Form) & Button) || (Button != biMinimize && Button != biMaximize))
        throw EInvalidOperation("The window of '" + Form->Name() + "' shows no such title button");
    w->setWindowState((w->windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized))
                      | (Button == biMinimize ? Qt::WindowMinimized : Qt::WindowMaximized));
    ProcessEvents();
}

void RestoreWindow(TCustomForm* Form)
{
    QWidget* w = ShownWindow(Form);
    w->setWindowState(w->windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized));
    ProcessEvents();
}

void ProcessEvents()
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void RunFor(int Ms)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < Ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 5);
}

} // namespace TestInput
