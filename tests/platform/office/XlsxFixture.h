#pragma once
// Writes a workbook file from the XML of its parts, as other programs write them,
// so that the reader meets what it did not write itself.
#include <zip.h>

#include <map>
#include <string>

#include "platform/core/Exceptions.h"

inline void WriteZip(const std::string& File, const std::map<std::string, std::string>& Members)
{
    int err = 0;
    zip_t* z = zip_open(File.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &err);
    if (!z)
        throw Exception("cannot create " + File);
    for (const auto& [name, bytes] : Members) {
        zip_source_t* src = zip_source_buffer(z, bytes.data(), bytes.size(), 0);
        if (!src || zip_file_add(z, name.c_str(), src, ZIP_FL_OVERWRITE) < 0) {
            zip_source_free(src);
            zip_discard(z);
            throw Exception("cannot add " + name);
        }
    }
    if (zip_close(z) != 0) {
        zip_discard(z);
        throw Exception("cannot write " + File);
    }
}

// A one-sheet workbook whose sheet holds SheetData (the <sheetData> children);
// Extra parts (shared strings, styles) are added as given.
inline void WriteXlsxParts(const std::string& File, const std::string& SheetData, const std::string& Dimension = "",
                           std::map<std::string, std::string> Extra = {})
{
    const std::string ns = "xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"";
    const std::string rns = "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\"";
    Extra["xl/workbook.xml"] = "<?xml version=\"1.0\"?><workbook " + ns + " " + rns +
        "><sheets><sheet name=\"Only\" sheetId=\"1\" r:id=\"rId1\"/></sheets></workbook>";
    Extra["xl/_rels/workbook.xml.rels"] =
        "<?xml version=\"1.0\"?><Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
        "<Relationship Id=\"rId1\" Type=\"worksheet\" Target=\"worksheets/sheet1.xml\"/></Relationships>";
    Extra["xl/worksheets/sheet1.xml"] = "<?xml version=\"1.0\"?><worksheet " + ns + ">" +
        (Dimension.empty() ? "" : "<dimension ref=\"" + Dimension + "\"/>") + "<sheetData>" + SheetData +
        "</sheetData></worksheet>";
    WriteZip(File, Extra);
}
