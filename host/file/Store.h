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
    // A seek to `key` is likely to come next: a backend may start bringing it in.
    virtual void Expect(Bytes /*key*/) {}
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
    // Put for a record that names the record a walk reads after it (`next`, 0 for none): in
    // this table when `chains`, else the first of a chain in another. A backend that cannot look
    // inside the stored bytes keeps it to read such walks ahead.
    virtual void PutLinked(Table t, Bytes key, Bytes value, uint32_t /*next*/, bool /*chains*/)
    {
        Put(t, key, value);
    }
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

// Notices of commits made through other opens of the company, for windows that refill when
// another desk writes.
class ChangeFeed {
public:
    virtual ~ChangeFeed() = default;
    // Becomes readable when notices may have come.
    virtual int Socket() const = 0;
    // Takes what came; true when any of it is another process's commit.
    virtual bool TakeOthers() = 0;
};

class Store {
public:
    virtual ~Store() = default;
    virtual std::unique_ptr<Txn> Begin(bool write) = 0;
    // Record locks between every open of the company, in this process or another: held by this
    // open until unlocked or until the process ends. False when another open holds it.
    virtual bool Lock(int fileNumber, uint32_t recordNumber) = 0;
    virtual void Unlock(int fileNumber, uint32_t recordNumber) = 0;
    // Called after each committed write, to tell the other opens.
    virtual void Committed() = 0;
    // A feed of other processes' commits; nullptr when the company's change stamp file tells.
    virtual std::unique_ptr<ChangeFeed> OpenChangeFeed() { return nullptr; }
};

// Opens (or, with create, makes) the LMDB environment in `folder`. With readOnly, write
// transactions are refused and a folder the user cannot write to (a read-only mount, another
// user's files) still opens for reading. Throws kelo::FileError with what failed: not a company,
// permission, no space, a data file cut short or damaged, not enough address space.
std::unique_ptr<Store> OpenLmdbStore(const std::string& folder, bool create,
                                     bool readOnly = false);

// Opens (or, with create, makes) the company kept in a PostgreSQL database named by a
// `postgresql://` URL. Throws kelo::FileError with what failed: the server cannot be reached,
// the role or database is refused, the database holds no company.
std::unique_ptr<Store> OpenPgStore(const std::string& url, bool create, bool readOnly = false);

// The server URL a company argument names: the argument itself when it is a postgresql:// URL,
// the first line of its server.url file when it is a folder holding one; empty for an LMDB folder.
std::string ServerUrl(const std::string& company);
// The URL without its password, for messages.
std::string ShownUrl(const std::string& url);

// The company's store: on the server ServerUrl names, else LMDB in the folder.
std::unique_ptr<Store> OpenStore(const std::string& company, bool create, bool readOnly = false);

}  // namespace kelo::store
