// The Qt widgets behind the controls and the routing of their events.
#include <QAbstractScrollArea>
#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QPaintEvent>
#include <QPainter>
#include <QPalette>
#include <QPixmap>
#include <QHelpEvent>
#include <QToolTip>
#include <cstdio>

#include "platform/forms/Form.h"
#include "platform/forms/FormsImpl_p.h"
#include "platform/forms/HintWindow.h"
#include "platform/forms/Menus.h"

using namespace zvqt;

namespace zvforms {

bool Guard(const std::function<void()>& f, TObject* Sender)
{
    if (Application)
        return Application->Guard(f, Sender);
    try {
        f();
        return true;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "Unhandled exception: %s\n", e.what());
    } catch (...) {
        std::fprintf(stderr, "Unhandled exception\n");
    }
    return false;
}

Qt::CursorShape CursorShapeOf(TCursor c)
{
    if (Screen && c > 0)
        c = Screen->Cursors(c);
    switch (c) {
    case crNone: return Qt::BlankCursor;
    case crCross: return Qt::CrossCursor;
    case crIBeam: return Qt::IBeamCursor;
    case crSizeNESW: return Qt::SizeBDiagCursor;
    case crSizeNS: return Qt::SizeVerCursor;
    case crSizeNWSE: return Qt::SizeFDiagCursor;
    case crSizeWE: return Qt::SizeHorCursor;
    case crSizeAll: return Qt::SizeAllCursor;
    case crUpArrow: return Qt::UpArrowCursor;
    case crHourGlass:
    case crSQLWait: return Qt::WaitCursor;
    case crDrag:
    case crMultiDrag: return Qt::DragCopyCursor;
    case crNoDrop:
    case crNo: return Qt::ForbiddenCursor;
    case crHSplit: return Qt::SplitHCursor;
    case crVSplit: return Qt::SplitVCursor;
    case crAppStart: return Qt::BusyCursor;
    case crHelp: return Qt::WhatsThisCursor;
    case crHandPoint: return Qt::PointingHandCursor;
    default: return Qt::ArrowCursor;
    }
}

QCursor CursorOf(TCursor c)
{
    TPoint hot;
    const TBitmap* image = Screen && c > 0 ? Screen->CursorImage(c, hot) : nullptr;
    if (!image || image->Empty())
        return QCursor(CursorShapeOf(c));
    QImage img = zvqt::BitmapImage(image).convertToFormat(QImage::Format_ARGB32);
    const QRgb clear = zvqt::ToQRgb(image->TransparentColor()) & 0xFFFFFFu;
    for (int y = 0; y < img.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x)
            if ((line[x] & 0xFFFFFFu) == clear)
                line[x] = 0;
    }
    return QCursor(QPixmap::fromImage(img), hot.x, hot.y);
}

void ShowCursor(QWidget* w, TCursor c)
{
    // A picture cursor is made once per change, not once per mouse move.
    const QVariant shown = w->property("zvCursor");
    if (shown.isValid() && shown.toInt() == c && w->testAttribute(Qt::WA_SetCursor))
        return;
    w->setCursor(CursorOf(c));
    w->setProperty("zvCursor", c);
}

TCursor ShownImageCursor(const QWidget* w)
{
    if (w->cursor().shape() != Qt::BitmapCursor)
        return crDefault;
    return w->property("zvCursor").toInt();
}

void ApplyPalette(TWinControl* c, QWidget* w, TColor Base, TColor Text)
{
    QPalette pal = w->palette();
    auto set = [&](QPalette::ColorRole role, TColor col) {
        pal.setColor(QPalette::Active, role, ToQColor(col));
        pal.setColor(QPalette::Inactive, role, ToQColor(col));
        pal.setColor(QPalette::Disabled, role, ToQColor(col));
    };
    set(QPalette::Window, clBtnFace);
    set(QPalette::WindowText, Text);
    set(QPalette::Base, Base); // disabled too: a disabled control keeps its own Color
    set(QPalette::AlternateBase, Base);
    set(QPalette::Text, Text);
    set(QPalette::Button, clBtnFace);
    set(QPalette::ButtonText, clBtnText);
    set(QPalette::Highlight, clHighlight);
    set(QPalette::HighlightedText, clHighlightText);
    set(QPalette::Light, clBtnHighlight);
    set(QPalette::Midlight, cl3DLight);
    set(QPalette::Mid, clBtnShadow);
    set(QPalette::Dark, clBtnShadow);
    set(QPalette::Shadow, cl3DDkShadow);
    set(QPalette::ToolTipBase, clInfoBk);
    set(QPalette::ToolTipText, clInfoText);
    pal.setColor(QPalette::Disabled, QPalette::Text, ToQColor(clGrayText));
    pal.setColor(QPalette::Disabled, QPalette::WindowText, ToQColor(clGrayText));
    pal.setColor(QPalette::Disabled, QPalette::ButtonText, ToQColor(clGrayText));
    w->setPalette(pal);
    w->setFont(ToQFont(*c->Font()));
}

