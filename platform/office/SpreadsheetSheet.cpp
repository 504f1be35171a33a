// One sheet written into an existing workbook: the sheet's part of the .xlsx package is
// replaced (or added) and every other member is copied as it was.
#include <charconv>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <map>
#include <regex>

#include "platform/core/FileUtils.h"
#include "platform/office/Spreadsheet.h"
#include "platform/office/XlsxPackage_p.h"
#include "platform/office/XmlReader.h"

using namespace XlsxPackage;

namespace {

const char* const kRelNs = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";

constexpr auto Fail = XlsxPackage::WriteFailure;

// Text for XML content and attributes; characters XML cannot carry are left out.
AnsiString Escape(const AnsiString& S)
{
    AnsiString r;
    for (char ch : S) {
        const unsigned char c = static_cast<unsigned char>(ch);
        if (c == '&')
            r += "&amp;";
        else if (c == '<')
            r += "&lt;";
        else if (c == '>')
            r += "&gt;";
        else if (c == '"')
            r += "&quot;";
        else if (c >= 0x20 || c == '\t' || c == '\n' || c == '\r')
            r += ch;
    }
    return r;
}

AnsiString Number(double V)
{
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, V);
    return AnsiString(buf, res.ptr);
}

AnsiString SheetXml(const TSheet& Sheet, bool Selected)
{
    AnsiString x = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n"
                   "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">";
    int l = 0, t = 0, r = 0, b = 0;
    if (UsedRange(Sheet, l, t, r, b))
        x += "<dimension ref=\"" + ColumnLetters(l) + std::to_string(t) + ":" + ColumnLetters(r) + std::to_string(b) +
             "\"/>";
    if (Selected)
        x += "<sheetViews><sheetView tabSelected=\"1\" workbookViewId=\"0\"/></sheetViews>";
    x += "<sheetData>";
    int row = 0;
    for (const auto& [at, cell] : Sheet.Cells) {
        if (at.first != row) {
            if (row)
                x += "</row>";
            row = at.first;
            x += "<row r=\"" + std::to_string(row) + "\">";
        }
        const AnsiString ref = ColumnLetters(at.second) + std::to_string(at.first);
        switch (cell.Kind) {
        case TSheetCell::ckNumber:
        case TSheetCell::ckDate: x += "<c r=\"" + ref + "\"><v>" + Number(cell.Number) + "</v></c>"; break;
        case TSheetCell::ckBool:
            x += "<c r=\"" + ref + "\" t=\"b\"><v>" + (cell.Number != 0 ? "1" : "0") + "</v></c>";
            break;
        case TSheetCell::ckError: x += "<c r=\"" + ref + "\" t=\"e\"><v>" + Escape(cell.Text) + "</v></c>"; break;
        case TSheetCell::ckText:
            x += "<c r=\"" + ref + "\" t=\"inlineStr\"><is><t xml:space=\"preserve\">" + Escape(cell.Text) +
                 "</t></is></c>";
            break;
        }
    }
    if (row)
        x += "</row>";
    x += "</sheetData></worksheet>";
    return x;
}

// Inserts Element before the end tag of the element named Name (with whatever prefix the
// document gives it); the prefix is handed to Element. False when there is no such end tag.
bool InsertBeforeEnd(std::string& Xml, const std::string& Name, const std::function<std::string(const std::string&)>& Element)
{
    std::smatch m;
    if (!std::regex_search(Xml, m, std::regex("</([A-Za-z_][\\w.-]*:)?" + Name + "\\s*>")))
        return false;
    Xml.insert(size_t(m.position(0)), Element(m[1].str()));
    return true;
}

// The names a spreadsheet program takes for a sheet: 1 to 31 characters, none of []:*?/\,
// no apostrophe at either end.
bool UsableSheetName(const AnsiString& Name)
{
    size_t chars = 0;
    for (char ch : Name)
        if ((static_cast<unsigned char>(ch) & 0xC0) != 0x80)
            ++chars;
    return chars >= 1 && chars <= 31 && Name.find_first_of("[]:*?/\\") == AnsiString::npos && Name.front() != '\'' &&
           Name.back() != '\'';
}

