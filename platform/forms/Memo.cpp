#include "platform/forms/Memo.h"

#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextLayout>

#include "platform/core/StringUtils.h"
#include "platform/forms/FormsImpl_p.h"

using namespace zvqt;
using namespace zvforms;

namespace {

using MemoWidget = NativeWidget<QPlainTextEdit>;

QPlainTextEdit* TextEdit(const TWinControl* c)
{
    return c->HandleAllocated() ? qobject_cast<QPlainTextEdit*>(zvforms::ImplOf(c)->widget.data()) : nullptr;
}

// Puts the lines into the document by replacing only the lines that differ, when their
// number stays: a display that refreshes a line many times a second then lays out and
// repaints that line, not the whole document. False (nothing done) otherwise.
bool ReplaceChangedLines(QPlainTextEdit* e, const std::vector<AnsiString>& lines)
{
    QTextDocument* doc = e->document();
    if (lines.empty() || doc->blockCount() != static_cast<int>(lines.size()))
        return false;
    // A text set by the program is no step the user can undo (setPlainText clears it too).
    const bool undo = doc->isUndoRedoEnabled();
    doc->setUndoRedoEnabled(false);
    QTextBlock b = doc->firstBlock();
    for (const AnsiString& line : lines) {
        const QString text = ToQString(line);
        if (b.text() != text) {
            // In one edit block the cursor leaves the line's layout to the paint that follows
            // instead of laying it out once for the selection and again for the insertion.
            QTextCursor c(b);
            c.beginEditBlock();
            c.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
            c.insertText(text);
            c.endEditBlock();
            // A line refreshed this often keeps its shaped glyphs from layout to paint
            // instead of shaping its text a second time for every paint.
            if (QTextLayout* l = b.layout())
                l->setCacheEnabled(true);
        }
        b = b.next();
    }
    doc->setUndoRedoEnabled(undo);
    return true;
}

} // namespace

// ---------------------------------------------------------------- TMemoStrings

AnsiString TMemoStrings::Get(int Index) const
{
    if (Index < 0 || Index >= GetCount())
        Error("List index out of bounds (%d)", Index);
    return FMemo->FLineData[static_cast<size_t>(Index)];
}

int TMemoStrings::GetCount() const { return static_cast<int>(FMemo->FLineData.size()); }

int TMemoStrings::Add(const AnsiString& S)
{
    // Text with line breaks becomes several lines, as in the edit control.
    const int index = GetCount();
    Insert(index, S);
    return index;
}

void TMemoStrings::Insert(int Index, const AnsiString& S)
{
    if (Index < 0 || Index > GetCount())
        Error("List index out of bounds (%d)", Index);
    auto parts = SplitTextLines(S);
    if (parts.empty())
        parts.push_back("");
    auto& d = FMemo->FLineData;
    const bool atEnd = Index == GetCount() && parts.size() == 1;
    d.insert(d.begin() + Index, parts.begin(), parts.end());
    FMemo->LinesChanged(atEnd);
}

void TMemoStrings::Delete(int Index)
{
    if (Index < 0 || Index >= GetCount())
        Error("List index out of bounds (%d)", Index);
    FMemo->FLineData.erase(FMemo->FLineData.begin() + Index);
    FMemo->LinesChanged(false);
}

void TMemoStrings::Clear()
{
    if (FMemo->FLineData.empty())
        return;
    FMemo->FLineData.clear();
    FMemo->LinesChanged(false);
}

void TMemoStrings::Put(int Index, const AnsiString& S)
{
    if (Index < 0 || Index >= GetCount())
        Error("List index out of bounds (%d)", Index);
    FMemo->FLineData[static_cast<size_t>(Index)] = S;
    FMemo->LinesChanged(false);
}

void TMemoStrings::SetText(const AnsiString& Value)
{
    FMemo->FLineData = SplitTextLines(Value);
    FMemo->LinesChanged(false);
}

void TMemoStrings::SetUpdateState(bool Updating)
{
    if (Updating) {
        ++FMemo->FLinesUpdating;
    } else if (--FMemo->FLinesUpdating == 0 && FMemo->FLinesDirty) {
        FMemo->FLinesDirty = false;
        FMemo->LinesChanged(false);
    }
}

// ---------------------------------------------------------------- TCustomMemo

