#include "host/file/PgSession.h"

#include <vector>

#include "host/file/FileError.h"

namespace kelo::store {
namespace {

// libpq's messages run over several lines with hints after the first; the first says what failed.
std::string firstLine(const char* message)
{
    std::string s = message ? message : "";
    s = s.substr(0, s.find('\n'));
    for (const char* tag : {"FATAL:  ", "ERROR:  "})
        for (size_t at; (at = s.find(tag)) != std::string::npos;) s.erase(at, std::string(tag).size());
    return s.empty() ? "no answer from the server" : s;
}

// Records live in one table keyed by file and key bytes: bytea compares bytewise, so the order
// of keys is the order LMDB keeps. Files are named in a table of their own. `link` is the record
// a walk reads after this one, for files whose records name it (NULL for others): the next of a
// chain in the same file, or minus the first of a chain in another. The stored bytes are
// compressed, so the server could not follow a chain without it.
constexpr const char* kSchema =
    "CREATE TABLE IF NOT EXISTS kelo_tables (name text PRIMARY KEY, id int NOT NULL UNIQUE);"
    "CREATE TABLE IF NOT EXISTS kelo_records (tbl int NOT NULL, k bytea NOT NULL, "
    "v bytea NOT NULL, link int, PRIMARY KEY (tbl, k));"
    "ALTER TABLE kelo_records ALTER COLUMN v SET STORAGE EXTERNAL";  // stored already compressed

constexpr const char* kStatements =
    "PREPARE get(int, bytea) AS SELECT v FROM kelo_records WHERE tbl = $1 AND k = $2;"
    "PREPARE del(int, bytea) AS DELETE FROM kelo_records WHERE tbl = $1 AND k = $2;"
    "PREPARE clear(int) AS DELETE FROM kelo_records WHERE tbl = $1;"
    "PREPARE count(int) AS SELECT count(*) FROM kelo_records WHERE tbl = $1;"
    "PREPARE find_table(text) AS SELECT id FROM kelo_tables WHERE name = $1;"
    "PREPARE make_table(text) AS INSERT INTO kelo_tables SELECT $1, coalesce(max(id), 0) + 1 "
    "FROM kelo_tables RETURNING id;"
    "PREPARE drop_table(int) AS DELETE FROM kelo_tables WHERE id = $1";

// Range reads, twice: with the link column (LINK), and as NAME_bare with NULL in its place, for
// tables whose links no walk needs from a range (sent for every row, they cost time).
constexpr const char* kRanges =
    "PREPARE from_ge(int, bytea, int) AS SELECT k, v, LINK FROM kelo_records WHERE tbl = $1 "
    "AND k >= $2 ORDER BY k LIMIT $3;"
    "PREPARE from_gt(int, bytea, int) AS SELECT k, v, LINK FROM kelo_records WHERE tbl = $1 "
    "AND k > $2 ORDER BY k LIMIT $3;"
    "PREPARE from_ge_below(int, bytea, bytea, int) AS SELECT k, v, LINK FROM kelo_records "
    "WHERE tbl = $1 AND k >= $2 AND k < $3 ORDER BY k LIMIT $4;"
    "PREPARE from_gt_below(int, bytea, bytea, int) AS SELECT k, v, LINK FROM kelo_records "
    "WHERE tbl = $1 AND k > $2 AND k < $3 ORDER BY k LIMIT $4;"
    "PREPARE back_lt(int, bytea, int) AS SELECT k, v, LINK FROM kelo_records WHERE tbl = $1 "
    "AND k < $2 ORDER BY k DESC LIMIT $3;"
    "PREPARE back_all(int, int) AS SELECT k, v, LINK FROM kelo_records WHERE tbl = $1 "
    "ORDER BY k DESC LIMIT $2";

constexpr const char* kPutWithLink =
    "PREPARE put(int, bytea, bytea, int) AS INSERT INTO kelo_records (tbl, k, v, link) "
    "VALUES ($1, $2, $3, $4) ON CONFLICT (tbl, k) DO UPDATE SET v = EXCLUDED.v, link = EXCLUDED.link";
constexpr const char* kPutWithoutLink =
    "PREPARE put(int, bytea, bytea, int) AS INSERT INTO kelo_records (tbl, k, v) "
    "VALUES ($1, $2, $3) ON CONFLICT (tbl, k) DO UPDATE SET v = EXCLUDED.v";

// The chains through a file from each of the 4-byte keys packed in $2, each followed for at most
// $3 records: one request instead of one per record. The lateral LIMIT keeps every step an
// index lookup whatever the planner thinks of the chains' lengths.
constexpr const char* kChain =
    "PREPARE chain(int, bytea, int) AS WITH RECURSIVE c(k, v, link, n) AS ("
    "SELECT k, v, link, 1 FROM kelo_records WHERE tbl = $1 AND k = ANY(ARRAY("
    "SELECT substring($2 FROM i * 4 + 1 FOR 4) FROM generate_series(0, length($2) / 4 - 1) i)) "
    "UNION ALL SELECT r.k, r.v, r.link, c.n + 1 FROM c CROSS JOIN LATERAL (SELECT k, v, link "
    "FROM kelo_records WHERE tbl = $1 AND k = int4send(c.link) LIMIT 1) r "
    "WHERE c.link > 0 AND c.n < $3) SELECT k, v, link FROM c";

// The range reads with the link column, or (bare) with NULL in its place under names ending _bare.
std::string ranges(bool links, bool bare)
{
    std::string sql = kRanges;
    for (size_t at; (at = sql.find("LINK")) != std::string::npos;)
        sql.replace(at, 4, links && !bare ? "link" : "NULL::int");
    if (bare)
        for (size_t at = 0; (at = sql.find('(', sql.find("PREPARE ", at))) != std::string::npos;) {
            sql.insert(at, "_bare");
            at += 5;
        }
    return sql;
}

}  // namespace

PgSession::PgSession(const std::string& url, const std::string& shown) : m_shown(shown)
{
    m_conn = PQconnectdb(url.c_str());
    if (!m_conn) throw FileError("cannot connect to the company server " + shown + ": out of memory");
    if (PQstatus(m_conn) != CONNECTION_OK) {
        const std::string why = firstLine(PQerrorMessage(m_conn));
        PQfinish(m_conn);
        m_conn = nullptr;
        throw FileError("cannot connect to the company server " + shown + ": " + why);
    }
    PQsetNoticeProcessor(m_conn, [](void*, const char*) {}, nullptr);  // IF NOT EXISTS chatter
}

PgSession::~PgSession()
{
    if (m_conn) PQfinish(m_conn);
}

void PgSession::Fail(const char* what, const PGresult* result) const
{
    if (PQstatus(m_conn) != CONNECTION_OK)
        throw FileError("lost the connection to the company server " + m_shown + " (" + what +
                        "): " + firstLine(PQerrorMessage(m_conn)));
    throw FileError(std::string(what) + " on the company server " + m_shown + " failed: " +
                    firstLine(result ? PQresultErrorMessage(result) : PQerrorMessage(m_conn)));
}

PgResult PgSession::Exec(const std::string& sql, const char* what)
{
    PgResult r(PQexec(m_conn, sql.c_str()), &PQclear);
    const auto status = r ? PQresultStatus(r.get()) : PGRES_FATAL_ERROR;
    if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK) Fail(what, r.get());
    return r;
}