namespace {

bool Alive(QWidget* w)
{
    auto* l = dynamic_cast<ControlLink*>(w);
    return w && l && l->ctl;
}

} // namespace

void RouteKeyPress(TWinControl* c, QKeyEvent* e, const std::function<void(QKeyEvent*)>& Native)
{
    QPointer<QWidget> w = zvforms::ImplOf(c)->widget;
    Word key = VirtualKeyOf(e);
    const Word origKey = key;
    const TShiftState shift = ShiftOf(e->modifiers());
    char ch = CharOf(e);
    const char origCh = ch;
    bool charAllowed = true;
    Guard([&] { charAllowed = c->HandleKeyDown(key, shift); }, c);
    e->accept();
    if (!charAllowed || !Alive(w))
        return;
    if (ch != 0 && (shift & (ssAlt | ssCtrl)) == ssAlt) {
        // Alt plus a character is the form's accelerator, never typed.
        TCustomForm* f = GetParentForm(c);
        TWinControl* top = f ? static_cast<TWinControl*>(f) : c;
        Guard([&] { top->CMDialogChar(ch); }, c);
        return;
    }
    if (ch == 0) {
        if (key != 0 && Native)
            Native(e);
        return;
    }
    bool deliver = false;
    Guard([&] { deliver = c->HandleKeyPress(ch); }, c);
    if (!deliver || ch == 0 || !Native || !Alive(w))
        return;
    if (key == origKey && ch == origCh) {
        Native(e);
        return;
    }
    // The key was zeroed or the character changed: the native control gets the character alone.
    const QString text = QString::fromLatin1(&ch, 1);
    QKeyEvent k2(QEvent::KeyPress, key == origKey ? e->key() : static_cast<int>(Qt::Key_unknown),
                 e->modifiers() & ~Qt::KeypadModifier, text);
    Native(&k2);
}

void RouteKeyRelease(TWinControl* c, QKeyEvent* e, const std::function<void(QKeyEvent*)>& Native)
{
    QPointer<QWidget> w = zvforms::ImplOf(c)->widget;
    Word key = VirtualKeyOf(e);
    const TShiftState shift = ShiftOf(e->modifiers());
    bool pass = false;
    Guard([&] { pass = c->HandleKeyUp(key, shift); }, c);
    e->accept();
    if (pass && Native && Alive(w))
        Native(e);
}

void RouteFocusIn(TWinControl* c, Qt::FocusReason reason)
{
    if (zvforms::ImplOf(c)->settingFocus)
        return;
    // Focus coming back from a modal box or a popup is no focus change between controls.
    if (reason == Qt::PopupFocusReason || reason == Qt::ActiveWindowFocusReason)
        return;
    TCustomForm* f = GetParentForm(c);
    if (!f || f == c || f->ActiveControl() == c || zvforms::ImplOf(f)->changingFocus)
        return;
    Guard([&] { f->FocusControl(c); }, c);
}

namespace {

TMouseButton ButtonOf(Qt::MouseButton b)
{
    if (b == Qt::RightButton)
        return mbRight;
    if (b == Qt::MiddleButton)
        return mbMiddle;
    return mbLeft;
}

void ShowPopup(TControl* target, QMouseEvent* e)
{
    for (TControl* t = target; t; t = t->Parent()) {
        if (TPopupMenu* pm = t->PopupMenu()) {
            if (pm->AutoPopup()) {
                pm->SetPopupComponent(t);
                const QPoint g = e->globalPosition().toPoint();
                pm->Popup(g.x(), g.y());
            }
            return;
        }
    }
}

} // namespace