TCustomMemo::TCustomMemo(TComponent* AOwner) : TCustomEdit(AOwner), FLines(std::make_unique<TMemoStrings>(this))
{
    FControlStyle &= ~csFixedHeight;
    FAutoSelect = false;
    SetBounds(0, 0, 185, 89);
}

TCustomMemo::~TCustomMemo() = default;

AnsiString TCustomMemo::Text() const
{
    AnsiString t;
    for (size_t i = 0; i < FLineData.size(); ++i) {
        if (i)
            t += "\r\n";
        t += FLineData[i];
    }
    return t;
}

void TCustomMemo::SetText(const AnsiString& v)
{
    FModified = false;
    if (v == Text())
        return;
    FLineData = SplitTextLines(v);
    if (!v.empty() && (v.back() == '\n' || v.back() == '\r'))
        FLineData.push_back("");
    LinesChanged(false);
}

void TCustomMemo::LinesChanged(bool appendedOne)
{
    if (FLinesUpdating > 0) {
        FLinesDirty = true;
        return;
    }
    FText = Text();
    if (QPlainTextEdit* e = TextEdit(this)) {
        FImpl->syncing = true;
        const bool block = e->blockSignals(true);
        if (appendedOne && !FLineData.empty() && e->document()->blockCount() == static_cast<int>(FLineData.size()) - 1
            && !e->toPlainText().isEmpty())
            e->appendPlainText(ToQString(FLineData.back()));
        else if (!ReplaceChangedLines(e, FLineData))
            e->setPlainText(ToQString(FText));
        e->blockSignals(block);
        FImpl->syncing = false;
    }
    Change();
}

void TCustomMemo::UserLinesChanged(const AnsiString& Text)
{
    FLineData = SplitTextLines(Text);
    if (!Text.empty() && Text.back() == '\n')
        FLineData.push_back("");
    FText = this->Text();
    FModified = true;
    Change();
}

void TCustomMemo::SetScrollBars(TScrollStyle v) { SetAndSync(FScrollBars, v); }

void TCustomMemo::SetWordWrap(bool v) { SetAndSync(FWordWrap, v); }

TPoint TCustomMemo::CaretPos() const
{
    if (QPlainTextEdit* e = TextEdit(this)) {
        const QTextCursor c = e->textCursor();
        return TPoint(c.positionInBlock(), c.blockNumber());
    }
    return TPoint(0, 0);
}

bool TCustomMemo::WantsKey(Word Key, TShiftState Shift) const
{
    if (Key == VK_RETURN)
        return FWantReturns;
    if (Key == VK_TAB)
        return FWantTabs;
    return TCustomEdit::WantsKey(Key, Shift);
}

void TCustomMemo::CreateWidget()
{
    QWidget* parent = FParent ? zvforms::ImplOf(FParent)->widget.data() : nullptr;
    auto* e = new MemoWidget(this, parent);
    FImpl->widget = e;
    FImpl->native = true;
    e->setFocusPolicy(Qt::StrongFocus);
    QObject::connect(e, &QPlainTextEdit::textChanged, e, [this, e] {
        if (!e->ctl || FImpl->syncing)
            return;
        UserLinesChanged(FromQString(e->toPlainText()));
    });
}

void TCustomMemo::SyncWidget()
{
    QPlainTextEdit* e = TextEdit(this);
    if (!e)
        return;
    FImpl->syncing = true;
    const bool block = e->blockSignals(true);
    if (FromQString(e->toPlainText()) != Text().substr(0) && e->toPlainText() != ToQString(Text()))
        e->setPlainText(ToQString(Text()));
    e->setReadOnly(FReadOnly);
    e->setLineWrapMode(FWordWrap ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
    e->setVerticalScrollBarPolicy(FScrollBars == ssVertical || FScrollBars == ssBoth ? Qt::ScrollBarAlwaysOn
                                                                                       : Qt::ScrollBarAlwaysOff);
    e->setHorizontalScrollBarPolicy(FScrollBars == ssHorizontal || FScrollBars == ssBoth ? Qt::ScrollBarAlwaysOn
                                                                                         : Qt::ScrollBarAlwaysOff);
    e->setFrameShape(FBorderStyle == bsNone ? QFrame::NoFrame : QFrame::StyledPanel);
    e->setTabChangesFocus(!FWantTabs);
    ApplyPalette(this, e, FColor, FFont->Color());
    e->blockSignals(block);
    FImpl->syncing = false;
}
