#pragma once
// Private to the platform layer: the Qt side of the controls (widgets that mirror a
// TWinControl, the key and mouse routing into the class-library sequence).
#include <QKeyEvent>
#include <QWheelEvent>
#include <QPointer>
#include <QScrollBar>
#include <QWidget>
#include <functional>

#include "platform/forms/Application.h"
#include "platform/forms/Controls.h"
#include "platform/forms/Screen.h"
#include "platform/graphics/QtGraphics_p.h"

class QMenu;
class TMenuItem;

struct TWinControl::Impl {
    explicit Impl(TWinControl* o) : owner(o) {}
    TWinControl* owner;
    QPointer<QWidget> widget;   // covers the control's bounds (a form: its client area and menu)
    bool native = false;        // widget is a Qt control that paints itself
    QImage buffer;              // off-screen image of a painted window
    QPointer<QScrollBar> bars[2];
    struct Bar {
        int min = 0, max = 0, page = 0, pos = 0;
        bool visible = false;
    } bar[2];
    TControl* hover = nullptr;    // graphic child under the mouse
    TControl* pressed = nullptr;  // graphic child that got the button press
    std::vector<TWinControl*> tabList; // windowed children in tab order
    bool settingFocus = false;
    int changingFocus = 0;       // a form: FocusControl is leaving and entering controls
    bool syncing = false;
    bool blitOnly = false;        // the next paint shows the buffer as drawn outside Paint
    bool seeThrough = false;      // unpainted pixels show the parent (a transparent control)
    // Offset of the client area inside the widget.
    QPoint ClientOffset() const;
    void LayoutBars();
};

