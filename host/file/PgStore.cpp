#include <algorithm>
#include <array>
#include <set>
#include <utility>
#include <vector>

#include <unistd.h>

#include "host/file/FileError.h"
#include "host/file/PgSession.h"
#include "host/file/Store.h"

namespace kelo::store {
namespace {

// Every write transaction takes this lock first, so writers follow one another as they do on
// LMDB: what a writer reads is what the last commit left (a new record number stays unique).
constexpr const char* kWriterLock = "SELECT pg_advisory_xact_lock(4917402)";
constexpr const char* kChannel = "kelo_changes";
// A walk reads ahead this far at first, then twice as far each time up to the most.
constexpr uint32_t kFirstBatch = 16;
constexpr uint32_t kMostBatch = 2048;
// Puts sent in one round trip at most (their answers must fit the socket's buffers).
constexpr size_t kPutsPerTrip = 256;

// This process among every desk on the server: a watcher skips the commits it made itself.
std::string writerIdentity()
{
    char host[256] = {};
    ::gethostname(host, sizeof host - 1);
    return std::string(host) + ":" + std::to_string(::getpid());
}

class PgStore;

class PgTxn final : public Txn {
public:
    PgTxn(PgStore& store, std::unique_ptr<PgSession> session, bool write);
    ~PgTxn() override;

    bool ReadOnly() const override { return !m_write; }
    std::optional<Bytes> Get(Table t, Bytes key) override;
    void Put(Table t, Bytes key, Bytes value) override;
    bool Del(Table t, Bytes key) override;
    void Clear(Table t) override;
    void Drop(Table t) override;
    std::unique_ptr<Cursor> OpenCursor(Table t) override;
    Cursor& TableCursor(Table t) override;
    uint64_t Count(Table t) override;
    std::optional<Table> OpenTable(const std::string& name, bool create) override;
    void Commit() override;

    // The session with every write sent: reads see what this transaction wrote.
    PgSession& Session()
    {
        if (!m_pending.empty()) flush();
        return *m_session;
    }
    // Counts this transaction's writes: a cursor's read-ahead older than the last one is stale.
    uint64_t Writes() const { return m_writes; }

private:
    void flush();

    PgStore& m_store;
    std::unique_ptr<PgSession> m_session;
    // Records put but not yet sent: sent together in one round trip before anything else.
    struct Pending {
        Table table;
        std::string key, value;
    };
    std::vector<Pending> m_pending;
    bool m_write;
    bool m_open = true;
    uint64_t m_writes = 0;
    // Values handed out by Get stay valid until the transaction writes; a few are kept.
    std::array<std::string, 8> m_values;
    size_t m_nextValue = 0;
    std::vector<std::pair<Table, std::unique_ptr<Cursor>>> m_cursors;
};

// A walk over one table that fetches rows in batches, so a fill pays one round trip per batch.
class PgCursor final : public Cursor {
public:
    PgCursor(PgTxn& txn, Table t) : m_txn(txn), m_table(t) {}

    bool Seek(Bytes key) override
    {
        if (fresh() && !m_rows.empty() && key >= Bytes(m_rows.front().first) &&
            key <= Bytes(m_rows.back().first)) {
            // Within what was read ahead: no need to ask the server.
            auto it = std::lower_bound(m_rows.begin(), m_rows.end(), key,
                                       [](const auto& row, Bytes k) { return Bytes(row.first) < k; });
            return land(size_t(it - m_rows.begin()));
        }
        return forward("from_ge", key, kFirstBatch, false);
    }
    bool First() override { return forward("from_ge", Bytes(), kFirstBatch, true); }
    bool Last() override { return backward(nullptr, kFirstBatch, true); }
    bool Next() override
    {
        if (!m_valid) return false;
        if (fresh() && m_pos + 1 < m_rows.size()) return land(m_pos + 1);
        if (fresh() && m_endAfter) return land(m_rows.size());
        const std::string from = m_rows[m_pos].first;
        return forward("from_gt", from, grow(), false);
    }
    bool Prev() override
    {
        if (!m_valid) return false;
        if (fresh() && m_pos > 0) return land(m_pos - 1);
        if (fresh() && m_endBefore) return land(m_rows.size());
        const std::string from = m_rows[m_pos].first;
        return backward(&from, grow(), false);
    }
    bool Valid() const override { return m_valid; }
    Bytes Key() const override { return m_rows[m_pos].first; }
    Bytes Value() const override { return m_rows[m_pos].second; }

private:
    bool fresh() const { return m_seen == m_txn.Writes(); }
    uint32_t grow()
    {
        m_batch = std::min(kMostBatch, std::max(kFirstBatch, m_batch * 2));
        return m_batch;
    }
    bool land(size_t pos)
    {
        m_valid = pos < m_rows.size();
        m_pos = m_valid ? pos : 0;
        return m_valid;
    }
    void load(const PGresult* r, bool reverse)
    {
        m_rows.clear();
        const int n = PQntuples(r);
        m_rows.reserve(size_t(n));
        for (int i = 0; i < n; ++i) {
            const int row = reverse ? n - 1 - i : i;
            m_rows.emplace_back(std::string(PQgetvalue(r, row, 0), size_t(PQgetlength(r, row, 0))),
                                std::string(PQgetvalue(r, row, 1), size_t(PQgetlength(r, row, 1))));
        }
        m_seen = m_txn.Writes();
    }
    bool forward(const char* statement, Bytes from, uint32_t limit, bool fromStart)
    {
        if (fromStart || std::string_view(statement) == "from_ge") m_batch = limit;
        PgInt4 t(m_table), n(limit);
        PgResult r = m_txn.Session().Run(statement, {t.param(), {from}, n.param()}, "reading");
        load(r.get(), false);
        m_endAfter = m_rows.size() < limit;
        m_endBefore = fromStart;
        return land(0);
    }
    bool backward(const std::string* before, uint32_t limit, bool fromEnd)
    {
        if (fromEnd) m_batch = limit;
        PgInt4 t(m_table), n(limit);
        PgResult r = before ? m_txn.Session().Run("back_lt", {t.param(), {*before}, n.param()}, "reading")
                            : m_txn.Session().Run("back_all", {t.param(), n.param()}, "reading");
        load(r.get(), true);
        m_endBefore = m_rows.size() < limit;
        m_endAfter = fromEnd;
        return land(m_rows.empty() ? 0 : m_rows.size() - 1);
    }

