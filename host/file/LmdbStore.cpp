#include "host/file/Store.h"

#include <filesystem>
#include <vector>

#include <lmdb.h>

#include "host/file/FileError.h"

namespace kelo::store {
namespace {

void check(int rc, const char* what)
{
    if (rc != MDB_SUCCESS) throw FileError(std::string(what) + ": " + mdb_strerror(rc));
}

MDB_val val(Bytes b) { return MDB_val{b.size(), const_cast<char*>(b.data())}; }
Bytes bytes(const MDB_val& v) { return Bytes(static_cast<const char*>(v.mv_data), v.mv_size); }

class LmdbCursor final : public Cursor {
public:
    LmdbCursor(MDB_txn* txn, MDB_dbi dbi) { check(mdb_cursor_open(txn, dbi, &m_cursor), "cursor"); }
    ~LmdbCursor() override { mdb_cursor_close(m_cursor); }

    bool Seek(Bytes key) override
    {
        m_key = val(key);
        return move(MDB_SET_RANGE);
    }
    bool First() override { return move(MDB_FIRST); }
    bool Last() override { return move(MDB_LAST); }
    bool Next() override { return move(MDB_NEXT); }
    bool Prev() override { return move(MDB_PREV); }
    bool Valid() const override { return m_valid; }
    Bytes Key() const override { return bytes(m_key); }
    Bytes Value() const override { return bytes(m_value); }

private:
    bool move(MDB_cursor_op op)
    {
        const int rc = mdb_cursor_get(m_cursor, &m_key, &m_value, op);
        m_valid = rc == MDB_SUCCESS;
        if (rc == MDB_NOTFOUND) return false;
        check(rc, "cursor move");
        return true;
    }

    MDB_cursor* m_cursor = nullptr;
    MDB_val m_key{};
    MDB_val m_value{};
    bool m_valid = false;
};

class LmdbTxn final : public Txn {
public:
    LmdbTxn(MDB_env* env, bool write) : m_write(write)
    {
        check(mdb_txn_begin(env, nullptr, write ? 0 : MDB_RDONLY, &m_txn), "begin transaction");
    }
    ~LmdbTxn() override
    {
        m_cursors.clear();
        if (m_txn) mdb_txn_abort(m_txn);
    }

    bool ReadOnly() const override { return !m_write; }

    std::optional<Bytes> Get(Table t, Bytes key) override
    {
        MDB_val k = val(key), v;
        const int rc = mdb_get(m_txn, t, &k, &v);
        if (rc == MDB_NOTFOUND) return std::nullopt;
        check(rc, "read");
        return bytes(v);
    }
    void Put(Table t, Bytes key, Bytes value) override
    {
        MDB_val k = val(key), v = val(value);
        check(mdb_put(m_txn, t, &k, &v, 0), "write");
    }
    bool Del(Table t, Bytes key) override
    {
        MDB_val k = val(key);
        const int rc = mdb_del(m_txn, t, &k, nullptr);
        if (rc == MDB_NOTFOUND) return false;
        check(rc, "delete");
        return true;
    }
    void Clear(Table t) override
    {
        forgetCursor(t);
        check(mdb_drop(m_txn, t, 0), "empty file");
    }
    void Drop(Table t) override
    {
        forgetCursor(t);
        check(mdb_drop(m_txn, t, 1), "delete file");
    }
    std::unique_ptr<Cursor> OpenCursor(Table t) override
    {
        return std::make_unique<LmdbCursor>(m_txn, t);
    }
    Cursor& TableCursor(Table t) override
    {
        for (auto& [table, cursor] : m_cursors)
            if (table == t) return *cursor;
        m_cursors.emplace_back(t, std::make_unique<LmdbCursor>(m_txn, t));
        return *m_cursors.back().second;
    }
    uint64_t Count(Table t) override
    {
        MDB_stat st;
        check(mdb_stat(m_txn, t, &st), "count");
        return st.ms_entries;
    }
    std::optional<Table> OpenTable(const std::string& name, bool create) override
    {
        MDB_dbi dbi;
        const int rc = mdb_dbi_open(m_txn, name.c_str(), create && m_write ? MDB_CREATE : 0, &dbi);
        if (rc == MDB_NOTFOUND) return std::nullopt;
        check(rc, "open file");
        return dbi;
    }
    void Commit() override
    {
        m_cursors.clear();  // a write transaction frees its cursors at commit
        MDB_txn* txn = m_txn;
        m_txn = nullptr;
        check(mdb_txn_commit(txn), "commit");
    }

private:
    void forgetCursor(Table t)
    {
        std::erase_if(m_cursors, [t](const auto& c) { return c.first == t; });
    }

    MDB_txn* m_txn = nullptr;
    bool m_write;
    std::vector<std::pair<Table, std::unique_ptr<LmdbCursor>>> m_cursors;
};

class LmdbStore final : public Store {
public:
    LmdbStore(const std::string& folder, bool create)
    {
        namespace fs = std::filesystem;
        if (!create && !fs::exists(fs::path(folder) / "data.mdb"))
            throw FileError(folder + " is not a company folder (no data.mdb)");
        if (create) fs::create_directories(folder);
        check(mdb_env_create(&m_env), "create environment");
        mdb_env_set_maxdbs(m_env, 256);
        // Address space only; the file grows with the data.
        mdb_env_set_mapsize(m_env, size_t(64) << 30);
        // NOTLS: a fill keeps a read transaction open across yields while the same thread writes.
        const int rc = mdb_env_open(m_env, folder.c_str(), MDB_NOTLS, 0644);
        if (rc != MDB_SUCCESS) {
            mdb_env_close(m_env);
            m_env = nullptr;
            throw FileError("cannot open company " + folder + ": " + mdb_strerror(rc));
        }
    }
    ~LmdbStore() override
    {
        if (m_env) mdb_env_close(m_env);
    }
    std::unique_ptr<Txn> Begin(bool write) override
    {
        return std::make_unique<LmdbTxn>(m_env, write);
    }

private:
    MDB_env* m_env = nullptr;
};

}  // namespace

std::unique_ptr<Store> OpenLmdbStore(const std::string& folder, bool create)
{
    return std::make_unique<LmdbStore>(folder, create);
}

}  // namespace kelo::store
