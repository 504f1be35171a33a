#pragma once
// Tables of database files (.mdb), read whole: field names and the records' texts.
#include <vector>

#include "platform/core/Exceptions.h"

ZV_EXCEPTION_CLASS(EDatabaseError, Exception)

struct TDbRecords {
    std::vector<AnsiString> Fields;
    std::vector<std::vector<AnsiString>> Rows; // one text per field; "" for an empty value
};

// The table of that exact name (the name is never made part of a query text).
TDbRecords ReadDbTable(const AnsiString& FileName, const AnsiString& Table);
// The records a query selects.
TDbRecords ReadDbQuery(const AnsiString& FileName, const AnsiString& Sql);
