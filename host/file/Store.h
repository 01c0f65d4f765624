#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

// The storage backend behind the record-file library: ordered key/value tables inside
// transactions. LMDB is the embedded implementation; a server backend fits the same shape.
namespace kelo::store {

using Bytes = std::string_view;
using Table = uint32_t;

// A position in one table. Valid only inside the transaction that opened it; every move
// returns false when it falls off the end, leaving Key()/Value() undefined.
class Cursor {
public:
    virtual ~Cursor() = default;
    virtual bool Seek(Bytes key) = 0;  // first entry whose key is not below `key`
    virtual bool First() = 0;
    virtual bool Last() = 0;
    virtual bool Next() = 0;
    virtual bool Prev() = 0;
    virtual bool Valid() const = 0;  // false after a move that fell off the end
    virtual Bytes Key() const = 0;
    virtual Bytes Value() const = 0;
};

// One transaction. Reads see a snapshot; writes are visible to others after Commit.
// Errors of the backend throw kelo::FileError. Destroying an uncommitted transaction aborts it.
class Txn {
public:
    virtual ~Txn() = default;
    virtual bool ReadOnly() const = 0;
    // The value's bytes stay valid until the transaction ends or writes.
    virtual std::optional<Bytes> Get(Table t, Bytes key) = 0;
    virtual void Put(Table t, Bytes key, Bytes value) = 0;
    virtual bool Del(Table t, Bytes key) = 0;
    virtual void Clear(Table t) = 0;  // empties the table, keeps it
    virtual void Drop(Table t) = 0;   // removes the table
    virtual std::unique_ptr<Cursor> OpenCursor(Table t) = 0;
    // One cursor per table kept for the transaction's life, so walks resume without reopening.
    virtual Cursor& TableCursor(Table t) = 0;
    virtual uint64_t Count(Table t) = 0;
    // Opens (or, in a write transaction with create, makes) a named table; nullopt when missing.
    virtual std::optional<Table> OpenTable(const std::string& name, bool create) = 0;
    virtual void Commit() = 0;
};

class Store {
public:
    virtual ~Store() = default;
    virtual std::unique_ptr<Txn> Begin(bool write) = 0;
};

// Opens (or, with create, makes) the LMDB environment in `folder`. With readOnly, write
// transactions are refused and a folder the user cannot write to (a read-only mount, another
// user's files) still opens for reading. Throws kelo::FileError with what failed: not a company,
// permission, no space, a data file cut short or damaged, not enough address space.
std::unique_ptr<Store> OpenLmdbStore(const std::string& folder, bool create,
                                     bool readOnly = false);

}  // namespace kelo::store
