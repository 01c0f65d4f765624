#include "host/file/StoreUpgrade.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <optional>

#include <fcntl.h>
#include <unistd.h>

#include "host/data/FileMap.h"
#include "host/file/FileEnvironment.h"
#include "host/file/FileError.h"
#include "host/file/RecordCodec.h"
#include "host/file/Store.h"

namespace kelo {
namespace {

constexpr const char* kCatalog = "catalog";
constexpr const char* kTemp = "/upgrade.tmp";
// Entries per write transaction of the new store: bounded memory on big companies.
constexpr int kBatch = 50'000;

// The kind of a catalogued file: from the file map by path, else by the shape of its entries
// (files renamed aside by a rewrite keep a path the map does not hold).
FileKind kindOf(const std::string& path, uint32_t length, store::Txn& txn, store::Table t)
{
    for (const FileInfo& f : AllFiles()) {
        std::string p = f.path;
        std::transform(p.begin(), p.end(), p.begin(), [](unsigned char c) { return std::toupper(c); });
        if (p == path) return f.kind;
    }
    auto c = txn.OpenCursor(t);
    bool data = true;
    for (bool ok = c->First(); ok; ok = c->Next()) {
        if (c->Key().size() != 4) return FileKind::Index;
        data = data && c->Value().size() == length;
    }
    return data ? FileKind::Data : FileKind::Notes;
}

void syncFolder(const std::string& folder)
{
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

class Copier {
public:
    explicit Copier(store::Store& to) : m_to(to), m_txn(to.Begin(true)) {}

    store::Txn& Txn() { return *m_txn; }
    store::Table Open(const std::string& name) { return *m_txn->OpenTable(name, true); }
    void Put(store::Table t, store::Bytes k, store::Bytes v)
    {
        m_txn->Put(t, k, v);
        if (++m_pending < kBatch) return;
        m_txn->Commit();
        m_txn = m_to.Begin(true);
        m_pending = 0;
    }
    void Commit() { m_txn->Commit(); }

private:
    store::Store& m_to;
    std::unique_ptr<store::Txn> m_txn;
    int m_pending = 0;
};

// A record as format 1 kept it (its bytes) or format 2 did (encoded, the checksum without
// its number); nullopt when the stored bytes are damaged.
std::optional<std::string> plainOf(uint32_t format, FileKind kind, store::Bytes stored,
                                   uint32_t length)
{
    if (format == 1) return std::string(stored);
    std::string plain;
    if (!codec::DecodeText(0, stored, plain) || (kind == FileKind::Data && plain.size() != length))
        return std::nullopt;
    return plain;
}

void copyFile(store::Txn& from, uint32_t format, const std::string& path, uint32_t length,
              const std::string& name, Copier& to)
{
    const auto src = from.OpenTable(name, false);
    if (!src) throw FileError("file " + path + " is in the catalog but its data is missing");
    const FileKind kind = kindOf(path, length, from, *src);
    // Table handles stay valid across the copier's commits: they are opened once per store.
    const store::Table dst = to.Open(name);
    auto c = from.OpenCursor(*src);
    for (bool ok = c->First(); ok; ok = c->Next()) {
        const store::Bytes k = c->Key(), v = c->Value();
        if (kind == FileKind::Index) {
            to.Put(dst, k, v);
            continue;
        }
        const uint32_t number = codec::NumberOfKey(k);
        if (k.size() != 4 || (format == 1 && kind == FileKind::Data && v.size() != length))
            throw FileError("record " + std::to_string(number) + " of " + path + " is " +
                            std::to_string(v.size()) + " bytes long, not " +
                            std::to_string(length) + ": the company is damaged; nothing was changed");
        const auto plain = plainOf(format, kind, v, length);
        if (!plain)
            throw FileError("record " + std::to_string(number) + " of " + path +
                            " is damaged: it fails its checksum; nothing was changed");
        to.Put(dst, k, codec::Encode(number, *plain));
    }
}

}  // namespace

uint32_t UpgradeStore(const std::string& folder)
{
    namespace fs = std::filesystem;
    auto old = store::OpenLmdbStore(folder, false);
    // The write transaction keeps every other writer out until the new store is in place.
    auto from = old->Begin(true);
    const auto catalog = from->OpenTable(kCatalog, false);
    if (!catalog) throw FileError(folder + " is not a company folder (no file catalog)");
    const uint32_t format = FileEnvironment::StoreFormat(*from, *catalog);
    if (format == codec::kStoreFormat || format == 0) return format;
    if (format > codec::kStoreFormat)
        throw FileError(FileEnvironment::FormatMessage(folder, format));

    const std::string temp = folder + kTemp;
    fs::remove_all(temp);  // what a crashed upgrade left
    {
        auto fresh = store::OpenLmdbStore(temp, true);
        Copier to(*fresh);
        const store::Table newCatalog = to.Open(kCatalog);
        auto c = from->OpenCursor(*catalog);
        for (bool ok = c->First(); ok; ok = c->Next()) {
            const std::string key(c->Key()), value(c->Value());
            to.Put(newCatalog, key, value);
            if (key.starts_with('\x01') || value.size() <= 4) continue;
            uint32_t length;
            std::memcpy(&length, value.data(), 4);
            copyFile(*from, format, key, length, value.substr(4), to);
        }
        std::string v(4, '\0');
        std::memcpy(v.data(), &codec::kStoreFormat, 4);
        to.Put(newCatalog, FileEnvironment::kFormatKey, v);
        to.Commit();  // durable: the store syncs its commits
    }
    // One rename puts the whole new store in place of the old one.
    if (std::rename((temp + "/data.mdb").c_str(), (folder + "/data.mdb").c_str()) != 0)
        throw FileError("cannot put the converted store in place in " + folder + ": " +
                        std::strerror(errno));
    syncFolder(folder);
    from.reset();
    old.reset();
    fs::remove_all(temp);
    return format;
}

}  // namespace kelo
