#include <algorithm>
#include <array>
#include <deque>
#include <map>
#include <memory>
#include <set>
#include <unordered_map>
#include <utility>
#include <vector>

#include <unistd.h>

#include "host/file/FileError.h"
#include "host/file/PgSession.h"
#include "host/file/RecordCodec.h"
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
// A walk that follows chains asks for this many chains at once at first, then twice as many,
// each followed this far, until it has read this many rows that way: its first rows come at once.
// Then it reads in ranges, as a walk over a file without links does: on the server a chain costs
// several times as much per row as a range (measured in bench/server), and a fill that follows
// every account's chain ends up reading most of the file.
constexpr uint32_t kFirstChains = 8;
constexpr uint32_t kChainDepth = 512;
constexpr uint32_t kFollowedRows = 1024;
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
class PgCursor;

class PgTxn final : public Txn {
public:
    PgTxn(PgStore& store, std::unique_ptr<PgSession> session, bool write);
    ~PgTxn() override;

    bool ReadOnly() const override { return !m_write; }
    std::optional<Bytes> Get(Table t, Bytes key) override;
    void Put(Table t, Bytes key, Bytes value) override;
    void PutLinked(Table t, Bytes key, Bytes value, uint32_t next, bool chains) override;
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
    // Whether a miss in the table may be answered by following its chains.
    bool MayFollow(Table t) const;
    // What a chain read showed: the table's rows chain within it, or name chains elsewhere.
    void Learned(Table t, bool chains, bool elsewhere);
    // Whether ranges of the table are read with their links (rows naming chains elsewhere).
    const char* Ranges(Table t) const;
    // The chains another walk of this transaction is likely to read after the one from `head`:
    // appended to `out` as 4-byte keys, at most `most` of them.
    void MoreHeads(Table t, uint32_t head, uint32_t most, std::string& out) const;

private:
    void flush();

    PgStore& m_store;
    std::unique_ptr<PgSession> m_session;
    // Records put but not yet sent: sent together in one round trip before anything else.
    struct Pending {
        Table table;
        std::string key, value;
        std::optional<int32_t> link;
    };
    std::vector<Pending> m_pending;
    bool m_write;
    bool m_open = true;
    uint64_t m_writes = 0;
    // Values handed out by Get stay valid until the transaction writes; a few are kept.
    std::array<std::string, 8> m_values;
    size_t m_nextValue = 0;
    std::vector<std::pair<Table, std::unique_ptr<PgCursor>>> m_cursors;
};

// A walk over one table that fetches rows in batches, so a fill pays one round trip per batch.
// Batches are kept for the transaction (up to a budget) and seeks within one are answered from
// memory. In a file whose records name the next one a walk reads, a seek that misses asks the
// server for the chains from there instead (with the chains another walk is about to start), so
// a fill that follows an account's headers reads a batch of accounts' headers at a time. A write
// drops every batch.
class PgCursor final : public Cursor {
public:
    PgCursor(PgTxn& txn, Table t) : m_txn(txn), m_table(t) {}