    PgTxn& m_txn;
    Table m_table;
    std::vector<std::pair<std::string, std::string>> m_rows;
    size_t m_pos = 0;
    bool m_valid = false;
    bool m_endAfter = false;   // nothing follows the last row read ahead
    bool m_endBefore = false;  // nothing precedes the first
    uint32_t m_batch = kFirstBatch;
    uint64_t m_seen = 0;
};

class PgFeed final : public ChangeFeed {
public:
    PgFeed(const std::string& url, const std::string& shown)
        : m_session(url, shown), m_self(writerIdentity())
    {
        m_session.Exec(std::string("LISTEN ") + kChannel, "listening for changes");
    }
    int Socket() const override { return PQsocket(m_session.Conn()); }
    bool TakeOthers() override
    {
        bool others = false;
        PQconsumeInput(m_session.Conn());
        while (PGnotify* n = PQnotifies(m_session.Conn())) {
            others = others || m_self != n->extra;
            PQfreemem(n);
        }
        return others;
    }

private:
    PgSession m_session;
    std::string m_self;
};

class PgStore final : public Store {
public:
    PgStore(const std::string& url, bool create, bool readOnly)
        : m_url(url), m_shown(ShownUrl(url)), m_readOnly(readOnly)
    {
        auto first = std::make_unique<PgSession>(m_url, m_shown);
        if (!first->Prepare(create))
            throw FileError("the database " + m_shown +
                            " holds no company (copy one there with kelo-data copy)");
        m_idle.push_back(std::move(first));
        m_notify = "SELECT pg_notify('" + std::string(kChannel) + "', '" + writerIdentity() +
                   "'); COMMIT";
    }

    std::unique_ptr<Txn> Begin(bool write) override
    {
        if (write && m_readOnly)
            throw FileError("the company " + m_shown + " is open for reading only");
        std::unique_ptr<PgSession> session;
        if (m_idle.empty()) {
            session = std::make_unique<PgSession>(m_url, m_shown);
            session->Prepare(false);
        } else {
            session = std::move(m_idle.back());
            m_idle.pop_back();
        }
        return std::make_unique<PgTxn>(*this, std::move(session), write);
    }

    bool Lock(int fileNumber, uint32_t recordNumber) override
    {
        const auto id = std::make_pair(fileNumber, recordNumber);
        if (m_held.count(id)) return true;  // held by this open already, as a file lock would be
        if (!m_locks) m_locks = std::make_unique<PgSession>(m_url, m_shown);
        PgResult r = m_locks->Exec("SELECT pg_try_advisory_lock(" + std::to_string(fileNumber) +
                                       ", " + std::to_string(int32_t(recordNumber)) + ")",
                                   "locking a record");
        if (std::string(PQgetvalue(r.get(), 0, 0)) != "t") return false;
        m_held.insert(id);
        return true;
    }
    void Unlock(int fileNumber, uint32_t recordNumber) override
    {
        if (!m_held.erase({fileNumber, recordNumber}) || !m_locks) return;
        m_locks->Exec("SELECT pg_advisory_unlock(" + std::to_string(fileNumber) + ", " +
                          std::to_string(int32_t(recordNumber)) + ")",
                      "unlocking a record");
    }
    void Committed() override {}  // the commit carried its notice
    std::unique_ptr<ChangeFeed> OpenChangeFeed() override
    {
        return std::make_unique<PgFeed>(m_url, m_shown);
    }

