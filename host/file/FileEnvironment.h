#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>
#include <unordered_map>
#include <vector>

#include "host/file/Store.h"

namespace kelo {

// One open company: its store, its catalog of files and the stack of open transactions.
// UI thread only. Calls made inside a data-resource bracket use the bracket's transaction;
// calls made outside any bracket run in a short transaction of their own.
class FileEnvironment final {
public:
    struct TableInfo {
        store::Table table;
        uint32_t recordLength;
    };

    // The catalog entry holding the store format (codec::kStoreFormat) as 32 bits.
    static constexpr std::string_view kFormatKey{"\x01store-format"};
    // The format a company's catalog records: 1 for companies from before formats were
    // recorded, 0 for a catalog with nothing in it yet.
    static uint32_t StoreFormat(store::Txn& txn, store::Table catalog);
    // What to tell the user about a company in another format, and what to do.
    static std::string FormatMessage(const std::string& folder, uint32_t format);

    // Opens the company in `folder`; with create, makes the folder and its catalog when missing.
    // Throws FileError when the folder is not a company.
    // With readOnly, writes are refused and the company opens where the user cannot write.
    static std::shared_ptr<FileEnvironment> Open(const std::string& folder, bool create,
                                                 bool readOnly = false);
    ~FileEnvironment();
    FileEnvironment(const FileEnvironment&) = delete;
    FileEnvironment& operator=(const FileEnvironment&) = delete;

    const std::string& Folder() const { return m_folder; }

    // Transactions opened by data-resource managers. Release removes the given one wherever
    // it stands, so a bracket closed out of order cannot strand another.
    store::Txn* PushTxn(bool write);
    void ReleaseTxn(store::Txn* txn, bool commit);
    // The transaction a call should use: the newest write one when writing, else the newest.
    store::Txn* CurrentTxn(bool write) const;

    // Runs fn(txn) in the current transaction or, when there is none fit, in a short one that
    // commits when fn returns and aborts when it throws. Calls nested in fn join it.
    template <typename Fn>
    auto With(bool write, Fn&& fn)
    {
        if (store::Txn* t = CurrentTxn(write)) return fn(*t);
        ShortTxn s(*this, write);
        if constexpr (std::is_void_v<decltype(fn(*s.txn))>) {
            fn(*s.txn);
            s.Commit();
        } else {
            auto r = fn(*s.txn);
            s.Commit();
            return r;
        }
    }

    // Catalog: a file's path → its table. nullptr when the path names no file.
    const TableInfo* Find(store::Txn& txn, const std::string& path);
    const TableInfo& Create(store::Txn& txn, const std::string& path, uint32_t recordLength);
    void Delete(store::Txn& txn, const std::string& path);
    void Rename(store::Txn& txn, const std::string& from, const std::string& to);
    std::vector<std::string> Paths(store::Txn& txn);
    // Changes whenever a file is created, deleted or renamed, so descriptors can cache lookups.
    uint64_t CatalogGeneration() const { return m_generation; }

    // Advisory record locks, held by this open of the company against every other open, in this
    // process or another, and gone with the process.
    bool Lock(int fileNumber, uint32_t recordNumber);
    void Unlock(int fileNumber, uint32_t recordNumber);

    // LMDB: rewritten with the writer's pid on every committed write; watched for changes.
    std::string ChangeStampPath() const;
    // A server company's notices of other desks' commits; nullptr for LMDB (watch the stamp).
    std::unique_ptr<store::ChangeFeed> OpenChangeFeed();

private:
    struct ShortTxn {
        ShortTxn(FileEnvironment& env, bool write);
        ~ShortTxn();
        void Commit();
        FileEnvironment& env;
        store::Txn* txn;
    };
    struct Frame {
        std::unique_ptr<store::Txn> txn;
    };

    FileEnvironment(std::string folder, std::unique_ptr<store::Store> store);
    void Committed(bool wrote);
    // The catalog's change count as `txn` sees it.
    uint64_t VersionIn(store::Txn& txn) const;
    // Drops the cached lookups when the catalog changed since they were made.
    void Refresh(store::Txn& txn);
    // Records a change of the catalog made in `txn`.
    void CatalogChanged(store::Txn& txn);
    void Forget();

    std::string m_folder;
    std::unique_ptr<store::Store> m_store;
    store::Table m_catalog = 0;
    std::unordered_map<std::string, TableInfo> m_tables;
    std::vector<Frame> m_frames;
    uint64_t m_generation = 1;
    uint64_t m_catalogVersion = 0;
    uint32_t m_nextTableId = 1;
};

}  // namespace kelo