    bool Seek(Bytes key) override
    {
        if (!fresh()) forget();
        if (key.size() == 4) {
            const uint32_t n = be32(key);
            if (const Where* w = where(n); w && w->pos) return land(w->chunk, w->pos - 1);
        }
        if (key.size() == 4 && !m_points.empty()) {
            if (const auto p = m_points.find(be32(key)); p != m_points.end()) {
                m_pointMisses = 0;
                return landPoint(p->second);
            }
            // Each row a chain read brought is read once, early in a walk: once the walk has
            // long gone past them, they go, and with them a lookup on every seek.
            if (m_followed >= kFollowedRows && ++m_pointMisses > kFollowedRows && !m_point) dropPoints();
        }
        const auto after = m_chunks.upper_bound(key);
        const auto it = after == m_chunks.begin() ? m_chunks.end() : std::prev(after);
        if (it != m_chunks.end() && (key <= Bytes(it->second.rows.back().key) || it->second.endAfter))
            return within(it, key);
        if (key.size() == 4 && m_followed < kFollowedRows && m_txn.MayFollow(m_table) && follow(key))
            return true;
        // Misses follow one another when a walk jumps about: read further ahead each time.
        const uint32_t limit = m_seekBatch;
        m_seekBatch = std::min(kMostBatch, m_seekBatch * 8);
        // A record number a little past a batch read before: read on from that batch's end, so
        // batches meet instead of leaving slivers between them that each cost a trip.
        if (it != m_chunks.end() && key.size() == 4 && it->first.size() == 4) {
            const Bytes last = it->second.rows.back().key;
            if (last.size() == 4 && be32(key) - be32(last) <= limit / 2) {
                land(it, it->second.rows.size() - 1);
                if (!fetch(std::string(last), false, limit, false)) return false;
                const Chunk& c = m_cur->second;
                if (key <= Bytes(c.rows.back().key) || c.endAfter) return within(m_cur, key);
            }
        }
        return fetch(key, true, limit, false);
    }
    bool First() override
    {
        if (!fresh()) forget();
        if (!m_chunks.empty() && m_chunks.begin()->second.endBefore) return land(m_chunks.begin(), 0);
        return fetch(Bytes(), true, kFirstBatch, true);
    }
    bool Last() override { return fetchBack(nullptr, kFirstBatch, true); }
    bool Next() override
    {
        if (!m_valid) return false;
        if (m_point) {
            // A row a chain read brought has no known neighbours: the table from there.
            const std::string from(m_point->key);
            if (!fresh()) forget();
            m_valid = false;
            m_point = nullptr;
            return Seek(from + '\0');  // the first key above `from`
        }
        if (!fresh()) return fetch(reposition(), false, grow(), false);
        Chunk& c = m_cur->second;
        if (m_pos + 1 < c.rows.size()) return land(m_cur, m_pos + 1);
        if (c.endAfter) return invalid();
        if (auto f = c.follows.empty() ? m_chunks.end() : m_chunks.find(c.follows); f != m_chunks.end())
            return land(f, 0);
        return fetch(std::string(c.rows.back().key), false, grow(), false);
    }
    bool Prev() override
    {
        if (!m_valid) return false;
        if (m_point || !fresh()) {
            const std::string from = m_point ? std::string(m_point->key) : reposition();
            m_valid = false;
            m_point = nullptr;
            return fetchBack(&from, grow(), false);
        }
        const Chunk& c = m_cur->second;
        if (m_pos > 0) return land(m_cur, m_pos - 1);
        if (c.endBefore) return invalid();
        const std::string from(c.rows.front().key);
        return fetchBack(&from, grow(), false);
    }
    bool Valid() const override { return m_valid; }
    Bytes Key() const override { return m_point ? m_point->key : m_cur->second.rows[m_pos].key; }
    Bytes Value() const override { return m_point ? m_point->value : m_cur->second.rows[m_pos].value; }
    // A chain walk names the record it reads next: when a batch holds it, its bytes are fetched
    // from memory while the walk still works on the record before.
    void Expect(Bytes key) override
    {
        if (key.size() != 4 || !fresh()) return;
        const Where* w = where(be32(key));
        if (!w || !w->pos) return;
        __builtin_prefetch(w->chunk->second.rows.data() + (w->pos - 1));
        __builtin_prefetch(w->value);
        __builtin_prefetch(w->value + 64);
    }

