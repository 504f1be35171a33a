#pragma once
// TMemo: a multi-line text field; Lines is the text as a string list (changes through
// Lines show at once and fire OnChange). TRichEdit: the same, plain text only.
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

class TRichEdit : public TCustomMemo {
public:
    explicit TRichEdit(TComponent* AOwner) : TCustomMemo(AOwner) {}
    bool PlainText() const { return FPlainText; }
    void SetPlainText(bool v) { FPlainText = v; }

private:
    bool FPlainText = true;
};
