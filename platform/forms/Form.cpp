#include "platform/forms/Form.h"

#include <QAction>
#include <QEventLoop>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPalette>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <algorithm>

#include "platform/forms/Application.h"
#include "platform/forms/FormsImpl_p.h"
#include "platform/forms/Menus.h"
#include "platform/forms/ModalScript.h"
#include "platform/forms/Screen.h"

using namespace zvqt;
using namespace zvforms;

TCustomForm* GetParentForm(TControl* Control)
{
    TControl* c = Control;
    while (c && c->Parent())
        c = c->Parent();
    return dynamic_cast<TCustomForm*>(c);
}

TCustomForm::TCustomForm(TComponent* AOwner) : TWinControl(AOwner), FCanvas(std::make_unique<TCanvas>())
{
    FVisible = false;
    FControlStyle |= csAcceptsControls;
    FWidth = 320;
    FHeight = 240;
    if (Screen)
        Screen->AddForm(this);
}

TCustomForm::~TCustomForm()
{
    if (FMenu) {
        // Menu items die with the form's components after this: they must not call back.
        FMenu->OnChange = nullptr;
        FMenu->RemoveFreeNotification(this);
        FMenu = nullptr;
    }
    Guard([&] { FireEvent(OnDestroy, this); }, this);
    if (Screen)
        Screen->RemoveForm(this);
    if (Application && Application->MainForm() == this)
        Application->SetMainForm(nullptr);
}

void TCustomForm::Notification(TComponent* AComponent, TOperation Operation)
{
    TWinControl::Notification(AComponent, Operation);
    if (Operation == TOperation::opRemove && AComponent == FMenu) {
        FMenu = nullptr;
        if (HandleAllocated())
            SyncWidget();
    }
}

void TCustomForm::DoCreate()
{
    if (FCreated)
        return;
    FCreated = true;
    Guard([&] { FireEvent(OnCreate, this); }, this);
}

// ---------------------------------------------------------------- frame metrics

int TCustomForm::FrameWidth() const
{
    switch (FBorderStyle) {
    case bsNone: return 0;
    case bsSizeable:
    case bsSizeToolWin: return 4;
    default: return 3;
    }
}

int TCustomForm::CaptionHeight() const
{
    switch (FBorderStyle) {
    case bsNone: return 0;
    case bsToolWindow:
    case bsSizeToolWin: return 16;
    default: return 19;
    }
}

int TCustomForm::MenuHeight() const { return FMenu && FMenu->Items()->Count() > 0 ? 19 : 0; }

TRect TCustomForm::ClientRect() const
{
    const int f = FrameWidth();
    return TRect(0, 0, std::max(0, FWidth - 2 * f), std::max(0, FHeight - 2 * f - CaptionHeight() - MenuHeight()));
}

TPoint TCustomForm::ClientOrigin() const
{
    const int f = FrameWidth();
    return TPoint(FLeft + f, FTop + f + CaptionHeight() + MenuHeight());
}

void TCustomForm::SetBorderIcons(TBorderIcons v) { SetAndSync(FBorderIcons, v); }

void TCustomForm::SetBorderStyle(TFormBorderStyle v)
{
    if (v == FBorderStyle)
        return;
    // The client area keeps its size; the frame around it changes.
    const int cw = ClientWidth(), ch = ClientHeight();
    FBorderStyle = v;
    SetBounds(FLeft, FTop, cw + 2 * FrameWidth(), ch + 2 * FrameWidth() + CaptionHeight() + MenuHeight());
    if (HandleAllocated())
        SyncWidget();
}

void TCustomForm::SetWindowState(TWindowState v)
{
    if (v == FWindowState)
        return;
    FWindowState = v;
    if (v == wsMinimized && Application && Application->MainForm() == this)
        Guard([] { FireEvent(Application->OnMinimize, Application); }, this);
    if (HandleAllocated() && FVisible) {
        if (v == wsMinimized)
            FImpl->widget->showMinimized();
        else if (v == wsMaximized)
            FImpl->widget->showMaximized();
        else
            FImpl->widget->showNormal();
    }
}

