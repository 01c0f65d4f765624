#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include <lmdb.h>

namespace kelo::bench {

// The company's data.mdb opened read-only with lmdb itself, beside the record-file library, so
// the benchmarks can set a walk through the library against the plainest walk of the same data.
// Files are found as the library stores them: the named database "catalog" maps a file's
// upper-case path to a 4-byte little-endian record length and the internal database name.
class BareLmdb {
public:
    explicit BareLmdb(const std::string& folder);
    ~BareLmdb();
    BareLmdb(const BareLmdb&) = delete;
    BareLmdb& operator=(const BareLmdb&) = delete;

    // The database of file `number` of the file map.
    MDB_dbi Table(int number);
    MDB_txn* Begin();
    static void End(MDB_txn* txn);

    // Data records are keyed by the big-endian record number.
    static MDB_val RecordKey(uint32_t recno, unsigned char (&buffer)[4]);
    // The record number a data key holds.
    static uint32_t KeyRecord(const MDB_val& key)
    {
        const auto* b = static_cast<const unsigned char*>(key.mv_data);
        return uint32_t(b[0]) << 24 | uint32_t(b[1]) << 16 | uint32_t(b[2]) << 8 | b[3];
    }
    // The record number an index entry points at (its value, little-endian).
    static uint32_t IndexRecord(const MDB_val& value);
    // A stored value's bytes, for codec::Decode (records are stored compressed and checksummed).
    static std::string_view View(const MDB_val& v)
    {
        return std::string_view(static_cast<const char*>(v.mv_data), v.mv_size);
    }

private:
    MDB_env* m_env = nullptr;
    MDB_dbi m_catalog = 0;
};

}  // namespace kelo::bench
