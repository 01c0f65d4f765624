#include "host/file/RecordFile.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <optional>

#include "host/file/FileError.h"
#include "host/file/RecordCodec.h"

namespace kelo {
namespace {

using store::Bytes;

using codec::NumberAt;
using codec::NumberKey;

std::string describe(const datafilemap* f)
{
    return "file " + std::to_string(f->number) + " (" + f->path + ")";
}

// The descriptor's table in this transaction; throws when the file does not exist.
store::Table tableOf(DataFile f, store::Txn& txn)
{
    FileEnvironment& env = *f->env;
    if (f->table && f->generation == env.CatalogGeneration()) return f->table;
    const FileEnvironment::TableInfo* info = env.Find(txn, f->path);
    if (!info) throw FileError(describe(f) + " does not exist");
    f->table = info->table;
    f->generation = env.CatalogGeneration();
    return f->table;
}

void requireIndex(DataFile f, const char* call)
{
    if (f->kind != FileKind::Index)
        throw FileError(std::string(call) + " needs an index file, got " + describe(f));
}

uint32_t entryRecno(const store::Cursor& c)
{
    const Bytes k = c.Key();
    return k.size() >= 4 ? NumberAt(k.data() + k.size() - 4) : 0;
}

// A record not found may be one whose stored number was damaged: it then sits where the number
// belonged, beside the place the search ended, and fails its checksum under the number it shows.
// The records either side are decoded under their own numbers so such damage is named, not taken
// for the end of a chain.
void missAround(DataFile f, store::Cursor& c, uint32_t recno)
{
    std::string scratch(f->recordLength, '\0');  // the caller's buffer stays as it was
    const auto check = [&] {
        // A data file's keys are all four bytes long.
        if (c.Key().size() != 4 ||
            !codec::Decode(NumberAt(c.Key().data()), c.Value(), scratch.data(), scratch.size()))
            throw FileError("record " + std::to_string(recno) + " of " + describe(f) +
                            " is missing and a record stored beside it is damaged: the "
                            "store's keys are damaged");
    };
    if (c.Valid()) {
        check();
        if (c.Prev()) check();
    } else if (c.Last()) {
        check();
    }
}

uint32_t readData(DataFile f, store::Txn& txn, uint32_t recno, void* buf)
{
    if (recno == 0) return 0;
    NumberKey key(recno);
    // Reads in record order (the usual walk) step the transaction's cursor instead of
    // descending the tree for every record.
    store::Cursor& c = txn.TableCursor(tableOf(f, txn));
    const bool next = c.Valid() && c.Key().size() == 4 && NumberAt(c.Key().data()) + 1 == recno;
    // A write in between (a stored record changes size when rewritten) may have moved the
    // cursor, so a step that lands elsewhere is retried by seeking.
    if (!(next && c.Next() && c.Key() == key.view()) &&
        !(c.Seek(key.view()) && c.Key() == key.view())) {
        missAround(f, c, recno);
        return 0;
    }
    if (!codec::Decode(recno, c.Value(), buf, f->recordLength))
        throw FileError("record " + std::to_string(recno) + " of " + describe(f) +
                        " is damaged: it fails its checksum or does not decode to " +
                        std::to_string(f->recordLength) + " bytes");
    // A chain walk reads the record this one names next.
    if (f->linkChains && f->link && f->link->offset + 4 <= f->recordLength)
        if (const uint32_t next = GetU32(static_cast<const uint8_t*>(buf), *f->link))
            c.Expect(NumberKey(next).view());
    return 1;
}

// Reads the record an index entry points at; an entry pointing nowhere is damage.
uint32_t readIndexed(DataFile data, DataFile index, store::Txn& txn, uint32_t recno, void* rec)
{
    if (!readData(data, txn, recno, rec))
        throw FileError("index " + describe(index) + " points at record " + std::to_string(recno) +
                        " which " + describe(data) + " does not hold");
    return recno;
}

// Positions the shared cursor on the descriptor's walk entry or, when that entry is gone,
// on the one after it. False when nothing follows.
bool resume(store::Cursor& c, DataFile index, bool& onEntry)
{
    if (c.Valid() && c.Key() == index->walkEntry) {
        onEntry = true;
        return true;
    }
    if (!c.Seek(index->walkEntry)) return false;
    onEntry = c.Key() == index->walkEntry;
    return true;
}

uint32_t landOn(store::Cursor& c, DataFile data, DataFile index, store::Txn& txn, void* key,
                void* rec)
{
    const Bytes k = c.Key();
    index->walkEntry.assign(k.data(), k.size());
    index->walkPosition = 0;
    std::memcpy(key, k.data(), std::min<size_t>(index->recordLength, k.size() - 4));
    return readIndexed(data, index, txn, entryRecno(c), rec);
}

}  // namespace

datafilemap& datafilemap::operator=(const datafilemap& o)
{
    number = o.number;
    path = o.path;
    kind = o.kind;
    recordLength = o.recordLength;
    dataFile = o.dataFile;
    link = o.link;
    linkChains = o.linkChains;
    env = o.env;
    table = o.table;
    generation = o.generation;
    walkEntry.clear();
    walkPosition = 0;
    return *this;
}

int ReadRec(DataFile f, uint32_t recno, void* buf)
{
    return f->env->With(false, [&](store::Txn& txn) -> int {
        if (f->kind != FileKind::Index) return int(readData(f, txn, recno, buf));
        if (recno == 0) return 0;
        // The n-th entry in key order. Consecutive positions continue from the last one read.
        store::Cursor& c = txn.TableCursor(tableOf(f, txn));
        bool found;
        if (f->walkPosition && recno >= f->walkPosition && !f->walkEntry.empty()) {
            bool onEntry = false;
            found = resume(c, f, onEntry) && onEntry;
            for (uint32_t i = f->walkPosition; found && i < recno; ++i) found = c.Next();
        } else {
            found = c.First();
            for (uint32_t i = 1; found && i < recno; ++i) found = c.Next();
        }
        if (!found) {
            f->walkPosition = 0;
            return 0;
        }
        const Bytes k = c.Key();
        f->walkEntry.assign(k.data(), k.size());
        f->walkPosition = recno;
        auto* out = static_cast<char*>(buf);
        std::memcpy(out, k.data(), std::min<size_t>(f->recordLength, k.size() - 4));
        const uint32_t target = entryRecno(c);
        std::memcpy(out + f->recordLength, &target, 4);
        return 1;
    });
}

void WriteRec(DataFile f, uint32_t recno, const void* buf)
{
    if (f->kind != FileKind::Data) throw FileError("WriteRec on " + describe(f));
    if (recno == 0) throw FileError("WriteRec of record 0 on " + describe(f));
    if (recno > kMaxRecordNumber)
        throw FileError("record " + std::to_string(recno) + " of " + describe(f) +
                        " is beyond the last a file can hold (" +
                        std::to_string(kMaxRecordNumber) + ")");
    f->env->With(true, [&](store::Txn& txn) {
        // A file made with another record length is another layout's file: adding records of
        // this length to it would leave it unreadable either way.
        const FileEnvironment::TableInfo* info = f->env->Find(txn, f->path);
        if (info && info->recordLength != f->recordLength)
            throw FileError(describe(f) + " holds records of " +
                            std::to_string(info->recordLength) + " bytes; this program's are " +
                            std::to_string(f->recordLength) + ": nothing was written");
        NumberKey key(recno);
        const Bytes record(static_cast<const char*>(buf), f->recordLength);
        if (f->link && f->link->offset + 4 <= f->recordLength)
            txn.PutLinked(tableOf(f, txn), key.view(), codec::Encode(recno, record),
                          GetU32(static_cast<const uint8_t*>(buf), *f->link), f->linkChains);
        else
            txn.Put(tableOf(f, txn), key.view(), codec::Encode(recno, record));
    });
}

uint32_t RecCount(DataFile f)
{
    return f->env->With(false, [&](store::Txn& txn) -> uint32_t {
        const store::Table t = tableOf(f, txn);
        if (f->kind != FileKind::Data) return uint32_t(txn.Count(t));
        auto c = txn.OpenCursor(t);
        return c->Last() ? NumberAt(c->Key().data()) : 0;
    });
}

uint32_t SearchRecord(DataFile data, DataFile index, void* key, void* rec, int)
{
    requireIndex(index, "SearchRecord");
    return data->env->With(false, [&](store::Txn& txn) -> uint32_t {
        store::Cursor& c = txn.TableCursor(tableOf(index, txn));
        if (!c.Seek(Bytes(static_cast<const char*>(key), index->recordLength))) {
            index->walkEntry.clear();
            return 0;
        }
        return landOn(c, data, index, txn, key, rec);
    });
}

uint32_t NextRecord(DataFile data, DataFile index, void* key, void* rec, int)
{
    requireIndex(index, "NextRecord");
    return data->env->With(false, [&](store::Txn& txn) -> uint32_t {
        store::Cursor& c = txn.TableCursor(tableOf(index, txn));
        const Bytes given(static_cast<const char*>(key), index->recordLength);
        bool moved;
        if (index->walkEntry.size() == index->recordLength + 4 &&
            Bytes(index->walkEntry).substr(0, index->recordLength) == given) {
            bool onEntry = false;
            moved = resume(c, index, onEntry) && (!onEntry || c.Next());
        } else {
            // The caller set a key of its own: continue after every entry with that key.
            std::string past(given);
            past.append(4, '\xff');
            moved = c.Seek(past) && (c.Key() != past || c.Next());
        }
        if (!moved) {
            index->walkEntry.clear();
            return 0;
        }
        return landOn(c, data, index, txn, key, rec);
    });
}

void AddKey(DataFile index, const void* key, uint32_t recno, int, int)
{
    requireIndex(index, "AddKey");
    index->env->With(true, [&](store::Txn& txn) {
        std::string k(static_cast<const char*>(key), index->recordLength);
        k.append(NumberKey(recno).view());
        txn.Put(tableOf(index, txn), k, Bytes(reinterpret_cast<const char*>(&recno), 4));
    });
}

void DeleteKey(DataFile index, const void* key, int, int)
{
    requireIndex(index, "DeleteKey");
    index->env->With(true, [&](store::Txn& txn) {
        const store::Table t = tableOf(index, txn);
        const Bytes given(static_cast<const char*>(key), index->recordLength);
        auto c = txn.OpenCursor(t);
        if (!c->Seek(given) || c->Key().substr(0, given.size()) != given) return;
        const std::string found(c->Key());
        c.reset();
        txn.Del(t, found);
    });
}

void DeleteKeyOf(DataFile index, const void* key, uint32_t recno)
{
    requireIndex(index, "DeleteKeyOf");
    index->env->With(true, [&](store::Txn& txn) {
        std::string k(static_cast<const char*>(key), index->recordLength);
        k.append(NumberKey(recno).view());
        txn.Del(tableOf(index, txn), k);
    });
}

uint32_t LastKey(DataFile index, void* key)
{
    requireIndex(index, "LastKey");
    return index->env->With(false, [&](store::Txn& txn) -> uint32_t {
        auto c = txn.OpenCursor(tableOf(index, txn));
        if (!c->Last()) return 0;
        const Bytes k = c->Key();
        std::memcpy(key, k.data(), std::min<size_t>(index->recordLength, k.size() - 4));
        return entryRecno(*c);
    });
}

uint32_t FindNewRecNo(DataFile index)
{
    const FileInfo* info = FindFile(index->dataFile);
    if (!info) throw FileError("FindNewRecNo: " + describe(index) + " serves no data file");
    datafilemap data;
    data.number = info->number;
    data.path = info->path;
    data.kind = FileKind::Data;
    data.recordLength = info->recordLength;
    data.env = index->env;
    const uint32_t count = RecCount(&data);
    if (count >= kMaxRecordNumber)
        throw FileError(describe(&data) + " is full: it holds the last record number " +
                        std::to_string(kMaxRecordNumber));
    return count + 1;
}

uint32_t SearchKey(DataFile index, const char* key, uint32_t* recno)
{
    requireIndex(index, "SearchKey");
    return index->env->With(false, [&](store::Txn& txn) -> uint32_t {
        const Bytes wanted(key, strnlen(key, index->recordLength));
        store::Cursor& c = txn.TableCursor(tableOf(index, txn));
        uint32_t position = 1;
        for (bool ok = c.First(); ok; ok = c.Next(), ++position) {
            if (c.Key().substr(0, wanted.size()) >= wanted) {
                if (recno) *recno = entryRecno(c);
                index->walkEntry.assign(c.Key());
                index->walkPosition = position;
                return position;
            }
        }
        if (recno) *recno = 0;
        return 0;
    });
}

uint32_t FindKey(DataFile index, const void* key, int)
{
    requireIndex(index, "FindKey");
    return index->env->With(false, [&](store::Txn& txn) -> uint32_t {
        const Bytes given(static_cast<const char*>(key), index->recordLength);
        auto c = txn.OpenCursor(tableOf(index, txn));
        if (!c->Seek(given) || c->Key().substr(0, given.size()) != given) return 0;
        return entryRecno(*c);
    });
}

int32_t WriteMemoBlock(DataFile notes, const char* text, uint32_t length, int32_t oldBlock)
{
    return notes->env->With(true, [&](store::Txn& txn) -> int32_t {
        const store::Table t = tableOf(notes, txn);
        int32_t block = oldBlock;
        if (block < 0) {
            auto c = txn.OpenCursor(t);
            block = c->Last() ? int32_t(NumberAt(c->Key().data())) + 1 : 1;
        }
        const size_t n = length ? strnlen(text, length - 1) : 0;
        const NumberKey key{uint32_t(block)};
        txn.Put(t, key.view(), codec::Encode(uint32_t(block), Bytes(text, n)));
        return block;
    });
}

std::string ReadMemoText(DataFile notes, int32_t block)
{
    if (block < 0) return {};
    return notes->env->With(false, [&](store::Txn& txn) -> std::string {
        auto v = txn.Get(tableOf(notes, txn), NumberKey(uint32_t(block)).view());
        std::string text;
        if (v && !codec::DecodeText(uint32_t(block), *v, text))
            throw FileError("block " + std::to_string(block) + " of " + describe(notes) +
                            " is damaged: it fails its checksum");
        return text;
    });
}

char* ReadMemoBlock(DataFile notes, char** text, int32_t block)
{
    const std::string s = ReadMemoText(notes, block);
    char* out = static_cast<char*>(std::malloc(s.size() + 1));
    std::memcpy(out, s.c_str(), s.size() + 1);
    if (text) *text = out;
    return out;
}

int LockRec(DataFile f, uint32_t recno) { return f->env->Lock(f->number, recno) ? 1 : 0; }
void UnLockRec(DataFile f, uint32_t recno) { f->env->Unlock(f->number, recno); }

int FileCreate(DataFile f, int, int)
{
    f->env->With(true, [&](store::Txn& txn) {
        f->env->Create(txn, f->path, f->recordLength);
        f->walkEntry.clear();
        f->walkPosition = 0;
    });
    return 1;
}

void FileClose(DataFile f)
{
    f->walkEntry.clear();
    f->walkPosition = 0;
}

void FileDelete(DataFile f)
{
    f->env->With(true, [&](store::Txn& txn) { f->env->Delete(txn, f->path); });
    FileClose(f);
}

void InitialiseFile(DataFile f)
{
    if (const FileInfo* info = FindFile(f->number)) {
        f->path = info->path;
        f->kind = info->kind;
        f->recordLength = info->recordLength;
        f->dataFile = info->dataFile;
        f->link = info->link;
        f->linkChains = info->linkChains;
    }
    f->table = 0;
    FileClose(f);
}

void SetLength(DataFile f, uint32_t recordLength) { f->recordLength = recordLength; }
std::string GetPathName(DataFile f) { return f->path; }

void SetPathName(DataFile f, const std::string& path)
{
    f->path = path;
    f->table = 0;
    FileClose(f);
}

void RenameFile(DataFile f, const std::string& from, const std::string& to)
{
    f->env->With(true, [&](store::Txn& txn) { f->env->Rename(txn, from, to); });
    f->table = 0;
}

bool FileExists(DataFile f)
{
    return f->env->With(false, [&](store::Txn& txn) { return f->env->Find(txn, f->path) != nullptr; });
}

namespace {

struct LedgerFiles {
    int data;
    int index;
};

LedgerFiles ledgerFiles(int ledger)
{
    switch (ledger) {
    case kLedgerSales: return {kFileCustomers, kFileCustomerIndex};
    case kLedgerPurchases: return {kFileSuppliers, kFileSupplierIndex};
    case kLedgerNominal: return {kFileNominal, kFileNominalIndex};
    case kLedgerBank: return {kFileBank, kFileBankIndex};
    }
    throw FileError("no ledger has the code " + std::to_string(ledger));
}

}  // namespace

uint32_t FlashFindAccount(DataContext& block, int ledger, const char* code, void* rec, int)
{
    const LedgerFiles lf = ledgerFiles(ledger);
    DataFile index = block.File(lf.index);
    // Account codes are keyed upper-case, space-padded to eight characters.
    std::string key(index->recordLength, '\0');
    const size_t n = std::min<size_t>(strnlen(code, 8), index->recordLength ? index->recordLength - 1 : 0);
    for (size_t i = 0; i + 1 < index->recordLength; ++i)
        key[i] = i < n ? char(std::toupper(static_cast<unsigned char>(code[i]))) : ' ';
    const uint32_t recno = FindKey(index, key.data(), 0);
    if (!recno) return 0;
    return ReadRec(block.File(lf.data), recno, rec) ? recno : 0;
}

uint32_t FindAccount(DataContext& block, int ledger, const char* code, void* rec, int flags)
{
    return FlashFindAccount(block, ledger, code, rec, flags);
}

uint32_t NetworkFlashFindAccount(DataContext& block, int ledger, const char* code, void* rec,
                                 int flags)
{
    return FlashFindAccount(block, ledger, code, rec, flags);
}

}  // namespace kelo
