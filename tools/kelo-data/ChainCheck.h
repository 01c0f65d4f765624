#pragma once

// The links between records that the pages and viewers follow: an account's chain of audit trail
// headers and a split's chain of allocations (a header's chain of splits is the transaction
// check's, PostingChecker). The check collects each record's links while the records are read,
// then walks every chain in memory.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace kelo::tool {

class ChainCheck final {
public:
    using Report = std::function<void(const std::string&)>;

    // Whether the links of `file`'s records are wanted (accounts, headers, splits, allocations).
    static bool Wants(int file);
    // Sets how many records `file` has, before its records are noted.
    void SetCount(int file, uint32_t count);
    // Remembers the links of a readable, live record of a wanted file.
    void Note(int file, uint32_t recno, const uint8_t* rec);
    // Walks every chain; each broken link is reported once, naming the file, the record and the
    // link field: a link to a record the file does not hold, a chain that comes back on itself, a
    // record reached from two chains.
    void Check(const Report& report);

private:
    struct Links {
        std::vector<uint8_t> live;     // per record number: readable and not deleted
        std::vector<uint32_t> head;    // first record of the chain that starts here
        std::vector<uint32_t> next;    // next record of the chain this record is in
        std::vector<uint64_t> owner;   // the chain that reached the record: file << 32 | recno
    };

    Links& Of(int file);
    // Walks the chain starting at `owner`'s `first` link in `links` (file `file`).
    void Walk(int ownerFile, uint32_t ownerRec, const char* firstName, uint32_t first, int file,
              const char* nextName, const Report& report);

    Links m_customers, m_suppliers, m_headers, m_splits, m_allocations;
};

}  // namespace kelo::tool
