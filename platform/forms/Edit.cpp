#include "platform/forms/Edit.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QFontMetrics>
#include <QLineEdit>
#include <QMenu>
#include <QStyle>
#include <algorithm>
#include <cctype>

#include "platform/forms/FormsImpl_p.h"

using namespace zvqt;
using namespace zvforms;

namespace {

// Every way of pasting (keys, the context menu) goes through PasteFromClipboard, which an
// edit with input rules overrides.
class EditWidget : public NativeWidget<QLineEdit> {
public:
    using NativeWidget::NativeWidget;

protected:
    void NativeKeyPress(QKeyEvent* e) override
    {
        const bool paste = e->matches(QKeySequence::Paste)
                           || (e->key() == Qt::Key_Insert && (e->modifiers() & ~Qt::KeypadModifier) == Qt::ShiftModifier);
        if (paste && ctl)
            Paste();
        else
            QLineEdit::keyPressEvent(e);
    }
    void contextMenuEvent(QContextMenuEvent* e) override
    {
        QMenu* m = createStandardContextMenu();
        m->setAttribute(Qt::WA_DeleteOnClose);
        // The paste entry is known by its name or, in older toolkits, by its key shown beside it.
        const QString key = '\t' + QKeySequence(QKeySequence::Paste).toString(QKeySequence::NativeText);
        for (QAction* a : m->actions()) {
            if (a->objectName() != "edit-paste" && !a->text().endsWith(key))
                continue;
            QObject::disconnect(a, &QAction::triggered, nullptr, nullptr);
            QObject::connect(a, &QAction::triggered, this, [this] { Paste(); });
        }
        m->popup(e->globalPos());
    }

private:
    void Paste()
    {
        if (auto* c = dynamic_cast<TCustomEdit*>(ctl))
            Guard([c] { c->PasteFromClipboard(); }, c);
    }
};

QLineEdit* LineEdit(const TWinControl* c)
{
    return c->HandleAllocated() ? qobject_cast<QLineEdit*>(zvforms::ImplOf(c)->widget.data()) : nullptr;
}

} // namespace

TCustomEdit::TCustomEdit(TComponent* AOwner) : TWinControl(AOwner)
{
    FControlStyle = csCaptureMouse | csClickEvents | csSetCaption | csDoubleClicks | csFixedHeight;
    FTabStop = true;
    FColor = clWindow;
    SetBounds(0, 0, 121, 21);
}

AnsiString TCustomEdit::ApplyCase(const AnsiString& v) const
{
    AnsiString r = v;
    if (FCharCase == ecUpperCase)
        for (auto& c : r)
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    else if (FCharCase == ecLowerCase)
        for (auto& c : r)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return r;
}

void TCustomEdit::SetText(const AnsiString& v)
{
    const AnsiString t = ApplyCase(v);
    FModified = false;
    if (t == FText)
        return;
    FText = t;
    FSelStart = static_cast<int>(std::min<size_t>(static_cast<size_t>(FSelStart), FText.size()));
    FSelLength = 0;
    CMTextChanged();
}

void TCustomEdit::CMTextChanged()
{
    // Only the text is new: the line edit takes it and repaints what it shows of it. Setting
    // up the whole control again (palette, font, frame) would repaint all of it every time.
    if (QLineEdit* e = LineEdit(this)) {
        FImpl->syncing = true;
        const bool block = e->blockSignals(true);
        PushText();
        e->blockSignals(block);
        FImpl->syncing = false;
    } else {
        TWinControl::CMTextChanged();
    }
    Change();
}

void TCustomEdit::PushText()
{
    QLineEdit* e = LineEdit(this);
    if (e && FromQString(e->text()) != FText) {
        e->setText(ToQString(FText));
        e->setCursorPosition(std::min(FSelStart, static_cast<int>(e->text().size())));
    }
}

void TCustomEdit::Change() { Guard([&] { FireEvent(OnChange, this); }, this); }

void TCustomEdit::UserTextChanged(const AnsiString& v)
{
    if (v == FText)
        return;
    FText = v;
    FModified = true;
    Change();
}

void TCustomEdit::SetMaxLength(int v)
{
    if (v == FMaxLength)
        return;
    FMaxLength = std::max(0, v);
    if (HandleAllocated())
        SyncWidget();
}

void TCustomEdit::SetReadOnly(bool v) { SetAndSync(FReadOnly, v); }

void TCustomEdit::SetPasswordChar(char v) { SetAndSync(FPasswordChar, v); }

void TCustomEdit::SetCharCase(TEditCharCase v)
{
    if (v == FCharCase)
        return;
    FCharCase = v;
    SetText(FText);
}

void TCustomEdit::SetBorderStyle(TBorderStyle v) { SetAndSync(FBorderStyle, v); }

void TCustomEdit::SetAlignment(TAlignment v) { SetAndSync(FAlignment, v); }