void RouteMouse(TWinControl* c, QMouseEvent* e)
{
    auto* impl = zvforms::ImplOf(c);
    QPointer<QWidget> w = impl->widget;
    const QPoint off = impl->native ? QPoint(0, 0) : impl->ClientOffset();
    const QPoint p = e->position().toPoint() - off;
    const TShiftState shift = ShiftOf(e->modifiers(), e->buttons());
    auto local = [&](TControl* t) { return t == c ? p : p - QPoint(t->Left(), t->Top()); };
    switch (e->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        TControl* t = impl->native ? nullptr : c->ControlAtPos(TPoint(p.x(), p.y()), false, false);
        impl->pressed = t;
        TControl* target = t ? t : c;
        const QPoint lp = local(target);
        target->HandleMouseDown(ButtonOf(e->button()), shift, lp.x(), lp.y(), e->type() == QEvent::MouseButtonDblClick);
        break;
    }
    case QEvent::MouseButtonRelease: {
        TControl* target = impl->pressed ? impl->pressed : c;
        impl->pressed = nullptr;
        const QPoint lp = local(target);
        target->HandleMouseUp(ButtonOf(e->button()), shift, lp.x(), lp.y());
        if (e->button() == Qt::RightButton && Alive(w))
            ShowPopup(target, e);
        break;
    }
    case QEvent::MouseMove: {
        TControl* target = nullptr;
        if (!impl->native) {
            // Enter and leave follow the mouse even while a pressed child holds the capture,
            // so a control dragged off knows it before the release. A disabled graphic
            // control still learns it (its hot look); its mouse moves go to the window.
            TControl* t = c->ControlAtPos(TPoint(p.x(), p.y()), true, false);
            if (t != impl->hover) {
                TControl* old = impl->hover;
                impl->hover = t;
                if (old)
                    old->CMMouseLeave();
                if (t)
                    t->CMMouseEnter();
            }
            target = t && t->Enabled() ? t : nullptr;
        }
        if (impl->pressed)
            target = impl->pressed;
        if (!target)
            target = c;
        const QPoint lp = local(target);
        target->HandleMouseMove(shift, lp.x(), lp.y());
        // The cursor shows what the control made of this move (a zone it found, a link).
        // A control holding the mouse capture keeps the cursor it took it with.
        if (!impl->native && Alive(w) && !impl->pressed && !c->MouseCapture()) {
            TControl* t = c->ControlAtPos(TPoint(p.x(), p.y()), true, false);
            TControl* over = t ? t : c;
            const QPoint op = local(over);
            ShowCursor(w, over->CursorAt(op.x(), op.y()));
        }
        break;
    }
    default:
        break;
    }
}

void RouteWheel(TWinControl* c, QWheelEvent* e)
{
    const QPoint p = e->position().toPoint();
    const TShiftState shift = ShiftOf(e->modifiers(), e->buttons());
    const TPoint mp = c->ClientToScreen(TPoint(p.x(), p.y()));
    bool handled = e->angleDelta().y() < 0 ? c->DoMouseWheelDown(shift, mp) : c->DoMouseWheelUp(shift, mp);
    e->setAccepted(handled);
}

void RouteEnter(TWinControl* c) { c->CMMouseEnter(); }

void RouteLeave(TWinControl* c)
{
    auto* impl = zvforms::ImplOf(c);
    if (TControl* h = impl->hover) {
        impl->hover = nullptr;
        h->CMMouseLeave();
    }
    c->CMMouseLeave();
}

