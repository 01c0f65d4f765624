#include <cstdio>
#include <cstring>

#include "host/data/FileMap.h"
#include "host/file/FileEnvironment.h"
#include "host/file/FileError.h"
#include "host/file/RecordCodec.h"
#include "host/file/Store.h"
#include "tools/kelo-data/Commands.h"
#include "tools/kelo-data/CompanyFolder.h"
#include "tools/kelo-data/ToolError.h"
#include "tools/kelo-data/ToolSupport.h"

namespace kelo::tool {
namespace {

constexpr const char* kCatalog = "catalog";

struct Copied {
    uint64_t files = 0;
    uint64_t records = 0;
};

// The file of the file map kept under `path`, when its records name the next one a walk reads.
const FileInfo* linkedFile(const std::string& path)
{
    for (const FileInfo& f : AllFiles())
        if (f.link && path == f.path) return &f;
    return nullptr;
}

uint64_t copyTable(store::Txn& from, store::Table source, store::Txn& to, store::Table target,
                   const FileInfo* linked)
{
    uint64_t n = 0;
    std::string record(linked ? linked->recordLength : 0, '\0');
    auto c = from.OpenCursor(source);
    for (bool ok = c->First(); ok; ok = c->Next(), ++n) {
        // The link goes with the record on the server, as a write would keep it; a record that
        // does not decode is copied as it is, for check to name.
        const store::Bytes k = c->Key();
        if (linked && k.size() == 4 && linked->link->offset + 4 <= record.size() &&
            codec::Decode(codec::NumberOfKey(k), c->Value(), record.data(), record.size()))
            to.PutLinked(target, k, c->Value(),
                         GetU32(reinterpret_cast<const uint8_t*>(record.data()), *linked->link),
                         linked->linkChains);
        else
            to.Put(target, k, c->Value());
    }
    return n;
}

// Every file the catalog names, under the same table names, and the catalog itself, in the
// target's one write transaction: the target has all of it or none.
Copied copyStore(store::Store& source, store::Store& target, const std::string& shownTarget)
{
    auto from = source.Begin(false);
    auto to = target.Begin(true);
    const auto catalog = from->OpenTable(kCatalog, false);
    if (!catalog) throw ToolError("the source holds no company (no file catalog)");
    const auto targetCatalog = to->OpenTable(kCatalog, true);
    if (to->OpenCursor(*targetCatalog)->First())
        throw ToolError(shownTarget + ": already holds a company (remove it first)");
    const uint32_t format = FileEnvironment::StoreFormat(*from, *catalog);
    if (format != codec::kStoreFormat)
        throw ToolError(FileEnvironment::FormatMessage("being copied", format));

    Copied copied;
    auto c = from->OpenCursor(*catalog);
    for (bool ok = c->First(); ok; ok = c->Next()) {
        to->Put(*targetCatalog, c->Key(), c->Value());
        if (c->Key().front() == '\x01' || c->Value().size() <= 4) continue;  // the catalog's own
        const std::string name(c->Value().substr(4));
        const std::string path(c->Key());
        const auto table = from->OpenTable(name, false);
        if (!table) throw ToolError("file " + path + " is in the catalog but its data is missing");
        copied.records += copyTable(*from, *table, *to, *to->OpenTable(name, true), linkedFile(path));
        ++copied.files;
    }
    to->Commit();
    return copied;
}

}  // namespace

int RunCopy(const Args& args)
{
    if (args.size() != 2) throw ToolError("usage: kelo-data copy FROM TO");
    const std::string& from = args[0];
    const std::string& to = args[1];
    if (!IsCompanyFolder(from)) throw ToolError(from + ": not a company (no data.mdb or server URL)");
    try {
        auto source = store::OpenStore(from, false, true);
        Copied copied;
        const std::string url = store::ServerUrl(to);
        if (url.empty()) {
            CompanyFolder folder(to);  // built beside the target, renamed into place when whole
            {
                auto target = store::OpenLmdbStore(folder.Path(), true);
                copied = copyStore(*source, *target, to);
            }
            folder.Keep();
        } else {
            auto target = store::OpenPgStore(url, true);
            copied = copyStore(*source, *target, store::ShownUrl(url));
        }
        std::printf("copied %llu files, %llu records from %s to %s\n",
                    static_cast<unsigned long long>(copied.files),
                    static_cast<unsigned long long>(copied.records),
                    store::ShownUrl(from).c_str(), store::ShownUrl(to).c_str());
    } catch (const FileError& e) {
        throw ToolError(e.what());
    }
    return 0;
}

}  // namespace kelo::tool