void TCustomEdit::SetTextMargins(int Left, int Right)
{
    if (Left == FMarginLeft && Right == FMarginRight)
        return;
    FMarginLeft = Left;
    FMarginRight = Right;
    if (HandleAllocated())
        SyncWidget();
}

int TCustomEdit::SelStart() const
{
    if (QLineEdit* e = LineEdit(this))
        return e->hasSelectedText() ? e->selectionStart() : e->cursorPosition();
    return FSelStart;
}

void TCustomEdit::SetSelStart(int v)
{
    v = std::clamp(v, 0, static_cast<int>(FText.size()));
    FSelStart = v;
    FSelLength = 0;
    if (QLineEdit* e = LineEdit(this)) {
        e->deselect();
        e->setCursorPosition(v);
    }
}

int TCustomEdit::SelLength() const
{
    if (QLineEdit* e = LineEdit(this))
        return static_cast<int>(e->selectedText().toUtf8().size());
    return FSelLength;
}

void TCustomEdit::SetSelLength(int v)
{
    const int start = SelStart();
    v = std::clamp(v, 0, static_cast<int>(FText.size()) - start);
    FSelStart = start;
    FSelLength = v;
    if (QLineEdit* e = LineEdit(this))
        e->setSelection(start, v);
}

namespace {
// Where the line edit starts drawing its text.
int TextInset(const QLineEdit* e)
{
    const int frame = e->hasFrame() ? e->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, e) : 0;
    return e->contentsRect().left() + e->textMargins().left() + frame + 2;
}
} // namespace

void TCustomEdit::SetTextMargins(const TRect& Margins)
{
    FTextMargins = Margins;
    if (QLineEdit* e = LineEdit(this))
        e->setTextMargins(Margins.Left, Margins.Top, Margins.Right, Margins.Bottom);
}

int TCustomEdit::CharFromPos(const TPoint& P) const
{
    if (QLineEdit* e = LineEdit(this))
        return e->cursorPositionAt(QPoint(P.x, P.y));
    // No window: by the widths of the characters in the control's font.
    const QFontMetrics fm(ToQFont(*Font()));
    const QString t = ToQString(FText);
    for (int i = 0; i < t.size(); ++i)
        if (P.x < 2 + fm.horizontalAdvance(t.left(i)) + fm.horizontalAdvance(t.at(i)) / 2)
            return i;
    return static_cast<int>(t.size());
}

TPoint TCustomEdit::PosFromChar(int Index) const
{
    const QLineEdit* e = LineEdit(this);
    const QFontMetrics fm = e ? e->fontMetrics() : QFontMetrics(ToQFont(*Font()));
    const QString t = e ? e->displayText() : ToQString(FText);
    Index = std::clamp(Index, 0, static_cast<int>(t.size()));
    const int x = (e ? TextInset(e) : 2) + fm.horizontalAdvance(t.left(Index));
    const int y = std::max(0, (ClientHeight() - fm.height()) / 2);
    return TPoint(x, y);
}

AnsiString TCustomEdit::SelText() const
{
    const int s = SelStart(), l = SelLength();
    if (s >= static_cast<int>(FText.size()))
        return AnsiString();
    return FText.substr(static_cast<size_t>(s), static_cast<size_t>(l));
}

void TCustomEdit::SetSelText(const AnsiString& v)
{
    const int s = SelStart(), l = SelLength();
    AnsiString t = FText;
    t.replace(static_cast<size_t>(std::min<int>(s, static_cast<int>(t.size()))), static_cast<size_t>(l), v);
    const bool keepModified = FModified;
    SetText(t);
    FModified = keepModified;
    SetSelStart(s + static_cast<int>(v.size()));
}

void TCustomEdit::SelectAll()
{
    FSelStart = 0;
    FSelLength = static_cast<int>(FText.size());
    if (QLineEdit* e = LineEdit(this))
        e->selectAll();
}

void TCustomEdit::ClearSelection() { SetSelText(""); }

void TCustomEdit::CopyToClipboard()
{
    if (QGuiApplication::clipboard())
        QGuiApplication::clipboard()->setText(ToQString(SelText()));
}

void TCustomEdit::CutToClipboard()
{
    if (FReadOnly)
        return;
    CopyToClipboard();
    ClearSelection();
}

void TCustomEdit::SetTransparent(bool v) { SetAndSync(FTransparent, v); }

void TCustomEdit::PasteFromClipboard()
{
    if (FReadOnly || !QGuiApplication::clipboard())
        return;
    if (QLineEdit* e = LineEdit(this)) {
        e->paste(); // as the user's paste: length limit, mask and Modified apply
        return;
    }
    SetSelText(FromQString(QGuiApplication::clipboard()->text()));
}

void TCustomEdit::DoEnter()
{
    TWinControl::DoEnter();
    if (FAutoSelect && FEditMask.empty())
        SelectAll();
}

