// XML export of the save range.
#include "components/grid/Ravgrid.h"
#include "platform/core/CodePages.h"
#include "platform/core/IntConvert.h"

using namespace RavgridFile;

namespace {

// Cell texts are character data: markup characters are escaped so that the document stays well-formed.
AnsiString XmlEscape(const AnsiString& S)
{
    AnsiString r;
    r.reserve(S.size());
    for (char ch : S)
        switch (ch) {
        case '&':
            r += "&amp;";
            break;
        case '<':
            r += "&lt;";
            break;
        case '>':
            r += "&gt;";
            break;
        case '"':
            r += "&quot;";
            break;
        case '\'':
            r += "&apos;";
            break;
        default:
            r += ch;
        }
    return r;
}

} // namespace

void TRavArodozIdad::SaveToXML(const AnsiString& FileName, const AnsiString& ListDescr,
                               const AnsiString& RecordDescr, TStrings* FieldDescr)
{
    TTextWriter out;
    if (!out.Open(FileName, false))
        throw VEvoRaraVedad("Cannot Create file " + FileName);
    // Written in the encoding the declaration names; what Latin-1 lacks goes as character references.
    auto line = [&](const AnsiString& s) { out.Line(Utf8ToCodePage(s, TCodePage::Latin1, TUnmappable::CharRef)); };
    line("<?xml version=\"1.0\" encoding=\"ISO-8859-1\" ?>");
    line("<" + ListDescr + ">");
    const int c0 = GetSaveStartCol();
    for (int r = GetSaveStartRow(); r <= GetSaveEndRow(); ++r) {
        line("<" + RecordDescr + ">");
        for (int c = c0; c <= GetSaveEndCol(); ++c) {
            const int n = c - c0;
            const AnsiString tag =
                FieldDescr && n < FieldDescr->Count() ? FieldDescr->Strings(n) : "FIELD" + IntToStr(n);
            line("<" + tag + ">" + XmlEscape(SaveCell(c, r)) + "</" + tag + ">");
        }
        line("</" + RecordDescr + ">");
    }
    line("</" + ListDescr + ">");
    out.Close();
}