    // Whether this walk stands on a row naming the first of a chain in another table.
    bool Names(uint32_t head) const { return onChunk() && fresh() && row().link == -int64_t(head); }
    // The chains the rows after this one name, in order: at most `most`, as 4-byte keys.
    void HeadsAfter(uint32_t most, std::string& out) const
    {
        const auto& rows = m_cur->second.rows;
        for (size_t i = m_pos + 1; i < rows.size() && most > 0; ++i)
            if (rows[i].link.value_or(0) < 0) {
                out.append(PgInt4(uint32_t(-*rows[i].link)).b, 4);
                --most;
            }
    }
    // When this walk is over an index of `named`'s table standing on `record`'s entry: the chains
    // of the records its next entries point at, as far as `named` has read them. False when not.
    bool HeadsByIndex(Bytes record, const PgCursor& named, uint32_t most, std::string& out) const
    {
        if (!onChunk() || !fresh() || row().key.size() <= 4 || !row().key.ends_with(record))
            return false;
        const auto& rows = m_cur->second.rows;
        for (size_t i = m_pos + 1; i < rows.size() && most > 0; ++i) {
            const Bytes k = rows[i].key;
            if (k.size() <= 4) continue;
            const std::optional<int32_t> link = named.LinkOf(k.substr(k.size() - 4));
            if (link.value_or(0) < 0) {
                out.append(PgInt4(uint32_t(-*link)).b, 4);
                --most;
            }
        }
        return true;
    }

private:
    // A row as the result that brought it holds it: a fill reads most rows once, so copying each
    // cost more than the reading of it.
    struct Row {
        Bytes key, value;
        std::optional<int32_t> link;  // as the link column holds it
    };
    // What keeping a row costs beside its bytes: the row, and the result's own entries for it.
    static constexpr size_t kRowCost = sizeof(Row) + 3 * 16 + 8;
    // Rows that follow one another in the table, with what is known of its ends.
    struct Chunk {
        PgResult result{nullptr, &PQclear};  // holds the rows' bytes
        std::vector<Row> rows;
        bool endAfter = false;   // nothing follows the last row
        bool endBefore = false;  // nothing precedes the first
        std::string follows;     // the first key of the batch that comes right after, if known
        size_t bytes = 0;
    };
    using Chunks = std::map<std::string, Chunk, std::less<>>;
    // Where a record a batch brought sits (pos counts from 1; 0 for none): a seek to it skips the
    // searches through the batches and their rows, which on a walk along chains cost more than
    // all else the walk does.
    struct Where {
        Chunks::iterator chunk;
        const char* value = nullptr;  // the row's stored bytes, fetched early by Expect
        uint32_t pos = 0;
    };
    // Rows a chain read brought, by record number, dropped a whole read at a time, oldest first.
    struct Point {
        Row row;
        uint64_t read;
    };
    struct PointRead {
        uint64_t read;
        std::vector<uint32_t> numbers;
        size_t bytes;
        PgResult result;  // holds the rows' bytes
    };
    // Read-ahead kept per walk; past it batches are dropped and read again when needed. The scale
    // company's headers (a million rows, with what a row costs to keep) fit, so a fill that walks
    // every account's chain reads each once: with 256 MB it read a fifth of the rows twice.
    static constexpr size_t kBudget = size_t(384) << 20;
    static constexpr size_t kPointBudget = size_t(64) << 20;