void TCustomForm::SetMenu(TMainMenu* v)
{
    if (v == FMenu)
        return;
    const int cw = ClientWidth(), ch = ClientHeight();
    if (FMenu) {
        FMenu->RemoveFreeNotification(this);
        FMenu->OnChange = nullptr;
    }
    FMenu = v;
    if (v) {
        v->FreeNotification(this);
        v->OnChange = [this](TObject*) {
            if (HandleAllocated())
                SyncWidget();
        };
    }
    SetBounds(FLeft, FTop, cw + 2 * FrameWidth(), ch + 2 * FrameWidth() + CaptionHeight() + MenuHeight());
    if (HandleAllocated())
        SyncWidget();
}

// ---------------------------------------------------------------- auto size

void TCustomForm::SetAutoSize(bool v)
{
    if (v == FAutoSize)
        return;
    FAutoSize = v;
    if (v)
        AdjustSize();
    if (HandleAllocated())
        SyncWidget();
}

void TCustomForm::AdjustSize()
{
    if (!FAutoSize)
        return;
    // Free children give the extent; bars aligned to an edge add their thickness beside
    // it (a status bar stays below the panels, not over them); client-aligned children
    // fill whatever is left. A direction nothing sizes keeps its client size.
    int w = 0, h = 0, left = 0, right = 0, top = 0, bottom = 0;
    bool sizedW = false, sizedH = false;
    for (TControl* c : FControls) {
        if (!c->Visible())
            continue;
        switch (c->Align()) {
        case alNone:
        case alCustom:
            w = std::max(w, c->Left() + c->Width());
            h = std::max(h, c->Top() + c->Height());
            sizedW = sizedH = true;
            break;
        case alTop: top += c->Height(); sizedH = true; break;
        case alBottom: bottom += c->Height(); sizedH = true; break;
        case alLeft: left += c->Width(); sizedW = true; break;
        case alRight: right += c->Width(); sizedW = true; break;
        case alClient: break;
        }
    }
    if (!sizedW && !sizedH)
        return;
    w = sizedW ? std::max(w, left) + right : ClientWidth();
    h = sizedH ? std::max(h, top) + bottom : ClientHeight();
    const int f = FrameWidth();
    TControl::SetBounds(FLeft, FTop, w + 2 * f, h + 2 * f + CaptionHeight() + MenuHeight());
}

// ---------------------------------------------------------------- widget

void TCustomForm::CreateWidget()
{
    auto* w = new WindowWidget(this, nullptr);
    w->setAttribute(Qt::WA_DeleteOnClose, false);
    FImpl->widget = w;
    FImpl->native = false;
}

void TCustomForm::SyncWidget()
{
    QWidget* w = FImpl->widget;
    if (!w)
        return;
    FImpl->syncing = true;
    w->setWindowTitle(ToQString(FText));
    Qt::WindowFlags flags = Qt::Window;
    if (FBorderStyle == bsNone)
        flags |= Qt::FramelessWindowHint;
    else {
        flags |= Qt::WindowTitleHint | Qt::CustomizeWindowHint;
        if (FBorderIcons & biSystemMenu)
            flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
        if ((FBorderIcons & biMinimize) && FBorderStyle != bsDialog)
            flags |= Qt::WindowMinimizeButtonHint;
        if ((FBorderIcons & biMaximize) && FBorderStyle == bsSizeable && UserSizeable())
            flags |= Qt::WindowMaximizeButtonHint;
        if (FBorderStyle == bsToolWindow || FBorderStyle == bsSizeToolWin)
            flags |= Qt::Tool;
        if (FBorderStyle == bsDialog)
            flags |= Qt::Dialog;
    }
    if (FFormStyle == fsStayOnTop)
        flags |= Qt::WindowStaysOnTopHint;
    const bool vis = w->isVisible();
    if (w->windowFlags() != flags) {
        w->setWindowFlags(flags);
        if (vis)
            w->show();
    }
    ApplyWindowSize();
    w->move(FLeft, FTop);
    ApplyPalette(this, w, clWindow, FFont->Color());

    // The menu bar mirrors the main menu.
    QMenuBar* bar = w->findChild<QMenuBar*>(QString(), Qt::FindDirectChildrenOnly);
    if (MenuHeight() > 0) {
        if (!bar)
            bar = new QMenuBar(w);
        bar->clear();
        TMenuItem* root = FMenu->Items();
        for (int i = 0; i < root->Count(); ++i) {
            TMenuItem* top = root->Items(i);
            if (!top->Visible())
                continue;
            if (top->Count() > 0) {
                QMenu* m = bar->addMenu(ToQString(top->Caption()));
                m->setEnabled(top->Enabled());
                zvforms::FillMenu(m, top);
            } else {
                QAction* a = bar->addAction(ToQString(top->Caption()));
                a->setEnabled(top->Enabled());
                QObject::connect(a, &QAction::triggered, a, [top] { top->Click(); });
            }
        }
        ApplyPalette(this, bar, clMenu, clMenuText);
        QPalette pal = bar->palette();
        pal.setColor(QPalette::Window, ToQColor(clMenu));
        pal.setColor(QPalette::Button, ToQColor(clMenu));
        bar->setPalette(pal);
        bar->setAutoFillBackground(true);
        bar->setGeometry(0, 0, ClientWidth(), MenuHeight());
        bar->show();
    } else if (bar) {
        bar->hide();
    }
    FImpl->syncing = false;
}