namespace zvforms {

// Reaches the protected parts of the controls from the widget layer.
struct Access {
    static void PaintNonClient(TWinControl* c, TCanvas* cv) { c->PaintNonClient(cv); }
    static void PaintOverlay(TWinControl* c, TCanvas* cv) { c->PaintOverlay(cv); }
    static int NonClientWidth(const TWinControl* c) { return c->NonClientWidth(); }
    static void CreateWidget(TWinControl* c) { c->CreateWidget(); }
    static void SyncWidget(TWinControl* c) { c->SyncWidget(); }
    static void WindowShown(TWinControl* c) { c->WindowShown(); }
    static bool WantsKey(const TWinControl* c, Word k, TShiftState s) { return c->WantsKey(k, s); }
    static TControl*& Hover(TWinControl* c) { return c->ImplPtr()->hover; }
    static bool HoldsNativeMouse(const TWinControl* c, int Kind, TMouseButton b, int x, int y)
    {
        return c->HoldsNativeMouse(Kind, b, x, y);
    }
    static TWinControl::Impl* ImplOf(const TWinControl* c) { return c->ImplPtr(); }
};

// The Qt side of a windowed control.
inline TWinControl::Impl* ImplOf(const TWinControl* c) { return Access::ImplOf(c); }

// Runs a call into program code; exceptions go to the application's handler.
bool Guard(const std::function<void()>& f, TObject* Sender = nullptr);

// Qt key event to Windows key code, shift state and character (0: none).
Word VirtualKeyOf(const QKeyEvent* e);
TShiftState ShiftOf(Qt::KeyboardModifiers m, Qt::MouseButtons b = Qt::NoButton);
char CharOf(const QKeyEvent* e);
// The reverse, for injected keys.
QKeyEvent* MakeKeyEvent(QEvent::Type type, Word Key, TShiftState Shift);

// Routes a key press through the class-library sequence; Native handles the (possibly
// changed) event in the Qt widget afterwards (nullptr: a painted window).
void RouteKeyPress(TWinControl* c, QKeyEvent* e, const std::function<void(QKeyEvent*)>& Native);
void RouteKeyRelease(TWinControl* c, QKeyEvent* e, const std::function<void(QKeyEvent*)>& Native);
// Focus arriving from Qt (a click or Qt's own navigation).
void RouteFocusIn(TWinControl* c, Qt::FocusReason reason);
// Mouse events of a window: dispatched to the graphic child under the mouse, else to the window.
void RouteMouse(TWinControl* c, QMouseEvent* e);
void RouteWheel(TWinControl* c, QWheelEvent* e);
void RouteEnter(TWinControl* c);
void RouteLeave(TWinControl* c);
// Paints a painted window's widget (paint event region r).
void PaintWidget(TWinControl* c, QWidget* w, const QRegion& r);
// Renders region r of a painted window into its off-screen buffer.
void RenderBuffer(TWinControl* c, QWidget* w, const QRegion& r);
// Makes a painted window show its parent where it paints nothing.
void SetSeeThrough(TWinControl* c, bool v);
// Lets the control draw over a native widget's own painting.
void PaintNativeOverlay(TWinControl* c, QWidget* w, const QRegion& r);
// Qt cursor shape of a class-library cursor number.
Qt::CursorShape CursorShapeOf(TCursor c);
// Qt cursor of a cursor number: a built-in shape or an own cursor's picture.
QCursor CursorOf(TCursor c);
// Shows cursor c over w (and remembers its number for the tests' ShownCursor).
void ShowCursor(QWidget* w, TCursor c);
// The number of the own picture cursor shown over w; crDefault when it shows a built-in shape.
TCursor ShownImageCursor(const QWidget* w);
// The classic palette for a Qt control in the control's colours.
void ApplyPalette(TWinControl* c, QWidget* w, TColor Base, TColor Text);
// Scroll code of a Qt slider action (scroll bars of a window and TScrollBar).
TScrollCode ScrollCodeOf(int Action);
// Adds the visible items under it (and their submenus) to a Qt menu.
void FillMenu(QMenu* m, TMenuItem* it);

// What every control widget keeps: the control it mirrors (nullptr once detached).
struct ControlLink {
    explicit ControlLink(TWinControl* c) : ctl(c) {}
    virtual ~ControlLink() = default;
    TWinControl* ctl;
};

// The widget kind of a painted window, which forwards its events to the control.
class WindowWidget : public QWidget, public ControlLink {
public:
    WindowWidget(TWinControl* c, QWidget* parent);

protected:
    bool event(QEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    bool Held(int Kind, QMouseEvent* e) const
    {
        const QPoint p = e->position().toPoint();
        const TMouseButton b = e->button() == Qt::RightButton ? mbRight : e->button() == Qt::MiddleButton ? mbMiddle : mbLeft;
        return ctl && Access::HoldsNativeMouse(ctl, Kind, b, p.x(), p.y());
    }
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void enterEvent(QEnterEvent* e) override;
    void leaveEvent(QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void moveEvent(QMoveEvent* e) override;
    void changeEvent(QEvent* e) override;
};

// A Qt control (line edit, combo box, ...) that routes its events through the control first.
template <class Base>
class NativeWidget : public Base, public ControlLink {
public:
    template <class... A>
    NativeWidget(TWinControl* c, A&&... a) : Base(std::forward<A>(a)...), ControlLink(c)
    {
    }

protected:
    bool event(QEvent* e) override
    {
        if (ctl && e->type() == QEvent::KeyPress) {
            auto* k = static_cast<QKeyEvent*>(e);
            if (k->key() == Qt::Key_Tab || k->key() == Qt::Key_Backtab) {
                keyPressEvent(k);
                return true;
            }
        }
        return Base::event(e);
    }
    void keyPressEvent(QKeyEvent* e) override
    {
        if (!ctl)
            return Base::keyPressEvent(e);
        RouteKeyPress(ctl, e, [this](QKeyEvent* k) { NativeKeyPress(k); });
        e->accept(); // handled here: the parent window never sees it again
    }
    // The Qt control's own handling of a key the control let through.
    virtual void NativeKeyPress(QKeyEvent* e) { Base::keyPressEvent(e); }
    void keyReleaseEvent(QKeyEvent* e) override
    {
        if (!ctl)
            return Base::keyReleaseEvent(e);
        RouteKeyRelease(ctl, e, [this](QKeyEvent* k) { Base::keyReleaseEvent(k); });
        e->accept();
    }
    void focusInEvent(QFocusEvent* e) override
    {
        Base::focusInEvent(e);
        if (ctl)
            RouteFocusIn(ctl, e->reason());
    }
    void paintEvent(QPaintEvent* e) override
    {
        Base::paintEvent(e);
        if (ctl)
            PaintNativeOverlay(ctl, this, e->region());
    }
    void mousePressEvent(QMouseEvent* e) override
    {
        if (!Held(0, e))
            Base::mousePressEvent(e);
        if (ctl)
            RouteMouse(ctl, e);
    }
    void mouseReleaseEvent(QMouseEvent* e) override
    {
        if (!Held(2, e))
            Base::mouseReleaseEvent(e);
        if (ctl)
            RouteMouse(ctl, e);
    }
    bool Held(int Kind, QMouseEvent* e) const
    {
        const QPoint p = e->position().toPoint();
        const TMouseButton b = e->button() == Qt::RightButton ? mbRight : e->button() == Qt::MiddleButton ? mbMiddle : mbLeft;
        return ctl && Access::HoldsNativeMouse(ctl, Kind, b, p.x(), p.y());
    }
    void mouseDoubleClickEvent(QMouseEvent* e) override
    {
        if (!Held(3, e))
            Base::mouseDoubleClickEvent(e);
        if (ctl)
            RouteMouse(ctl, e);
    }
    void mouseMoveEvent(QMouseEvent* e) override
    {
        if (!Held(1, e))
            Base::mouseMoveEvent(e);
        if (ctl)
            RouteMouse(ctl, e);
    }
    void wheelEvent(QWheelEvent* e) override
    {
        // The control's wheel handling first (OnMouseWheelDown/Up); the Qt control's when unhandled.
        if (ctl) {
            RouteWheel(ctl, e);
            if (e->isAccepted())
                return;
        }
        Base::wheelEvent(e);
    }
    void enterEvent(QEnterEvent* e) override
    {
        Base::enterEvent(e);
        if (ctl)
            RouteEnter(ctl);
    }
    void leaveEvent(QEvent* e) override
    {
        Base::leaveEvent(e);
        if (ctl)
            RouteLeave(ctl);
    }
};

// Detaches the widget from its control (the control is going away).
inline void DetachWidget(QWidget* w)
{
    if (auto* l = dynamic_cast<ControlLink*>(w))
        l->ctl = nullptr;
}

} // namespace zvforms
