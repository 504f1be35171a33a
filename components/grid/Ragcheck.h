#pragma once
// Cell checkers: components a grid calls to correct or mark the text of its cells.
// The base class leaves texts as they are; descendants override Correct and MarkError.
#include "platform/core/Component.h"

class TRavArodozIdadCheck : public TComponent {
public:
    explicit TRavArodozIdadCheck(TComponent* AOwner) : TComponent(AOwner) {}

    virtual AnsiString MarkError(int ACol, int ARow, const AnsiString& Text);
    virtual AnsiString Correct(int ACol, int ARow, const AnsiString& Text);
    virtual void StartCheck() {}
    virtual void StopCheck() {}

    // The first occurrence of Old in Text replaced by New.
    static AnsiString ReplaceOnce(const AnsiString& Text, const AnsiString& Old, const AnsiString& New);
    // Word wrapped in <Tag> and </Tag> wherever it shows in the visible text of markup.
    static AnsiString HiLight(const AnsiString& Text, const AnsiString& Word, const AnsiString& Tag,
                              bool CaseSensitive);

    bool GotoCell = false;
    bool AutoCorrect = false;
    bool AutoMarkError = false;
    bool UseCorrect = false;
    bool UseMarkError = false;
};

// Capitalises the first letter of each sentence.
class TCapitalCheck : public TRavArodozIdadCheck {
public:
    using TRavArodozIdadCheck::TRavArodozIdadCheck;
    AnsiString Correct(int ACol, int ARow, const AnsiString& Text) override;
};