bool TCustomForm::UserSizeable() const
{
    // A form sized by its contents keeps the size they give it.
    return (FBorderStyle == bsSizeable || FBorderStyle == bsSizeToolWin) && !FAutoSize;
}

void TCustomForm::ApplyWindowSize()
{
    // The window system lets the user drag the frame only between these limits.
    QWidget* w = FImpl->widget;
    const QSize client(ClientWidth(), ClientHeight() + MenuHeight());
    if (UserSizeable()) {
        w->setMinimumSize(0, 0);
        w->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        w->resize(client);
    } else {
        w->setFixedSize(client);
    }
}

void TCustomForm::BoundsChanged()
{
    if (HandleAllocated() && !FImpl->syncing) {
        FImpl->syncing = true;
        QWidget* w = FImpl->widget;
        ApplyWindowSize();
        w->move(FLeft, FTop);
        if (auto* bar = w->findChild<QMenuBar*>(QString(), Qt::FindDirectChildrenOnly))
            bar->setGeometry(0, 0, ClientWidth(), MenuHeight());
        FImpl->syncing = false;
    }
    Realign();
}

void TCustomForm::SetVisible(bool v)
{
    if (v == FVisible && (!v || (HandleAllocated() && FImpl->widget->isVisible())))
        return;
    if (v) {
        DoCreate();
        HandleNeeded();
        if (FPosition == poScreenCenter || FPosition == poDesktopCenter || FPosition == poMainFormCenter
            || FPosition == poOwnerFormCenter) {
            TCustomForm* ref = nullptr;
            if (FPosition == poMainFormCenter && Application)
                ref = Application->MainForm();
            if (FPosition == poOwnerFormCenter)
                ref = dynamic_cast<TCustomForm*>(Owner());
            if (ref && ref != this)
                TControl::SetBounds(ref->Left() + (ref->Width() - FWidth) / 2, ref->Top() + (ref->Height() - FHeight) / 2,
                                    FWidth, FHeight);
            else if (Screen)
                TControl::SetBounds((Screen->Width() - FWidth) / 2, (Screen->Height() - FHeight) / 2, FWidth, FHeight);
        }
        FVisible = true;
        SyncWidget();
        FImpl->widget->show();
        if (Screen)
            Screen->SetActiveForm(this);
        Guard([&] { FireEvent(OnShow, this); }, this);
        if (!FActiveControl)
            SelectNext(nullptr, true, true);
    } else {
        FVisible = false;
        if (HandleAllocated())
            FImpl->widget->hide();
        Guard([&] { FireEvent(OnHide, this); }, this);
    }
}

bool TCustomForm::Active() const { return Screen && Screen->ActiveForm() == this; }

// ---------------------------------------------------------------- focus

void TCustomForm::SetActiveControl(TWinControl* Control)
{
    if (Control == FActiveControl)
        return;
    if (Control && !ContainsControl(Control))
        throw EInvalidOperation("Invalid parameter: the control is not on this form");
    FocusControl(Control);
}

void TCustomForm::FocusControl(TWinControl* Control)
{
    if (Control == this)
        Control = nullptr;
    TWinControl* old = FActiveControl;
    if (Control != old) {
        FActiveControl = Control;
        // An exit handler that hides or disables the control holding the window system's
        // focus makes the window system move it on its own: no focus change of the form's.
        int& changing = zvforms::ImplOf(this)->changingFocus;
        ++changing;
        struct TDone {
            int& Count;
            ~TDone() { --Count; }
        } done{changing};
        // Leave the old control and the containers that do not hold the new one.
        for (TWinControl* c = old; c && c != this && !(Control && c->ContainsControl(Control)); c = c->Parent())
            c->DoExit();
        std::vector<TWinControl*> entered;
        for (TWinControl* c = Control; c && c != this && !(old && c->ContainsControl(old)); c = c->Parent())
            entered.push_back(c);
        for (auto it = entered.rbegin(); it != entered.rend(); ++it)
            (*it)->DoEnter();
    }
    if (Control && Control == FActiveControl && Control->HandleAllocated()) {
        zvforms::ImplOf(Control)->settingFocus = true;
        zvforms::ImplOf(Control)->widget->setFocus(Qt::OtherFocusReason);
        zvforms::ImplOf(Control)->settingFocus = false;
    }
}