    const std::string& CommitWithNotice() const { return m_notify; }
    void GiveBack(std::unique_ptr<PgSession> session)
    {
        // A few idle connections cover a fill's read transaction beside a save's write one.
        if (session->Healthy() && m_idle.size() < 4) m_idle.push_back(std::move(session));
    }

private:
    std::string m_url;
    std::string m_shown;
    bool m_readOnly;
    std::string m_notify;
    std::vector<std::unique_ptr<PgSession>> m_idle;
    // Session advisory locks belong to this connection: they go when it closes or the process dies.
    std::unique_ptr<PgSession> m_locks;
    std::set<std::pair<int, uint32_t>> m_held;
};

PgTxn::PgTxn(PgStore& store, std::unique_ptr<PgSession> session, bool write)
    : m_store(store), m_session(std::move(session)), m_write(write)
{
    // A snapshot is taken by the first statement: take it now, as a transaction begun elsewhere
    // sees the data as it was when it began.
    m_session->Exec(write ? std::string("BEGIN; ") + kWriterLock
                          : "BEGIN ISOLATION LEVEL REPEATABLE READ READ ONLY; SELECT 1",
                    "beginning a transaction");
}

PgTxn::~PgTxn()
{
    m_cursors.clear();
    if (m_open) {
        PgResult r(PQexec(m_session->Conn(), "ROLLBACK"), &PQclear);
        if (!r || PQresultStatus(r.get()) != PGRES_COMMAND_OK) return;  // the session is dropped
    }
    m_store.GiveBack(std::move(m_session));
}

std::optional<Bytes> PgTxn::Get(Table t, Bytes key)
{
    PgInt4 table(t);
    PgResult r = Session().Run("get", {table.param(), {key}}, "reading");
    if (PQntuples(r.get()) == 0) return std::nullopt;
    std::string& v = m_values[m_nextValue++ % m_values.size()];
    v.assign(PQgetvalue(r.get(), 0, 0), size_t(PQgetlength(r.get(), 0, 0)));
    return Bytes(v);
}

void PgTxn::Put(Table t, Bytes key, Bytes value)
{
    m_pending.push_back({t, std::string(key), std::string(value)});
    ++m_writes;
    if (m_pending.size() >= kPutsPerTrip) flush();
}

void PgTxn::flush()
{
    std::vector<PgInt4> tables;
    std::vector<std::vector<PgSession::Param>> rows;
    tables.reserve(m_pending.size());
    for (const Pending& p : m_pending) {
        tables.emplace_back(p.table);
        rows.push_back({tables.back().param(), {p.key}, {p.value}});
    }
    m_session->RunEach("put", rows, "writing");
    m_pending.clear();
}

bool PgTxn::Del(Table t, Bytes key)
{
    PgInt4 table(t);
    PgResult r = Session().Run("del", {table.param(), {key}}, "deleting");
    ++m_writes;
    return std::string(PQcmdTuples(r.get())) != "0";
}

void PgTxn::Clear(Table t)
{
    std::erase_if(m_cursors, [t](const auto& c) { return c.first == t; });
    PgInt4 table(t);
    Session().Run("clear", {table.param()}, "emptying a file");
    ++m_writes;
}

void PgTxn::Drop(Table t)
{
    Clear(t);
    PgInt4 table(t);
    Session().Run("drop_table", {table.param()}, "deleting a file");
}

std::unique_ptr<Cursor> PgTxn::OpenCursor(Table t) { return std::make_unique<PgCursor>(*this, t); }

Cursor& PgTxn::TableCursor(Table t)
{
    for (auto& [table, cursor] : m_cursors)
        if (table == t) return *cursor;
    m_cursors.emplace_back(t, std::make_unique<PgCursor>(*this, t));
    return *m_cursors.back().second;
}

uint64_t PgTxn::Count(Table t)
{
    PgInt4 table(t);
    PgResult r = Session().Run("count", {table.param()}, "counting");
    return PgIntValue(r.get(), 0, 0);
}

std::optional<Table> PgTxn::OpenTable(const std::string& name, bool create)
{
    PgResult r = Session().Run("find_table", {{name}}, "opening a file");
    if (PQntuples(r.get()) == 0) {
        if (!create || !m_write) return std::nullopt;
        r = Session().Run("make_table", {{name}}, "making a file");
    }
    return Table(PgIntValue(r.get(), 0, 0));
}

void PgTxn::Commit()
{
    m_cursors.clear();
    Session().Exec(m_write && m_writes ? m_store.CommitWithNotice() : std::string("COMMIT"),
                    "committing");
    m_open = false;
}

}  // namespace

std::unique_ptr<Store> OpenPgStore(const std::string& url, bool create, bool readOnly)
{
    return std::make_unique<PgStore>(url, create, readOnly);
}

}  // namespace kelo::store
