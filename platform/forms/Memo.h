#pragma once
// TMemo: a multi-line text field; Lines is the text as a string list (changes through
// Lines show at once and fire OnChange). TRichEdit: the same over a formatted document.
#include <memory>
#include <vector>

#include "platform/core/Strings.h"
#include "platform/forms/Edit.h"

class TCustomMemo;

// The lines of a memo as a TStrings.
class TMemoStrings : public TStrings {
public:
    explicit TMemoStrings(TCustomMemo* M) : FMemo(M) {}
    int Add(const AnsiString& S) override;
    void Insert(int Index, const AnsiString& S) override;
    void Delete(int Index) override;
    void Clear() override;
    void SetText(const AnsiString& Value) override;

protected:
    AnsiString Get(int Index) const override;
    int GetCount() const override;
    void Put(int Index, const AnsiString& S) override;
    void SetUpdateState(bool Updating) override;

private:
    TCustomMemo* FMemo;
};

class TCustomMemo : public TCustomEdit {
public:
    explicit TCustomMemo(TComponent* AOwner);
    ~TCustomMemo() override;

    TStrings* Lines() const { return FLines.get(); }
    void SetLines(TStrings* v) { FLines->Assign(v); }
    AnsiString Text() const override;
    void SetText(const AnsiString& v) override;
    TScrollStyle ScrollBars() const { return FScrollBars; }
    void SetScrollBars(TScrollStyle v);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool v);
    bool WantReturns() const { return FWantReturns; }
    void SetWantReturns(bool v) { FWantReturns = v; }
    bool WantTabs() const { return FWantTabs; }
    void SetWantTabs(bool v) { FWantTabs = v; }
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment v) { FAlignment = v; }

    // Line and column of the caret (0-based).
    TPoint CaretPos() const;

    void UserLinesChanged(const AnsiString& Text);

protected:
    friend class TMemoStrings;
    void LinesChanged(bool appendedOne);
    void CreateWidget() override;
    void SyncWidget() override;
    bool WantsKey(Word Key, TShiftState Shift) const override;

    std::vector<AnsiString> FLineData;
    std::unique_ptr<TMemoStrings> FLines;
    TScrollStyle FScrollBars = ssNone;
    bool FWordWrap = true;
    bool FWantReturns = true;
    bool FWantTabs = false;
    TAlignment FAlignment = taLeftJustify;
    int FLinesUpdating = 0;
    bool FLinesDirty = false;
};

class TMemo : public TCustomMemo {
public:
    explicit TMemo(TComponent* AOwner) : TCustomMemo(AOwner) {}
};

class TRichText;

// A memo over a formatted document: Lines is its plain text; the document (Document())
// holds the formatting, which typing keeps. Its lines load and save as RTF.
class TRichEdit : public TCustomMemo {
public:
    explicit TRichEdit(TComponent* AOwner);
    ~TRichEdit() override;
    // Lines load and save as plain text instead of RTF.
    bool PlainText() const { return FPlainText; }
    void SetPlainText(bool v) { FPlainText = v; }
    TRichText* Document() const { return FDocument.get(); }

    // Lines as a stream: RTF (plain text with PlainText set, or when S is no RTF).
    void LoadLines(const AnsiString& S);
    AnsiString SaveLines() const;

    // Selection (in the document and the shown editor alike).
    void SelectAll();
    void SetSelection(int Start, int Length);
    // Replaces the selection as typing would, in the format of its first character.
    void SetSelText(const AnsiString& Text);
    // The rectangle the text is laid out in, in client coordinates.
    void SetFormattingRect(const TRect& R);
    TRect FormattingRect() const { return FFormattingRect; }

    TNotifyEvent OnSelectionChange;

protected:
    // The laid-out text asks for a size (the control's request-resize notification);
    // Measure asks it for the document as it stands, wrapped at Width (0: unwrapped).
    virtual void RequestResize(const TRect& /*R*/) {}
    void Measure(int Width);
    void Change() override;
    void CreateWidget() override;
    void SyncWidget() override;

private:
    // Lines follow the document without touching it again.
    void LinesFromDocument();

    std::unique_ptr<TRichText> FDocument;
    bool FPlainText = false;
    bool FFromDocument = false;
    TRect FFormattingRect{0, 0, 0, 0};
};