bool TCustomEdit::WantsKey(Word Key, TShiftState Shift) const
{
    // A one-line edit keeps the arrows; Tab, Enter and Esc belong to the form.
    if (Key == VK_LEFT || Key == VK_RIGHT || Key == VK_UP || Key == VK_DOWN)
        return true;
    return TWinControl::WantsKey(Key, Shift);
}

void TCustomEdit::CreateWidget()
{
    QWidget* parent = FParent ? zvforms::ImplOf(FParent)->widget.data() : nullptr;
    auto* e = new EditWidget(this, parent);
    FImpl->widget = e;
    FImpl->native = true;
    e->setFocusPolicy(Qt::StrongFocus);
    QObject::connect(e, &QLineEdit::textEdited, e, [this, e](const QString& t) {
        if (!e->ctl || FImpl->syncing)
            return;
        AnsiString v = ApplyCase(FromQString(t));
        if (v != FromQString(t)) {
            const int pos = e->cursorPosition();
            FImpl->syncing = true;
            e->setText(ToQString(v));
            e->setCursorPosition(pos);
            FImpl->syncing = false;
        }
        if (!FEditMask.empty())
            v = FromQString(e->text());
        UserTextChanged(v);
    });
}

void TCustomEdit::SyncWidget()
{
    QLineEdit* e = LineEdit(this);
    if (!e)
        return;
    FImpl->syncing = true;
    const bool block = e->blockSignals(true);
    if (!FEditMask.empty())
        e->setInputMask(ToQString(ConvertEditMask(FEditMask)));
    else if (!e->inputMask().isEmpty())
        e->setInputMask(QString());
    // Setting the length again re-sets the text and loses the selection: only on a change.
    const int maxLength = FMaxLength > 0 ? FMaxLength : 32767;
    if (e->maxLength() != maxLength)
        e->setMaxLength(maxLength);
    PushText();
    e->setReadOnly(FReadOnly);
    e->setTextMargins(FTextMargins.Left, FTextMargins.Top, FTextMargins.Right, FTextMargins.Bottom);
    e->setEchoMode(FPasswordChar ? QLineEdit::Password : QLineEdit::Normal);
    e->setFrame(FBorderStyle != bsNone);
    const Qt::Alignment h = FAlignment == taRightJustify ? Qt::AlignRight
                            : FAlignment == taCenter     ? Qt::AlignHCenter
                                                         : Qt::AlignLeft;
    e->setAlignment(h | Qt::AlignVCenter);
    e->setTextMargins(FMarginLeft, 0, FMarginRight, 0);
    ApplyPalette(this, e, FColor, FFont->Color());
    if (FTransparent) {
        QPalette pal = e->palette();
        pal.setColor(QPalette::Base, Qt::transparent);
        e->setPalette(pal);
    }
    // With its own base colour the line edit covers all of itself: the window under it need
    // not be painted first each time its text changes.
    e->setAttribute(Qt::WA_OpaquePaintEvent, !FTransparent);
    e->blockSignals(block);
    FImpl->syncing = false;
}

// ---------------------------------------------------------------- masks

AnsiString ConvertEditMask(const AnsiString& Mask)
{
    // Fields: the mask, whether literals are kept, the blank character.
    AnsiString m = Mask, blank = "_";
    const auto p1 = Mask.find(';');
    if (p1 != AnsiString::npos) {
        m = Mask.substr(0, p1);
        const auto p2 = Mask.find(';', p1 + 1);
        if (p2 != AnsiString::npos && p2 + 1 < Mask.size())
            blank = Mask.substr(p2 + 1, 1);
    }
    AnsiString out;
    for (size_t i = 0; i < m.size(); ++i) {
        const char c = m[i];
        switch (c) {
        case '!': break; // blanks trimmed: the toolkit keeps its own
        case '0': out += '9'; break;
        case '9': out += '0'; break;
        case '#': out += '#'; break;
        case 'L': out += 'A'; break;
        case 'l': out += 'a'; break;
        case 'A': out += 'N'; break;
        case 'a': out += 'n'; break;
        case 'C': out += 'X'; break;
        case 'c': out += 'x'; break;
        case '>':
        case '<': out += c; break;
        case '\\':
            if (i + 1 < m.size()) {
                out += '\\';
                out += m[++i];
            }
            break;
        default:
            // Literal characters the toolkit would read as mask characters are escaped.
            if (std::string("AaNnXx90Dd#HhBb><!{}[]").find(c) != std::string::npos)
                out += '\\';
            out += c;
            break;
        }
    }
    return out + ";" + blank;
}

void TMaskEdit::SetEditMask(const AnsiString& v) { SetAndSync(FEditMask, v); }

AnsiString TMaskEdit::EditText() const
{
    if (QLineEdit* e = LineEdit(this))
        return FromQString(e->displayText());
    return FText;
}