void RemoveElements(std::string& Xml, const std::string& Pattern) { Xml = std::regex_replace(Xml, std::regex(Pattern), ""); }

struct TPackageEdit {
    std::map<AnsiString, std::string> Members; // new bytes by member name
    std::vector<AnsiString> Removed;
};

void WritePackage(const AnsiString& FileName, const TPackageEdit& Edit)
{
    const AnsiString temp = XlsxPackage::TemporaryPath(FileName);
    std::error_code ec;
    std::filesystem::copy_file(FileName, temp, std::filesystem::copy_options::overwrite_existing, ec);
    if (ec)
        throw ESpreadsheetError(Fail(FileName, "the file cannot be copied"));
    int err = 0;
    zip_t* z = zip_open(temp.c_str(), 0, &err);
    bool ok = z != nullptr;
    for (const auto& [name, bytes] : Edit.Members) {
        if (!ok)
            break;
        zip_source_t* src = zip_source_buffer(z, bytes.data(), bytes.size(), 0);
        if (!src || zip_file_add(z, name.c_str(), src, ZIP_FL_OVERWRITE) < 0) {
            zip_source_free(src);
            ok = false;
        }
    }
    for (const AnsiString& name : Edit.Removed) {
        const zip_int64_t i = ok ? zip_name_locate(z, name.c_str(), ZIP_FL_NOCASE) : -1;
        if (i >= 0 && zip_delete(z, zip_uint64_t(i)) != 0)
            ok = false;
    }
    if (ok && zip_close(z) != 0)
        ok = false;
    else if (ok)
        z = nullptr;
    if (z)
        zip_discard(z);
    if (!ok) {
        std::remove(temp.c_str());
        throw ESpreadsheetError(Fail(FileName, "the archive cannot be written"));
    }
    XlsxPackage::ReplaceWithTemporary(temp, FileName);
}

