#pragma once
// The .xlsx package as the workbook readers and writers of this folder share it: the zip
// archive and its members by name.
#include <zip.h>

#include <memory>
#include <string>

#include "platform/core/Types.h"

namespace XlsxPackage {

struct TZipCloser {
    void operator()(zip_t* z) const { zip_discard(z); }
};
using TZip = std::unique_ptr<zip_t, TZipCloser>;

// The bytes of an archive member; false when there is none of that name. A member that
// cannot be read raises ESpreadsheetError naming FileName.
bool ReadMember(zip_t* Z, const AnsiString& Name, std::string& Bytes, const AnsiString& FileName);
// The member path of a workbook relationship's target ("worksheets/sheet1.xml" is
// "xl/worksheets/sheet1.xml", "/xl/x.xml" is "xl/x.xml").
AnsiString MemberPath(const AnsiString& Target);

// A workbook is written into a temporary file beside FileName that takes its place only
// when whole.
AnsiString WriteFailure(const AnsiString& FileName, const AnsiString& Why);
AnsiString TemporaryPath(const AnsiString& FileName);
// Renames Temp onto FileName; when it cannot, removes Temp and raises ESpreadsheetError.
void ReplaceWithTemporary(const AnsiString& Temp, const AnsiString& FileName);

} // namespace XlsxPackage
