#include "components/grid/Ragcheck.h"

#include "components/grid/Raghtmle.h"
#include "platform/core/StringUtils.h"

AnsiString TRavArodozIdadCheck::MarkError(int, int, const AnsiString& Text) { return Text; }

AnsiString TRavArodozIdadCheck::Correct(int, int, const AnsiString& Text) { return Text; }

AnsiString TRavArodozIdadCheck::ReplaceOnce(const AnsiString& Text, const AnsiString& Old, const AnsiString& New)
{
    const int p = Old.empty() ? 0 : AnsiPos(Old, Text);
    if (p <= 0)
        return Text;
    return Text.substr(0, size_t(p - 1)) + New + Text.substr(size_t(p - 1) + Old.size());
}

AnsiString TRavArodozIdadCheck::HiLight(const AnsiString& Text, const AnsiString& Word, const AnsiString& Tag,
                                        bool CaseSensitive)
{
    // The markup unit's marking: finds and tag positions count the same visible characters.
    return ::HiLight(Text, Word, Tag, CaseSensitive);
}

AnsiString TCapitalCheck::Correct(int, int, const AnsiString& Text)
{
    AnsiString r = Text;
    char before2 = '.', before1 = ' ';
    for (char& c : r) {
        const char original = c;
        if (before1 == ' ' && (before2 == '.' || before2 == '!' || before2 == '?') && c >= 'a' && c <= 'z')
            c = char(c - 'a' + 'A');
        before2 = before1;
        before1 = original;
    }
    return r;
}