    bool fresh() const { return m_seen == m_txn.Writes(); }
    static uint32_t be32(Bytes k) { return codec::NumberAt(k.data()); }
    static Row rowOf(const PGresult* r, int i)
    {
        Row row{Bytes(PQgetvalue(r, i, 0), size_t(PQgetlength(r, i, 0))),
                Bytes(PQgetvalue(r, i, 1), size_t(PQgetlength(r, i, 1))), std::nullopt};
        if (!PQgetisnull(r, i, 2)) row.link = int32_t(uint32_t(PgIntValue(r, i, 2)));
        return row;
    }
    // The first row not below `key` in a batch that covers it.
    bool within(Chunks::iterator it, Bytes key)
    {
        const auto& rows = it->second.rows;
        auto row = std::lower_bound(rows.begin(), rows.end(), key,
                                    [](const Row& r, Bytes k) { return Bytes(r.key) < k; });
        if (row == rows.end()) return invalid();
        return land(it, size_t(row - rows.begin()));
    }
    uint32_t grow()
    {
        m_batch = std::min(kMostBatch, std::max(kFirstBatch, m_batch * 2));
        return m_batch;
    }
    bool invalid()
    {
        m_valid = false;
        m_point = nullptr;
        return false;
    }
    bool land(Chunks::iterator it, size_t pos)
    {
        m_cur = it;
        m_pos = pos;
        m_valid = true;
        m_point = nullptr;
        return true;
    }
    bool landPoint(const Point& p)
    {
        m_cur = m_chunks.end();
        m_point = &p.row;
        m_pointRead = p.read;
        m_valid = true;
        return true;
    }
    bool onChunk() const { return m_valid && !m_point; }
    const Row& row() const { return m_cur->second.rows[m_pos]; }
    // The link of a row this walk has read, if it has.
    std::optional<int32_t> LinkOf(Bytes key) const
    {
        const auto after = m_chunks.upper_bound(key);
        if (after == m_chunks.begin()) return std::nullopt;
        const auto& rows = std::prev(after)->second.rows;
        const auto r = std::lower_bound(rows.begin(), rows.end(), key,
                                        [](const Row& a, Bytes k) { return Bytes(a.key) < k; });
        return r != rows.end() && r->key == key ? r->link : std::nullopt;
    }
    // After a write: the current key, with every batch dropped.
    std::string reposition()
    {
        std::string key(Key());
        forget();
        return key;
    }
    void dropPoints()
    {
        m_points.clear();
        m_pointReads.clear();
        m_pointBytes = 0;
        m_pointMisses = 0;
    }
    void forget()
    {
        m_chunks.clear();
        for (auto& page : m_where) page.reset();
        dropPoints();
        m_bytes = 0;
        m_valid = false;
        m_point = nullptr;
        m_seekBatch = kFirstBatch;
        m_chains = kFirstChains;
        m_followed = 0;
        m_seen = m_txn.Writes();
    }
    // Reads the chains from `key` (and those another walk will read next) into memory.
    bool follow(Bytes key)
    {
        std::string heads(key);
        m_txn.MoreHeads(m_table, be32(key), m_chains - 1, heads);
        PgInt4 t(m_table), depth(kChainDepth);
        PgResult r = m_txn.Session().Run("chain", {t.param(), {heads}, depth.param()}, "reading");
        const int n = PQntuples(r.get());
        if (n == 0) return false;
        m_chains *= 2;
        m_followed += uint32_t(n);
        PointRead read{m_reads++, {}, 0, PgResult(nullptr, &PQclear)};
        // A table is followed while its rows chain within it; one whose links lead elsewhere
        // (or that has none) is read in ranges.
        bool chains = false, elsewhere = false;
        for (int i = 0; i < n; ++i) {
            Row row = rowOf(r.get(), i);
            chains = chains || (row.link && *row.link >= 0);
            elsewhere = elsewhere || (row.link && *row.link < 0);
            if (row.key.size() != 4) continue;
            const uint32_t number = be32(row.key);
            read.bytes += row.key.size() + row.value.size() + kRowCost + 32;  // and its map entry
            read.numbers.push_back(number);
            m_points.insert_or_assign(number, Point{std::move(row), read.read});
        }
        m_txn.Learned(m_table, chains && !elsewhere, elsewhere);
        m_pointBytes += read.bytes;
        read.result = std::move(r);
        m_pointReads.push_back(std::move(read));
        // Past the budget the oldest reads go, up to the one holding the row in use.
        while (m_pointBytes > kPointBudget && m_pointReads.size() > 1) {
            const PointRead& old = m_pointReads.front();
            if (m_point && m_pointRead == old.read) break;
            for (uint32_t number : old.numbers)
                if (const auto p = m_points.find(number); p != m_points.end() && p->second.read == old.read)
                    m_points.erase(p);
            m_pointBytes -= old.bytes;
            m_pointReads.pop_front();
        }
        const auto p = m_points.find(be32(key));
        return p != m_points.end() && landPoint(p->second);
    }
    bool keep(PgResult r, bool reverse, bool endAfter, bool endBefore, std::string follows)
    {
        const int n = PQntuples(r.get());
        if (n == 0) return invalid();
        Chunk c;
        c.rows.reserve(size_t(n));
        size_t bytes = 0;
        for (int i = 0; i < n; ++i) {
            c.rows.push_back(rowOf(r.get(), reverse ? n - 1 - i : i));
            bytes += c.rows.back().key.size() + c.rows.back().value.size() + kRowCost;
        }
        c.result = std::move(r);
        c.endAfter = endAfter;
        c.endBefore = endBefore;
        c.follows = std::move(follows);
        c.bytes = bytes;
        // Past the budget, batches other than the one in use go, the furthest back first.
        for (auto at = m_chunks.begin(); m_bytes + bytes > kBudget && at != m_chunks.end();) {
            if (onChunk() && at == m_cur) {
                ++at;
                continue;
            }
            m_bytes -= at->second.bytes;
            unplace(at);
            at = m_chunks.erase(at);
        }
        m_bytes += bytes;
        m_seen = m_txn.Writes();
        // A batch read earlier that lies wholly inside this one would shadow it in lookups.
        for (auto at = m_chunks.lower_bound(Bytes(c.rows.front().key));
             at != m_chunks.end() && at->second.rows.back().key <= c.rows.back().key &&
             !(at->second.endAfter && !c.endAfter);) {
            m_bytes -= at->second.bytes;
            unplace(at);
            at = m_chunks.erase(at);
        }
        if (const auto same = m_chunks.find(c.rows.front().key); same != m_chunks.end()) unplace(same);
        std::string first(c.rows.front().key);
        auto it = m_chunks.insert_or_assign(std::move(first), std::move(c)).first;
        place(it);
        return land(it, reverse ? it->second.rows.size() - 1 : 0);
    }
    void place(Chunks::iterator it)
    {
        const auto& rows = it->second.rows;
        for (size_t i = 0; i < rows.size(); ++i) {
            if (rows[i].key.size() != 4) continue;
            const uint32_t n = be32(rows[i].key);
            if (n >= kMostWhere) continue;  // found by searching, as before
            auto& page = m_where[n / kWherePage];
            if (!page) page = std::make_unique<Where[]>(kWherePage);
            page[n % kWherePage] = Where{it, rows[i].value.data(), uint32_t(i + 1)};
        }
    }
    void unplace(Chunks::iterator it)
    {
        for (const Row& row : it->second.rows)
            if (row.key.size() == 4) {
                const uint32_t n = be32(row.key);
                if (Where* w = where(n); w && w->pos && w->chunk == it) w->pos = 0;
            }
    }
    // Reads ahead from `from`, stopping where a batch read before begins, so no row is read
    // twice and batches that meet are walked across without asking again.
    bool fetch(Bytes from, bool inclusive, uint32_t limit, bool fromStart)
    {
        if (fromStart) m_batch = limit;
        Chunk* before = onChunk() && !inclusive ? &m_cur->second : nullptr;
        const auto next = m_chunks.upper_bound(from);
        const std::string bound = next != m_chunks.end() ? next->first : std::string();
        PgInt4 t(m_table), n(limit);
        PgSession& session = m_txn.Session();
        const std::string statement = std::string(inclusive ? "from_ge" : "from_gt") +
                                      (bound.empty() ? "" : "_below") + m_txn.Ranges(m_table);
        PgResult r = bound.empty()
            ? session.Run(statement.c_str(), {t.param(), {from}, n.param()}, "reading")
            : session.Run(statement.c_str(), {t.param(), {from}, {bound}, n.param()}, "reading");
        const uint32_t rows = uint32_t(PQntuples(r.get()));
        const bool short_ = rows < limit;
        if (rows == 0) {
            if (bound.empty()) {
                if (before) before->endAfter = true;
                return invalid();
            }
            if (before) before->follows = bound;
            return land(next, 0);
        }
        if (before) before->follows = std::string(PQgetvalue(r.get(), 0, 0), size_t(PQgetlength(r.get(), 0, 0)));
        return keep(std::move(r), false, short_ && bound.empty(), fromStart, short_ ? bound : std::string());
    }
    bool fetchBack(const std::string* before, uint32_t limit, bool fromEnd)
    {
        if (!fresh()) forget();
        if (fromEnd) m_batch = limit;
        PgInt4 t(m_table), n(limit);
        const std::string statement = std::string(before ? "back_lt" : "back_all") + m_txn.Ranges(m_table);
        PgResult r = before ? m_txn.Session().Run(statement.c_str(), {t.param(), {*before}, n.param()}, "reading")
                            : m_txn.Session().Run(statement.c_str(), {t.param(), n.param()}, "reading");
        const bool all = uint32_t(PQntuples(r.get())) < limit;
        return keep(std::move(r), true, fromEnd, all, std::string());
    }