void ReplaceXlsxSheet(const AnsiString& FileName, const TSheet& Sheet)
{
    int err = 0;
    TZip z(zip_open(FileName.c_str(), ZIP_RDONLY, &err));
    if (!z)
        throw ESpreadsheetError(Fail(FileName, "not a spreadsheet file"));
    std::string book, rels, types;
    if (!ReadMember(z.get(), "xl/workbook.xml", book, FileName) ||
        !ReadMember(z.get(), "xl/_rels/workbook.xml.rels", rels, FileName) ||
        !ReadMember(z.get(), "[Content_Types].xml", types, FileName))
        throw ESpreadsheetError(Fail(FileName, "not a spreadsheet file"));
    TXmlElement wb, rl;
    try {
        wb = ParseXml(book);
        rl = ParseXml(rels);
    } catch (const EXmlError& e) {
        throw ESpreadsheetError(Fail(FileName, e.Message()));
    }
    std::map<AnsiString, AnsiString> targets;
    for (const TXmlElement& r : rl.Children)
        targets[r.Attr("Id")] = r.Attr("Target");
    // The sheet of that name (a later one of the same name wins, as the readers take it).
    AnsiString part;
    int sheets = 0, maxId = 0;
    if (const TXmlElement* list = wb.Child("sheets"))
        for (const TXmlElement& s : list->Children) {
            ++sheets;
            maxId = std::max(maxId, std::atoi(s.Attr("sheetId").c_str()));
            if (s.Attr("name") == Sheet.Name) {
                const auto it = targets.find(s.Attr("id"));
                if (it == targets.end())
                    throw ESpreadsheetError(Fail(FileName, "sheet " + Sheet.Name + " has no part"));
                part = MemberPath(it->second);
            }
        }
    TPackageEdit edit;
    if (!part.empty()) {
        edit.Members[part] = SheetXml(Sheet, false);
        // The chain may name formulas of the old sheet; the spreadsheet program rebuilds it.
        std::string chain;
        if (ReadMember(z.get(), "xl/calcChain.xml", chain, FileName)) {
            edit.Removed.push_back("xl/calcChain.xml");
            RemoveElements(types, "<([\\w.-]+:)?Override[^>]*PartName=\"/xl/calcChain\\.xml\"[^>]*/>");
            RemoveElements(rels, "<([\\w.-]+:)?Relationship[^>]*Target=\"[^\"]*calcChain\\.xml\"[^>]*/>");
            edit.Members["[Content_Types].xml"] = types;
            edit.Members["xl/_rels/workbook.xml.rels"] = rels;
        }
    } else {
        if (!UsableSheetName(Sheet.Name))
            throw ESpreadsheetError(Fail(FileName, "the sheet name \"" + Sheet.Name + "\" cannot be used"));
        int n = 1;
        while (zip_name_locate(z.get(), ("xl/worksheets/sheet" + std::to_string(n) + ".xml").c_str(), ZIP_FL_NOCASE) >= 0)
            ++n;
        const std::string name = "sheet" + std::to_string(n) + ".xml";
        std::string rid = "rIdSheet" + std::to_string(n);
        while (targets.count(rid))
            rid += "x";
        const bool added =
            InsertBeforeEnd(book, "sheets",
                            [&](const std::string& p) {
                                return "<" + p + "sheet xmlns:r=\"" + kRelNs + "\" name=\"" + Escape(Sheet.Name) +
                                       "\" sheetId=\"" + std::to_string(maxId + 1) + "\" r:id=\"" + rid + "\"/>";
                            }) &&
            InsertBeforeEnd(rels, "Relationships",
                            [&](const std::string& p) {
                                return "<" + p + "Relationship Id=\"" + rid + "\" Type=\"" + kRelNs +
                                       "/worksheet\" Target=\"worksheets/" + name + "\"/>";
                            }) &&
            InsertBeforeEnd(types, "Types", [&](const std::string& p) {
                return "<" + p + "Override PartName=\"/xl/worksheets/" + name +
                       "\" ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml\"/>";
            });
        if (!added)
            throw ESpreadsheetError(Fail(FileName, "the workbook's parts cannot take another sheet"));
        // The added sheet becomes the active one, as a sheet added by the spreadsheet program does.
        book = std::regex_replace(book, std::regex("(<([\\w.-]+:)?workbookView\\b[^>]*?)\\s+activeTab=\"[^\"]*\""), "$1");
        book = std::regex_replace(book, std::regex("<(([\\w.-]+:)?workbookView)\\b"),
                                  "<$1 activeTab=\"" + std::to_string(sheets) + "\"");
        edit.Members["xl/worksheets/" + name] = SheetXml(Sheet, true);
        edit.Members["xl/workbook.xml"] = book;
        edit.Members["xl/_rels/workbook.xml.rels"] = rels;
        edit.Members["[Content_Types].xml"] = types;
    }
    z.reset();
    WritePackage(FileName, edit);
}

} // namespace

void WriteWorkbookSheet(const AnsiString& FileName, const TSheet& Sheet)
{
    if (FileExists(FileName) && !IsLegacyWorkbook(FileName)) {
        ReplaceXlsxSheet(FileName, Sheet);
        return;
    }
    TWorkbook book;
    if (FileExists(FileName))
        book = ReadXls(FileName);
    int at = -1;
    for (size_t i = 0; i < book.Sheets.size(); ++i)
        if (book.Sheets[i].Name == Sheet.Name)
            at = int(i);
    if (at < 0) {
        book.Sheets.push_back(Sheet);
        at = int(book.Sheets.size()) - 1;
    } else
        book.Sheets[size_t(at)] = Sheet;
    book.ActiveSheet = at;
    WriteXlsx(FileName, book);
}
