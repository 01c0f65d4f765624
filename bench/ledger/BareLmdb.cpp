#include "BareLmdb.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <stdexcept>

#include "host/data/FileMap.h"

namespace kelo::bench {
namespace {

void check(int rc, const char* what)
{
    if (rc != MDB_SUCCESS) throw std::runtime_error(std::string(what) + ": " + mdb_strerror(rc));
}

}  // namespace

BareLmdb::BareLmdb(const std::string& folder)
{
    check(mdb_env_create(&m_env), "mdb_env_create");
    // No lock file use: the record-file library has the same environment open in this process,
    // and a second set of locks on it would be released under the library when this one closes.
    mdb_env_set_maxdbs(m_env, 256);
    mdb_env_set_mapsize(m_env, size_t(64) << 30);
    check(mdb_env_open(m_env, folder.c_str(), MDB_RDONLY | MDB_NOLOCK | MDB_NOTLS, 0644), "mdb_env_open");
    MDB_txn* txn = Begin();
    check(mdb_dbi_open(txn, "catalog", 0, &m_catalog), "catalog");
    // Committed, not aborted: a handle opened in an aborted transaction is closed with it.
    check(mdb_txn_commit(txn), "commit");
}

BareLmdb::~BareLmdb() { mdb_env_close(m_env); }

MDB_txn* BareLmdb::Begin()
{
    MDB_txn* txn = nullptr;
    check(mdb_txn_begin(m_env, nullptr, MDB_RDONLY, &txn), "mdb_txn_begin");
    return txn;
}

void BareLmdb::End(MDB_txn* txn) { mdb_txn_abort(txn); }

MDB_dbi BareLmdb::Table(int number)
{
    const FileInfo* info = FindFile(number);
    if (!info) throw std::runtime_error("no file " + std::to_string(number));
    std::string key = info->path;
    std::transform(key.begin(), key.end(), key.begin(),
                   [](unsigned char c) { return char(std::toupper(c)); });
    MDB_txn* txn = Begin();
    MDB_val k{key.size(), key.data()};
    MDB_val v;
    check(mdb_get(txn, m_catalog, &k, &v), key.c_str());
    if (v.mv_size <= 4) throw std::runtime_error("catalog entry of " + key + " too short");
    const std::string name(static_cast<const char*>(v.mv_data) + 4, v.mv_size - 4);
    MDB_dbi dbi = 0;
    check(mdb_dbi_open(txn, name.c_str(), 0, &dbi), name.c_str());
    check(mdb_txn_commit(txn), "commit");
    return dbi;
}

MDB_val BareLmdb::RecordKey(uint32_t recno, unsigned char (&b)[4])
{
    b[0] = static_cast<unsigned char>(recno >> 24);
    b[1] = static_cast<unsigned char>(recno >> 16);
    b[2] = static_cast<unsigned char>(recno >> 8);
    b[3] = static_cast<unsigned char>(recno);
    return MDB_val{4, b};
}

uint32_t BareLmdb::IndexRecord(const MDB_val& value)
{
    uint32_t recno = 0;
    if (value.mv_size >= 4) std::memcpy(&recno, value.mv_data, 4);
    return recno;
}

}  // namespace kelo::bench