bool TCustomForm::DialogKey(Word Key, TShiftState Shift)
{
    if (Shift & ssAlt)
        return false;
    switch (Key) {
    case VK_TAB:
        if (Shift & ssCtrl)
            return false;
        SelectNext(FActiveControl, !(Shift & ssShift), true);
        return true;
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
        if (FActiveControl && FActiveControl->Parent()) {
            FActiveControl->Parent()->SelectNext(FActiveControl, Key == VK_RIGHT || Key == VK_DOWN, false);
            return true;
        }
        return false;
    case VK_RETURN:
    case VK_ESCAPE:
        return CMDialogKey(Key, Shift);
    default:
        return false;
    }
}

// ---------------------------------------------------------------- closing and modal

bool TCustomForm::CloseQuery()
{
    bool can = true;
    Guard([&] { FireEvent(OnCloseQuery, this, can); }, this);
    return can;
}

void TCustomForm::Close()
{
    if (FModal) {
        if (CloseQuery())
            FModalResult = mrCancel;
        return;
    }
    if (!CloseQuery())
        return;
    TCloseAction action = caHide;
    Guard([&] { FireEvent(OnClose, this, action); }, this);
    if (action == caNone)
        return;
    if (action == caMinimize) {
        SetWindowState(wsMinimized);
        return;
    }
    Hide();
    if (Application && Application->MainForm() == this) {
        Application->Terminate();
        return;
    }
    if (action == caFree)
        Release();
}

void TCustomForm::Release()
{
    Hide();
    auto* self = this;
    QTimer::singleShot(0, qApp, [self] { delete self; });
}

TModalResult TCustomForm::ShowModal()
{
    if (FModal || (FVisible && HandleAllocated() && FImpl->widget->isVisible()))
        throw EInvalidOperation("Cannot make a visible window modal");
    DoCreate();
    TModalRequest req;
    req.Kind = TModalKind::Form;
    req.Caption = FText;
    req.Form = this;
    bool real = false;
    TModalAnswer cancel;
    cancel.Result = mrCancel;
    TModalAnswer ans = ModalScript::Run(
        req,
        [&] {
            real = true;
            FModalResult = mrNone;
            FModal = true;
            Show();
            QEventLoop loop;
            QTimer poll;
            QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
                if (FModalResult != mrNone || !FImpl->widget || !FImpl->widget->isVisible() || (Application && Application->Terminated()))
                    loop.quit();
            });
            poll.start(20);
            loop.exec();
            FModal = false;
            TModalAnswer a;
            a.Result = FModalResult == mrNone ? mrCancel : FModalResult;
            Hide();
            return a;
        },
        cancel);
    if (real)
        return ans.Result;
    // Scripted: the form is shown for the script's action, then closed with its result.
    FModalResult = mrNone;
    FModal = true;
    Show();
    if (ans.Action)
        Guard([&] { ans.Action(this); }, this);
    const TModalResult r = FModalResult != mrNone ? FModalResult : ans.Result;
    FModal = false;
    Hide();
    FModalResult = r;
    return r;
}

// ---------------------------------------------------------------- painting

void TCustomForm::Paint() { Guard([&] { FireEvent(OnPaint, this); }, this); }

void TCustomForm::PaintControl(TCanvas* Canvas)
{
    TWinControl::PaintControl(Canvas);
    ShareSurface(FCanvas.get(), Canvas);
    FCanvas->Font()->Assign(FFont.get());
    Paint();
    FlushCanvas(FCanvas.get());
    BindCanvas(FCanvas.get(), nullptr);
}

