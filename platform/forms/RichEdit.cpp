// TRichEdit: a memo whose widget edits the formatted document itself.
#include <QAbstractTextDocumentLayout>
#include <QPointer>
#include <QTextEdit>
#include <cmath>

#include "platform/forms/FormsImpl_p.h"
#include "platform/forms/Memo.h"
#include "platform/graphics/RichText_p.h"

using namespace zvqt;
using namespace zvforms;

namespace {

class RichEditWidget : public NativeWidget<QTextEdit> {
public:
    using NativeWidget<QTextEdit>::NativeWidget;
    void SetMargins(int l, int t, int r, int b) { setViewportMargins(l, t, r, b); }
};

RichEditWidget* RichWidget(const TWinControl* c)
{
    return c->HandleAllocated() ? dynamic_cast<RichEditWidget*>(zvforms::ImplOf(c)->widget.data()) : nullptr;
}

} // namespace

TRichEdit::TRichEdit(TComponent* AOwner) : TCustomMemo(AOwner), FDocument(std::make_unique<TRichText>()) {}

TRichEdit::~TRichEdit()
{
    // The widget shows the document: it goes first.
    zvqt::ImplOf(FDocument.get())->typingFormat = nullptr;
    DestroyHandle();
}

void TRichEdit::LoadLines(const AnsiString& S)
{
    FImpl->syncing = true;
    if (FPlainText)
        FDocument->SetPlainText(S);
    else
        RtfToDocument(S, *FDocument);
    FImpl->syncing = false;
    LinesFromDocument();
    FModified = false;
}

AnsiString TRichEdit::SaveLines() const
{
    return FPlainText ? FDocument->PlainText() : DocumentToRtf(*FDocument);
}

void TRichEdit::LinesFromDocument()
{
    FFromDocument = true;
    Lines()->SetText(FDocument->PlainText());
    FFromDocument = false;
}

void TRichEdit::Change()
{
    // Lines set by code replace the text; the document keeps only its default format then.
    if (!FFromDocument && FDocument->PlainText() != Text()) {
        FImpl->syncing = true;
        FDocument->SetPlainText(Text());
        FImpl->syncing = false;
    }
    TCustomMemo::Change();
}

void TRichEdit::SelectAll() { SetSelection(0, FDocument->TextLength()); }

void TRichEdit::SetSelection(int Start, int Length)
{
    FDocument->SetSelection(Start, Length);
    if (RichEditWidget* e = RichWidget(this)) {
        QTextCursor c(RichDocument(FDocument.get()));
        c.setPosition(FDocument->SelStart());
        c.setPosition(FDocument->SelStart() + FDocument->SelLength(), QTextCursor::KeepAnchor);
        e->setTextCursor(c);
    }
}

void TRichEdit::SetSelText(const AnsiString& Text)
{
    FImpl->syncing = true;
    FDocument->SetSelText(Text);
    FImpl->syncing = false;
    const int caret = FDocument->SelStart();
    LinesFromDocument();
    FModified = true;
    SetSelection(caret, 0);
}

void TRichEdit::SetFormattingRect(const TRect& R)
{
    FFormattingRect = R;
    if (RichEditWidget* e = RichWidget(this))
        e->SetMargins(std::max(0, R.Left), std::max(0, R.Top), std::max(0, Width() - R.Right),
                      std::max(0, Height() - R.Bottom));
}

void TRichEdit::Measure(int Width)
{
    const TSize s = FDocument->Extent(Width);
    RequestResize(TRect(0, 0, s.cx, s.cy));
}

void TRichEdit::CreateWidget()
{
    QWidget* parent = FParent ? zvforms::ImplOf(FParent)->widget.data() : nullptr;
    auto* e = new RichEditWidget(this, parent);
    FImpl->widget = e;
    FImpl->native = true;
    e->setFocusPolicy(Qt::StrongFocus);
    e->setAcceptRichText(false); // pasted markup arrives as text in the current format
    e->setDocument(RichDocument(FDocument.get()));
    zvqt::ImplOf(FDocument.get())->typingFormat = [w = QPointer<RichEditWidget>(e)](const QTextCharFormat& f) {
        if (w)
            w->setCurrentCharFormat(f);
    };
    QObject::connect(e, &QTextEdit::textChanged, e, [this, e] {
        if (!e->ctl || FImpl->syncing)
            return;
        FFromDocument = true;
        UserLinesChanged(FromQString(e->toPlainText()));
        FFromDocument = false;
    });
    // The document keeps the editor's selection, for the selection attributes.
    auto selectionMoved = [this, e] {
        if (!e->ctl)
            return;
        const QTextCursor c = e->textCursor();
        const int start = c.selectionStart(), length = c.selectionEnd() - c.selectionStart();
        if (start == FDocument->SelStart() && length == FDocument->SelLength())
            return; // both signals came for one change
        FDocument->SetSelection(start, length);
        FireEvent(OnSelectionChange, this);
    };
    QObject::connect(e, &QTextEdit::cursorPositionChanged, e, selectionMoved);
    QObject::connect(e, &QTextEdit::selectionChanged, e, selectionMoved);
    QObject::connect(e->document()->documentLayout(), &QAbstractTextDocumentLayout::documentSizeChanged, e,
                     [this, e](const QSizeF& s) {
                         if (!e->ctl || FImpl->syncing)
                             return;
                         const TRect f = FFormattingRect;
                         RequestResize(TRect(0, 0, int(std::ceil(s.width())) + f.Left + std::max(0, Width() - f.Right),
                                             int(std::ceil(s.height())) + f.Top
                                                 + std::max(0, Height() - f.Bottom)));
                     });
}

void TRichEdit::SyncWidget()
{
    RichEditWidget* e = RichWidget(this);
    if (!e)
        return;
    FImpl->syncing = true;
    const bool block = e->blockSignals(true);
    e->setReadOnly(FReadOnly);
    e->setLineWrapMode(FWordWrap ? QTextEdit::WidgetWidth : QTextEdit::NoWrap);
    e->setVerticalScrollBarPolicy(FScrollBars == ssVertical || FScrollBars == ssBoth ? Qt::ScrollBarAlwaysOn
                                                                                       : Qt::ScrollBarAlwaysOff);
    e->setHorizontalScrollBarPolicy(FScrollBars == ssHorizontal || FScrollBars == ssBoth ? Qt::ScrollBarAlwaysOn
                                                                                         : Qt::ScrollBarAlwaysOff);
    e->setFrameShape(FBorderStyle == bsNone ? QFrame::NoFrame : QFrame::StyledPanel);
    e->setTabChangesFocus(!FWantTabs);
    ApplyPalette(this, e, FColor, FFont->Color());
    const TRect f = FFormattingRect;
    if (f.Right > f.Left)
        e->SetMargins(std::max(0, f.Left), std::max(0, f.Top), std::max(0, Width() - f.Right),
                      std::max(0, Height() - f.Bottom));
    e->blockSignals(block);
    FImpl->syncing = false;
}
