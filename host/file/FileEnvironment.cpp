#include "host/file/FileEnvironment.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <filesystem>

#include "host/file/FileError.h"
#include "host/file/RecordCodec.h"

namespace kelo {
namespace {

constexpr const char* kCatalog = "catalog";
constexpr const char* kNextIdKey = "\x01next-table";
// Counts changes of the catalog (files made, deleted or renamed) by any process, so every process
// can tell that the tables it has looked up may have gone.
constexpr const char* kVersionKey = "\x01version";

// Paths name files case-insensitively, as on the system the data came from.
std::string catalogKey(const std::string& path)
{
    std::string k = path;
    std::transform(k.begin(), k.end(), k.begin(), [](unsigned char c) { return std::toupper(c); });
    return k;
}

std::string entryValue(uint32_t length, const std::string& table)
{
    std::string v(4, '\0');
    std::memcpy(v.data(), &length, 4);
    return v + table;
}

}  // namespace

FileEnvironment::FileEnvironment(std::string folder, std::unique_ptr<store::Store> store)
    : m_folder(std::move(folder)), m_store(std::move(store))
{
}

std::shared_ptr<FileEnvironment> FileEnvironment::Open(const std::string& folder, bool create,
                                                       bool readOnly)
{
    std::shared_ptr<FileEnvironment> env(
        new FileEnvironment(folder, store::OpenStore(folder, create, readOnly)));
    {
        auto txn = env->m_store->Begin(create);
        auto catalog = txn->OpenTable(kCatalog, create);
        if (!catalog) throw FileError(folder + " is not a company folder (no file catalog)");
        env->m_catalog = *catalog;
        const uint32_t format = StoreFormat(*txn, *catalog);
        if (format == 0) {
            if (create) {
                std::string v(4, '\0');
                std::memcpy(v.data(), &codec::kStoreFormat, 4);
                txn->Put(*catalog, kFormatKey, v);
            }
        } else if (format != codec::kStoreFormat) {
            throw FileError(FormatMessage(folder, format));
        }
        if (auto next = txn->Get(env->m_catalog, kNextIdKey); next && next->size() == 4)
            std::memcpy(&env->m_nextTableId, next->data(), 4);
        txn->Commit();
    }
    return env;
}

uint32_t FileEnvironment::StoreFormat(store::Txn& txn, store::Table catalog)
{
    if (auto f = txn.Get(catalog, kFormatKey); f && f->size() == 4) {
        uint32_t format;
        std::memcpy(&format, f->data(), 4);
        return format;
    }
    // Before formats were recorded records were kept as they are; an empty catalog is new.
    auto c = txn.OpenCursor(catalog);
    return c->First() ? 1 : 0;
}

std::string FileEnvironment::FormatMessage(const std::string& folder, uint32_t format)
{
    const std::string ours = std::to_string(codec::kStoreFormat);
    if (format < codec::kStoreFormat)
        return "the company " + folder + " is kept in the older store format " +
               std::to_string(format) + " (this program reads format " + ours +
               "): convert it with `kelo-data upgrade " + folder + "`";
    return "the company " + folder + " is kept in store format " + std::to_string(format) +
           ", made by a newer version of this program (this one reads format " + ours + ")";
}

FileEnvironment::~FileEnvironment()
{
    m_frames.clear();  // abort what is still open before the store goes
}

std::string FileEnvironment::ChangeStampPath() const { return m_folder + "/changes.stamp"; }

store::Txn* FileEnvironment::PushTxn(bool write)
{
    // One writer per thread: a nested write bracket joins the open write transaction's thread
    // lock, which LMDB would deadlock on, so refuse it plainly.
    if (write && CurrentTxn(true) && !CurrentTxn(true)->ReadOnly())
        throw FileError("a write transaction is already open");
    m_frames.push_back(Frame{m_store->Begin(write)});
    store::Txn* txn = m_frames.back().txn.get();
    Refresh(*txn);
    return txn;
}

void FileEnvironment::ReleaseTxn(store::Txn* txn, bool commit)
{
    auto it = std::find_if(m_frames.begin(), m_frames.end(),
                           [txn](const Frame& f) { return f.txn.get() == txn; });
    if (it == m_frames.end()) return;
    Frame frame = std::move(*it);
    m_frames.erase(it);
    const bool wrote = !frame.txn->ReadOnly();
    if (commit) {
        frame.txn->Commit();
        Committed(wrote);
    } else if (wrote) {
        Forget();
    }
}

store::Txn* FileEnvironment::CurrentTxn(bool write) const
{
    for (auto it = m_frames.rbegin(); it != m_frames.rend(); ++it)
        if (!write || !it->txn->ReadOnly()) return it->txn.get();
    return nullptr;
}

FileEnvironment::ShortTxn::ShortTxn(FileEnvironment& e, bool write)
    : env(e), txn(e.PushTxn(write))
{
}

FileEnvironment::ShortTxn::~ShortTxn()
{
    if (txn) env.ReleaseTxn(txn, false);
}

void FileEnvironment::ShortTxn::Commit()
{
    store::Txn* t = txn;
    txn = nullptr;
    env.ReleaseTxn(t, true);
}

void FileEnvironment::Committed(bool wrote)
{
    if (wrote) m_store->Committed();
}

void FileEnvironment::Forget()
{
    // A transaction that did not commit may have created, resized or renamed files: drop every
    // cached lookup rather than guess which; they reload from the catalog on next use.
    m_tables.clear();
    ++m_generation;
}

uint64_t FileEnvironment::VersionIn(store::Txn& txn) const
{
    uint64_t version = 0;
    if (auto v = txn.Get(m_catalog, kVersionKey); v && v->size() == sizeof version)
        std::memcpy(&version, v->data(), sizeof version);
    return version;
}

void FileEnvironment::Refresh(store::Txn& txn)
{
    const uint64_t version = VersionIn(txn);
    if (version == m_catalogVersion) return;
    // Another process made, deleted or renamed a file: what was looked up may name a table that
    // is gone, or miss the one that now holds the path.
    m_catalogVersion = version;
    m_tables.clear();
    ++m_generation;
}

void FileEnvironment::CatalogChanged(store::Txn& txn)
{
    const uint64_t version = VersionIn(txn) + 1;
    txn.Put(m_catalog, kVersionKey, std::string_view(reinterpret_cast<const char*>(&version), sizeof version));
    m_catalogVersion = version;
    ++m_generation;
}

const FileEnvironment::TableInfo* FileEnvironment::Find(store::Txn& txn, const std::string& path)
{
    Refresh(txn);
    const std::string key = catalogKey(path);
    if (auto it = m_tables.find(key); it != m_tables.end()) return &it->second;
    auto entry = txn.Get(m_catalog, key);
    if (!entry || entry->size() <= 4) return nullptr;
    uint32_t length;
    std::memcpy(&length, entry->data(), 4);
    const std::string name(entry->substr(4));
    auto table = txn.OpenTable(name, false);
    if (!table) throw FileError("file " + path + " is in the catalog but its data is missing");
    return &m_tables.emplace(key, TableInfo{*table, length}).first->second;
}

const FileEnvironment::TableInfo& FileEnvironment::Create(store::Txn& txn, const std::string& path,
                                                          uint32_t recordLength)
{
    const std::string key = catalogKey(path);
    if (const TableInfo* existing = Find(txn, path)) {
        txn.Clear(existing->table);
        if (existing->recordLength != recordLength) {
            auto entry = txn.Get(m_catalog, key);
            const std::string name(entry->substr(4));
            txn.Put(m_catalog, key, entryValue(recordLength, name));
            m_tables[key].recordLength = recordLength;
        }
        return m_tables[key];
    }
    // Another process may have made tables since this one last looked: the number is the store's.
    if (auto next = txn.Get(m_catalog, kNextIdKey); next && next->size() == 4)
        std::memcpy(&m_nextTableId, next->data(), 4);
    const std::string name = "F" + std::to_string(m_nextTableId++);
    std::string next(4, '\0');
    std::memcpy(next.data(), &m_nextTableId, 4);
    txn.Put(m_catalog, kNextIdKey, next);
    auto table = txn.OpenTable(name, true);
    txn.Put(m_catalog, key, entryValue(recordLength, name));
    CatalogChanged(txn);
    return m_tables.emplace(key, TableInfo{*table, recordLength}).first->second;
}

void FileEnvironment::Delete(store::Txn& txn, const std::string& path)
{
    const TableInfo* info = Find(txn, path);
    if (!info) return;
    txn.Drop(info->table);
    txn.Del(m_catalog, catalogKey(path));
    m_tables.erase(catalogKey(path));
    CatalogChanged(txn);
}

void FileEnvironment::Rename(store::Txn& txn, const std::string& from, const std::string& to)
{
    if (catalogKey(from) == catalogKey(to)) return;
    auto entry = txn.Get(m_catalog, catalogKey(from));
    if (!entry) throw FileError("cannot rename " + from + ": no such file");
    const std::string value(*entry);
    if (Find(txn, to)) Delete(txn, to);
    txn.Del(m_catalog, catalogKey(from));
    txn.Put(m_catalog, catalogKey(to), value);
    m_tables.erase(catalogKey(from));
    CatalogChanged(txn);
}

std::vector<std::string> FileEnvironment::Paths(store::Txn& txn)
{
    std::vector<std::string> paths;
    auto c = txn.OpenCursor(m_catalog);
    for (bool ok = c->First(); ok; ok = c->Next())
        if (c->Key() != kNextIdKey && c->Key() != kFormatKey && c->Key() != kVersionKey)
            paths.emplace_back(c->Key());
    return paths;
}

bool FileEnvironment::Lock(int fileNumber, uint32_t recordNumber)
{
    return m_store->Lock(fileNumber, recordNumber);
}

void FileEnvironment::Unlock(int fileNumber, uint32_t recordNumber)
{
    m_store->Unlock(fileNumber, recordNumber);
}

std::unique_ptr<store::ChangeFeed> FileEnvironment::OpenChangeFeed()
{
    return m_store->OpenChangeFeed();
}

}  // namespace kelo