    PgTxn& m_txn;
    Table m_table;
    Chunks m_chunks;  // by first key
    // By record number below kMostWhere, in pages made as batches reach them, so a walk's first
    // batch does not wait for room for the whole file.
    static constexpr uint32_t kMostWhere = uint32_t(1) << 22;
    static constexpr uint32_t kWherePage = uint32_t(1) << 14;
    std::array<std::unique_ptr<Where[]>, kMostWhere / kWherePage> m_where;
    Where* where(uint32_t n) const
    {
        return n < kMostWhere && m_where[n / kWherePage] ? &m_where[n / kWherePage][n % kWherePage] : nullptr;
    }
    Chunks::iterator m_cur;
    size_t m_pos = 0;
    bool m_valid = false;
    const Row* m_point = nullptr;  // the row stood on when it came from a chain read
    uint64_t m_pointRead = 0;      // and the read that brought it
    std::unordered_map<uint32_t, Point> m_points;
    std::deque<PointRead> m_pointReads;
    uint64_t m_reads = 0;
    size_t m_pointBytes = 0;
    size_t m_bytes = 0;
    uint32_t m_batch = kFirstBatch;
    uint32_t m_seekBatch = kFirstBatch;
    uint32_t m_chains = kFirstChains;
    uint32_t m_followed = 0;  // rows read by following chains
    uint32_t m_pointMisses = 0;  // seeks since one was answered by a chain read's row
    uint64_t m_seen = 0;
};