void RenderBuffer(TWinControl* c, QWidget* w, const QRegion& region)
{
    auto* impl = zvforms::ImplOf(c);
    const QImage::Format format = impl->seeThrough ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32;
    if (impl->buffer.size() != w->size() || impl->buffer.format() != format) {
        impl->buffer = QImage(w->size(), format);
        impl->buffer.fill(impl->seeThrough ? QColor(Qt::transparent) : ToQColor(c->Color()));
    }
    if (impl->buffer.isNull())
        return;
    if (impl->seeThrough) {
        QPainter clear(&impl->buffer);
        clear.setCompositionMode(QPainter::CompositionMode_Clear);
        for (const QRect& r : region)
            clear.fillRect(r, Qt::transparent);
    }
    TCanvas canvas;
    BindCanvas(&canvas, &impl->buffer);
    std::vector<TRect> rects;
    for (const QRect& r : region)
        rects.push_back(FromQRect(r));
    canvas.SetClipRegion(rects);
    const QPoint off = impl->ClientOffset();
    canvas.SaveDC();
    canvas.SetViewportOrg(TPoint(off.x() - Access::NonClientWidth(c), off.y() - Access::NonClientWidth(c)));
    Guard([&] { Access::PaintNonClient(c, &canvas); }, c);
    canvas.RestoreDC();
    canvas.SetViewportOrg(TPoint(off.x(), off.y()));
    canvas.IntersectClipRect(c->ClientRect());
    c->PaintWindowTo(&canvas);
    FlushCanvas(&canvas);
    BindCanvas(&canvas, nullptr);
}

void PaintWidget(TWinControl* c, QWidget* w, const QRegion& region)
{
    auto* impl = zvforms::ImplOf(c);
    if (!impl->blitOnly || impl->buffer.size() != w->size())
        RenderBuffer(c, w, region);
    impl->blitOnly = false;
    EndPaintersOn(&impl->buffer);
    // Part by part, unclipped: a clipped draw of the whole picture takes the engine's slow
    // path, which hands the copy to worker threads and wakes them for a few pixels.
    QPainter p(w);
    for (const QRect& r : region)
        p.drawImage(r.topLeft(), impl->buffer, r);
}

void PaintNativeOverlay(TWinControl* c, QWidget* w, const QRegion& region)
{
    // The control draws on a see-through layer laid over the native picture; a control that
    // draws nothing there (most) costs no blending of an empty layer.
    QWidget* target = w;
    if (auto* area = qobject_cast<QAbstractScrollArea*>(w))
        target = area->viewport();
    // The layer covers only what is painted: a line of a large memo redrawn for each reading
    // would otherwise clear and lay over the whole memo's picture.
    const QRect bounds = region.boundingRect() & target->rect();
    if (bounds.isEmpty())
        return;
    QImage overlay(bounds.size(), QImage::Format_ARGB32_Premultiplied);
    if (overlay.isNull())
        return;
    overlay.fill(Qt::transparent);
    bool drawn = false;
    {
        TCanvas canvas;
        canvas.OnChanging = [&drawn](TObject*) { drawn = true; };
        BindCanvas(&canvas, &overlay);
        canvas.SetViewportOrg(TPoint(-bounds.left(), -bounds.top()));
        std::vector<TRect> rects;
        for (const QRect& r : region)
            rects.push_back(FromQRect(r));
        canvas.SetClipRegion(rects);
        Guard([&] { Access::PaintOverlay(c, &canvas); }, c);
        FlushCanvas(&canvas);
        BindCanvas(&canvas, nullptr);
    }
    if (!drawn)
        return;
    QPainter p(target);
    p.setClipRegion(region);
    p.drawImage(bounds.topLeft(), overlay);
}

void SetSeeThrough(TWinControl* c, bool v)
{
    auto* impl = zvforms::ImplOf(c);
    impl->seeThrough = v;
    if (QWidget* w = impl->widget; w && !impl->native)
        w->setAttribute(Qt::WA_OpaquePaintEvent, !v);
}

// ---------------------------------------------------------------- WindowWidget

WindowWidget::WindowWidget(TWinControl* c, QWidget* parent) : QWidget(parent), ControlLink(c)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAutoFillBackground(false);
    setFocusPolicy(Qt::NoFocus);
}

bool WindowWidget::event(QEvent* e)
{
    if (ctl && e->type() == QEvent::ToolTip) {
        auto* he = static_cast<QHelpEvent*>(e);
        const QPoint p = he->pos() - zvforms::ImplOf(ctl)->ClientOffset();
        TControl* t = ctl->ControlAtPos(TPoint(p.x(), p.y()), false, false);
        TControl* target = t ? t : ctl;
        const QPoint lp = t ? p - QPoint(t->Left(), t->Top()) : p;
        AnsiString hint;
        bool show = false;
        Guard([&] { target->CMHintShow(hint, TPoint(lp.x(), lp.y()), show); }, target);
        if (show && !hint.empty() && (!Application || Application->ShowHint())) {
            const QPoint g = he->globalPos();
            if (!ShowApplicationHint(TPoint(g.x(), g.y()), hint))
                QToolTip::showText(g, ToQString(hint), this);
        } else {
            QToolTip::hideText();
            HideApplicationHint();
        }
        return true;
    }
    if (ctl && e->type() == QEvent::Show)
        Guard([&] { Access::WindowShown(ctl); }, ctl);
    if (ctl && e->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(e);
        if (k->key() == Qt::Key_Tab || k->key() == Qt::Key_Backtab) {
            keyPressEvent(k);
            return true;
        }
    }
    return QWidget::event(e);
}