PgResult PgSession::Run(const char* statement, std::initializer_list<Param> params,
                        const char* what)
{
    const char* values[4];
    int lengths[4];
    int formats[4];
    int n = 0;
    for (const Param& p : params) {
        values[n] = p.null ? nullptr : p.bytes.data() ? p.bytes.data() : "";  // nullptr sends NULL
        lengths[n] = int(p.bytes.size());
        formats[n] = 1;
        ++n;
    }
    PgResult r(PQexecPrepared(m_conn, statement, n, values, lengths, formats, 1), &PQclear);
    const auto status = r ? PQresultStatus(r.get()) : PGRES_FATAL_ERROR;
    if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK) Fail(what, r.get());
    return r;
}

void PgSession::RunEach(const char* statement, const std::vector<std::vector<Param>>& rows,
                        const char* what)
{
    if (!PQenterPipelineMode(m_conn)) Fail(what, nullptr);
    std::vector<const char*> values;
    std::vector<int> lengths, formats;
    for (const auto& row : rows) {
        values.clear();
        lengths.clear();
        for (const Param& p : row) {
            values.push_back(p.null ? nullptr : p.bytes.data() ? p.bytes.data() : "");
            lengths.push_back(int(p.bytes.size()));
        }
        formats.assign(row.size(), 1);
        if (!PQsendQueryPrepared(m_conn, statement, int(row.size()), values.data(), lengths.data(),
                                 formats.data(), 1))
            break;
    }
    PQpipelineSync(m_conn);
    std::string error;
    for (;;) {
        PGresult* r = PQgetResult(m_conn);
        if (!r) {
            if (PQstatus(m_conn) != CONNECTION_OK) break;
            continue;  // the end of one statement's results
        }
        const auto status = PQresultStatus(r);
        if (status == PGRES_FATAL_ERROR && error.empty()) error = firstLine(PQresultErrorMessage(r));
        PQclear(r);
        if (status == PGRES_PIPELINE_SYNC) break;
    }
    PQexitPipelineMode(m_conn);
    if (PQstatus(m_conn) != CONNECTION_OK) Fail(what, nullptr);
    if (!error.empty())
        throw FileError(std::string(what) + " on the company server " + m_shown + " failed: " + error);
}

bool PgSession::Prepare(bool create)
{
    if (create) {
        Exec(kSchema, "making the company's tables");
    } else {
        PgResult r = Exec("SELECT to_regclass('kelo_records') IS NOT NULL", "opening the company");
        if (std::string(PQgetvalue(r.get(), 0, 0)) != "t") return false;
    }
    PgResult r = Exec("SELECT count(*) FROM pg_attribute WHERE attrelid = 'kelo_records'::regclass "
                      "AND attname = 'link' AND NOT attisdropped",
                      "opening the company");
    m_links = std::string(PQgetvalue(r.get(), 0, 0)) == "1";
    Exec(kStatements, "preparing the company's statements");
    Exec(ranges(m_links, false) + ";" + ranges(m_links, true), "preparing the company's statements");
    Exec(m_links ? kPutWithLink : kPutWithoutLink, "preparing the company's statements");
    if (m_links) Exec(kChain, "preparing the company's statements");
    return true;
}

uint64_t PgIntValue(const PGresult* r, int row, int column)
{
    const auto* p = reinterpret_cast<const unsigned char*>(PQgetvalue(r, row, column));
    uint64_t n = 0;
    for (int i = 0; i < PQgetlength(r, row, column); ++i) n = n << 8 | p[i];
    return n;
}

}  // namespace kelo::store