class PgFeed final : public ChangeFeed {
public:
    PgFeed(const std::string& url, const std::string& shown)
        : m_session(url, shown), m_self(writerIdentity())
    {
        m_session.Exec(std::string("LISTEN ") + kChannel, "listening for changes");
    }
    // -1 once the connection is lost (libpq closes it when it sees the end).
    int Socket() const override { return PQsocket(m_session.Conn()); }
    bool TakeOthers() override
    {
        bool others = false;
        if (!PQconsumeInput(m_session.Conn())) return false;
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
    // What the tables' rows showed of their links: tables whose rows name none are read in
    // ranges only. Unknown until a chain read or a write tells.
    std::optional<bool> Linked(Table t) const
    {
        const auto it = m_linked.find(t);
        return it == m_linked.end() ? std::nullopt : std::optional<bool>(it->second);
    }
    void SetLinked(Table t, bool linked) { m_linked[t] = linked; }
    bool LinksElsewhere(Table t) const { return m_elsewhere.count(t) != 0; }
    void SetLinksElsewhere(Table t) { m_elsewhere.insert(t); }
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
    std::map<Table, bool> m_linked;
    std::set<Table> m_elsewhere;
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
    m_pending.push_back({t, std::string(key), std::string(value), std::nullopt});
    ++m_writes;
    if (m_pending.size() >= kPutsPerTrip) flush();
}

void PgTxn::PutLinked(Table t, Bytes key, Bytes value, uint32_t next, bool chains)
{
    if (!m_session->KeepsLinks()) return Put(t, key, value);
    m_pending.push_back({t, std::string(key), std::string(value), chains ? int64_t(next) : -int64_t(next)});
    ++m_writes;
    m_store.SetLinked(t, chains);
    if (!chains) m_store.SetLinksElsewhere(t);
    if (m_pending.size() >= kPutsPerTrip) flush();
}

bool PgTxn::MayFollow(Table t) const
{
    return m_session->KeepsLinks() && m_store.Linked(t).value_or(true);
}

const char* PgTxn::Ranges(Table t) const { return m_store.LinksElsewhere(t) ? "" : "_bare"; }

void PgTxn::Learned(Table t, bool chains, bool elsewhere)
{
    m_store.SetLinked(t, chains);
    if (elsewhere) m_store.SetLinksElsewhere(t);
}

void PgTxn::MoreHeads(Table t, uint32_t head, uint32_t most, std::string& out) const
{
    // The walk standing on the record that names this chain; the next chains are those of the
    // records after it in the order of the index walked over them, else in its own order.
    const PgCursor* named = nullptr;
    for (const auto& [table, cursor] : m_cursors)
        if (table != t && cursor->Names(head)) named = cursor.get();
    if (!named) return;
    for (const auto& [table, cursor] : m_cursors)
        if (table != t && cursor.get() != named && cursor->HeadsByIndex(named->Key(), *named, most, out))
            return;
    named->HeadsAfter(most, out);
}

void PgTxn::flush()
{
    std::vector<PgInt4> tables, links;
    std::vector<std::vector<PgSession::Param>> rows;
    tables.reserve(m_pending.size());
    links.reserve(m_pending.size());
    for (const Pending& p : m_pending) {
        tables.emplace_back(p.table);
        links.emplace_back(uint32_t(p.link.value_or(0)));
        PgSession::Param link = links.back().param();
        link.null = !p.link;
        rows.push_back({tables.back().param(), {p.key}, {p.value}, link});
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