void TCustomForm::PaintFrame(TCanvas* C, int X, int Y)
{
    const int f = FrameWidth();
    const TRect outer(X, Y, X + FWidth, Y + FHeight);
    C->Brush()->SetStyle(bsSolid);
    C->Brush()->SetColor(clBtnFace);
    C->FillRect(outer);
    if (f > 0) {
        TRect r = outer;
        C->DrawEdge(r, EDGE_RAISED, BF_RECT);
    }
    const int ch = CaptionHeight();
    if (ch <= 0)
        return;
    const TRect cap(X + f, Y + f, X + FWidth - f, Y + f + ch - 1);
    // Caption bar: the active caption colour running into its gradient colour.
    const TColor c1 = ColorToRGB(clActiveCaption), c2 = ColorToRGB(clGradientActiveCaption);
    const int w = std::max(1, cap.Width());
    for (int i = 0; i < w; ++i) {
        const int r = GetRValue(c1) + (GetRValue(c2) - GetRValue(c1)) * i / w;
        const int g = GetGValue(c1) + (GetGValue(c2) - GetGValue(c1)) * i / w;
        const int b = GetBValue(c1) + (GetBValue(c2) - GetBValue(c1)) * i / w;
        C->Brush()->SetColor(RGB(r, g, b));
        C->FillRect(TRect(cap.Left + i, cap.Top, cap.Left + i + 1, cap.Bottom));
    }
    C->Font()->SetName("Tahoma");
    C->Font()->SetHeight(-11);
    C->Font()->SetStyle(fsBold);
    C->Font()->SetColor(clCaptionText);
    C->Brush()->SetStyle(bsClear);
    TRect tr(cap.Left + 4, cap.Top, cap.Right - 60, cap.Bottom);
    C->DrawText(FText, tr, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    // Caption buttons, right to left: close, maximise, minimise.
    int bx = cap.Right - 2 - 16;
    const int by = cap.Top + 2, bh = ch - 5;
    // A form that cannot be maximised shows that box greyed, as the window system does.
    const bool canMaximise = (FBorderIcons & biMaximize) && FBorderStyle == bsSizeable && UserSizeable();
    auto button = [&](int kind) {
        TRect b(bx, by, bx + 16, by + bh);
        const TColor glyph = kind == 1 && !canMaximise ? clGrayText : clBtnText;
        C->Brush()->SetStyle(bsSolid);
        C->Brush()->SetColor(clBtnFace);
        C->FillRect(b);
        TRect e = b;
        C->DrawEdge(e, EDGE_RAISED, BF_RECT);
        C->Pen()->SetColor(clBtnText);
        C->Pen()->SetWidth(1);
        const int cx = b.Left + 4, cy = b.Top + 3;
        if (kind == 0) { // close: a cross
            for (int i = 0; i < 7; ++i) {
                C->Brush()->SetColor(clBtnText);
                C->FillRect(TRect(cx + i, cy + i, cx + i + 2, cy + i + 1));
                C->FillRect(TRect(cx + 6 - i, cy + i, cx + 8 - i, cy + i + 1));
            }
        } else if (kind == 1) { // maximise: a window
            C->Brush()->SetColor(glyph);
            C->FrameRect(TRect(cx, cy, cx + 9, cy + 8));
            C->FillRect(TRect(cx, cy + 1, cx + 9, cy + 2));
        } else { // minimise: a bar
            C->Brush()->SetColor(clBtnText);
            C->FillRect(TRect(cx + 1, cy + 6, cx + 7, cy + 8));
        }
        bx -= kind == 0 ? 18 : 16;
    };
    if (FBorderIcons & biSystemMenu) {
        button(0);
        if (FBorderStyle != bsDialog && FBorderStyle != bsToolWindow && FBorderStyle != bsSizeToolWin
            && (FBorderIcons & (biMinimize | biMaximize))) {
            button(1);
            button(2);
        }
    }
    C->Font()->SetStyle(0);
}

void TCustomForm::PaintTo(TCanvas* Canvas, int X, int Y)
{
    if (!Canvas)
        return;
    PaintFrame(Canvas, X, Y);
    HandleNeeded();
    QWidget* w = FImpl->widget;
    if (!w)
        return;
    FImpl->syncing = true;
    SyncWidget();
    FImpl->syncing = false;
    QImage img(w->size(), QImage::Format_RGB32);
    img.fill(ToQColor(FColor));
    w->render(&img, QPoint(), QRegion(), QWidget::DrawChildren);
    const int f = FrameWidth();
    DrawImageOn(Canvas, QRect(X + f, Y + f + CaptionHeight(), img.width(), img.height()), img);
}
