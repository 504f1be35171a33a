#include "platform/office/Database.h"

#include <mdbsql.h>

#include <algorithm>
#include <memory>

#include "platform/core/FileUtils.h"

namespace {

struct TMdbCloser {
    void operator()(MdbHandle* h) const { mdb_close(h); }
};
struct TTableCloser {
    void operator()(MdbTableDef* t) const { mdb_free_tabledef(t); }
};
struct TSqlCloser {
    void operator()(MdbSQL* s) const { mdb_sql_exit(s); }
};

AnsiString Fail(const AnsiString& FileName, const AnsiString& Why)
{
    return "Cannot read database " + FileName + ": " + Why;
}

void MustExist(const AnsiString& FileName)
{
    if (!FileExists(FileName))
        throw EDatabaseError(Fail(FileName, "file not found"));
}

} // namespace

TDbRecords ReadDbTable(const AnsiString& FileName, const AnsiString& Table)
{
    MustExist(FileName);
    std::unique_ptr<MdbHandle, TMdbCloser> mdb(mdb_open(FileName.c_str(), MDB_NOFLAGS));
    if (!mdb)
        throw EDatabaseError(Fail(FileName, "not a database file"));
    if (!mdb_read_catalog(mdb.get(), MDB_TABLE))
        throw EDatabaseError(Fail(FileName, "damaged catalogue"));
    AnsiString name = Table;
    std::unique_ptr<MdbTableDef, TTableCloser> t(mdb_read_table_by_name(mdb.get(), name.data(), MDB_TABLE));
    if (!t)
        throw EDatabaseError(Fail(FileName, "no table " + Table));
    mdb_read_columns(t.get());
    mdb_rewind_table(t.get());
    TDbRecords out;
    const unsigned n = t->num_cols;
    std::vector<std::vector<char>> buf(n, std::vector<char>(MDB_BIND_SIZE));
    std::vector<int> len(n, 0);
    for (unsigned i = 0; i < n; ++i) {
        auto* col = static_cast<MdbColumn*>(g_ptr_array_index(t->columns, i));
        out.Fields.emplace_back(col->name);
        mdb_bind_column(t.get(), int(i) + 1, buf[i].data(), &len[i]);
    }
    while (mdb_fetch_row(t.get())) {
        std::vector<AnsiString> row(n);
        for (unsigned i = 0; i < n; ++i)
            if (len[i] > 0)
                row[i].assign(buf[i].data(), size_t(std::min(len[i], int(MDB_BIND_SIZE))));
        out.Rows.push_back(std::move(row));
    }
    return out;
}

TDbRecords ReadDbQuery(const AnsiString& FileName, const AnsiString& Sql)
{
    MustExist(FileName);
    std::unique_ptr<MdbSQL, TSqlCloser> sql(mdb_sql_init());
    if (!sql)
        throw EDatabaseError(Fail(FileName, "out of memory"));
    AnsiString file = FileName;
    if (!mdb_sql_open(sql.get(), file.data()))
        throw EDatabaseError(Fail(FileName, "not a database file"));
    if (!mdb_sql_run_query(sql.get(), Sql.c_str()) || mdb_sql_has_error(sql.get()))
        throw EDatabaseError(Fail(FileName, AnsiString("query refused: ") + mdb_sql_last_error(sql.get())));
    TDbRecords out;
    const unsigned n = sql->num_columns;
    for (unsigned i = 0; i < n; ++i)
        out.Fields.emplace_back(static_cast<MdbSQLColumn*>(g_ptr_array_index(sql->columns, i))->name);
    if (sql->cur_table)
        mdb_sql_bind_all(sql.get());
    while (sql->cur_table && mdb_sql_fetch_row(sql.get(), sql->cur_table)) {
        std::vector<AnsiString> row(n);
        for (unsigned i = 0; i < n; ++i)
            if (const char* v = static_cast<const char*>(g_ptr_array_index(sql->bound_values, i)))
                row[i] = v;
        out.Rows.push_back(std::move(row));
    }
    return out;
}