void WindowWidget::paintEvent(QPaintEvent* e)
{
    if (!ctl)
        return;
    PaintWidget(ctl, this, e->region());
}

void WindowWidget::mousePressEvent(QMouseEvent* e)
{
    if (ctl)
        RouteMouse(ctl, e);
}

void WindowWidget::mouseReleaseEvent(QMouseEvent* e)
{
    if (ctl)
        RouteMouse(ctl, e);
}

void WindowWidget::mouseDoubleClickEvent(QMouseEvent* e)
{
    if (ctl)
        RouteMouse(ctl, e);
}

void WindowWidget::mouseMoveEvent(QMouseEvent* e)
{
    if (ctl)
        RouteMouse(ctl, e);
}

void WindowWidget::wheelEvent(QWheelEvent* e)
{
    if (ctl)
        RouteWheel(ctl, e);
}

void WindowWidget::keyPressEvent(QKeyEvent* e)
{
    if (ctl)
        RouteKeyPress(ctl, e, nullptr);
}

void WindowWidget::keyReleaseEvent(QKeyEvent* e)
{
    if (ctl)
        RouteKeyRelease(ctl, e, nullptr);
}

void WindowWidget::focusInEvent(QFocusEvent* e)
{
    QWidget::focusInEvent(e);
    if (ctl)
        RouteFocusIn(ctl, e->reason());
}

void WindowWidget::enterEvent(QEnterEvent*)
{
    if (ctl)
        RouteEnter(ctl);
}

void WindowWidget::leaveEvent(QEvent*)
{
    HideApplicationHint();
    if (ctl)
        RouteLeave(ctl);
}

void WindowWidget::closeEvent(QCloseEvent* e)
{
    // The window's close box asks the form, which hides or frees itself.
    e->ignore();
    if (auto* f = dynamic_cast<TCustomForm*>(ctl))
        Guard([&] { f->Close(); }, f);
}

void WindowWidget::resizeEvent(QResizeEvent* e)
{
    QWidget::resizeEvent(e);
    auto* f = dynamic_cast<TCustomForm*>(ctl);
    if (!f || parentWidget() || zvforms::ImplOf(ctl)->syncing)
        return;
    // A user resized the window: the form takes the new client size, unless its size is
    // not the user's to change (a window system that ignored the limits).
    const int ch = height() - f->MenuHeight();
    if (!f->UserSizeable()) {
        if (width() != f->ClientWidth() || ch != f->ClientHeight())
            resize(f->ClientWidth(), f->ClientHeight() + f->MenuHeight());
        return;
    }
    if (width() != f->ClientWidth() || ch != f->ClientHeight()) {
        zvforms::ImplOf(ctl)->syncing = true;
        f->SetBounds(f->Left(), f->Top(), width() + 2 * f->FrameWidth(),
                     ch + f->CaptionHeight() + f->MenuHeight() + 2 * f->FrameWidth());
        zvforms::ImplOf(ctl)->syncing = false;
    }
}

void WindowWidget::moveEvent(QMoveEvent* e) { QWidget::moveEvent(e); }

void WindowWidget::changeEvent(QEvent* e)
{
    QWidget::changeEvent(e);
    auto* f = dynamic_cast<TCustomForm*>(ctl);
    if (!f || parentWidget() || e->type() != QEvent::WindowStateChange)
        return;
    // The user minimised, maximised or restored the window: the form follows.
    const Qt::WindowStates s = windowState();
    const TWindowState state = s & Qt::WindowMinimized ? wsMinimized : s & Qt::WindowMaximized ? wsMaximized : wsNormal;
    Guard([&] { f->SetWindowState(state); }, f);
}

} // namespace zvforms
