#include "tools/kelo-data/ChainCheck.h"

#include "host/data/AccountRecord.h"
#include "host/data/AllocationRecord.h"
#include "host/data/AuditHeaderRecord.h"
#include "host/data/FileMap.h"
#include "host/data/SplitRecord.h"

namespace kelo::tool {

namespace {

std::string Name(int file)
{
    const FileInfo* info = FindFile(file);
    return std::string(info ? info->path : "?") + " (file " + std::to_string(file) + ")";
}

std::string Path(int file)
{
    const FileInfo* info = FindFile(file);
    return info ? info->path : "?";
}

std::string Record(int file, uint32_t recno)
{
    return Name(file) + " record " + std::to_string(recno);
}

uint64_t OwnerKey(int file, uint32_t recno) { return uint64_t(uint32_t(file)) << 32 | recno; }

std::string OwnerText(uint64_t owner) { return Record(int(owner >> 32), uint32_t(owner)); }

}  // namespace

bool ChainCheck::Wants(int file)
{
    return file == kFileCustomers || file == kFileSuppliers || file == kFileAuditHeaders ||
           file == kFileSplits || file == kFileAllocations;
}

ChainCheck::Links& ChainCheck::Of(int file)
{
    switch (file) {
    case kFileCustomers: return m_customers;
    case kFileSuppliers: return m_suppliers;
    case kFileAuditHeaders: return m_headers;
    case kFileSplits: return m_splits;
    default: return m_allocations;
    }
}

void ChainCheck::SetCount(int file, uint32_t count)
{
    Links& l = Of(file);
    l.live.assign(count + 1, 0);
    l.head.assign(count + 1, 0);
    l.next.assign(count + 1, 0);
    l.owner.assign(count + 1, 0);
}

void ChainCheck::Note(int file, uint32_t recno, const uint8_t* rec)
{
    Links& l = Of(file);
    if (recno >= l.live.size()) return;
    l.live[recno] = 1;
    switch (file) {
    case kFileCustomers:
    case kFileSuppliers: l.head[recno] = GetU32(rec, kAccountFirstHeader); break;
    case kFileAuditHeaders: l.next[recno] = GetU32(rec, kHeaderNextHeader); break;
    case kFileSplits: l.head[recno] = GetU32(rec, kSplitFirstAllocation); break;
    case kFileAllocations: l.next[recno] = GetU32(rec, kAllocationNext); break;
    default: break;
    }
}

void ChainCheck::Walk(int ownerFile, uint32_t ownerRec, const char* firstName, uint32_t first,
                      int file, const char* nextName, const Report& report)
{
    Links& l = Of(file);
    const uint64_t owner = OwnerKey(ownerFile, ownerRec);
    // The record holding the link followed now, and that link's name.
    int fromFile = ownerFile;
    uint32_t from = ownerRec;
    const char* link = firstName;
    for (uint32_t at = first; at != 0;) {
        const std::string broken =
            Record(fromFile, from) + ": " + link + " " + std::to_string(at);
        if (at >= l.live.size() || !l.live[at]) {
            report(broken + " is not a record of " + Path(file));
            return;
        }
        if (l.owner[at] == owner) {
            report(broken + " loops back into the chain of " + OwnerText(owner));
            return;
        }
        if (l.owner[at] != 0) {
            report(broken + " is already in the chain of " + OwnerText(l.owner[at]));
            return;
        }
        l.owner[at] = owner;
        fromFile = file;
        from = at;
        link = nextName;
        at = l.next[at];
    }
}

void ChainCheck::Check(const Report& report)
{
    for (int ledger : {kFileCustomers, kFileSuppliers}) {
        const Links& accounts = Of(ledger);
        for (uint32_t r = 1; r < accounts.live.size(); ++r)
            if (accounts.live[r])
                Walk(ledger, r, "first_header", accounts.head[r], kFileAuditHeaders,
                     "next_header", report);
    }
    // A header's splits are walked by the transaction check (PostingChecker).
    // Headers outside every account's chain (bank and journal postings) are walked by no page,
    // but a link they hold must still lead somewhere.
    for (uint32_t h = 1; h < m_headers.live.size(); ++h)
        if (m_headers.live[h] && m_headers.owner[h] == 0 && m_headers.next[h] != 0 &&
            (m_headers.next[h] >= m_headers.live.size() || !m_headers.live[m_headers.next[h]]))
            report(Record(kFileAuditHeaders, h) + ": next_header " +
                   std::to_string(m_headers.next[h]) + " is not a record of " +
                   Path(kFileAuditHeaders));
    for (uint32_t s = 1; s < m_splits.live.size(); ++s)
        if (m_splits.live[s])
            Walk(kFileSplits, s, "first_allocation", m_splits.head[s], kFileAllocations,
                 "next_allocation", report);
}

}  // namespace kelo::tool
