#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "host/file/FileEnvironment.h"
#include "host/data/FileMap.h"

namespace kelo {

// The descriptor of one file of the file block: which path it names, its record length (or
// key width), and the position that SearchRecord/NextRecord and positional reads continue from.
// Copies share the path and length but not the position.
struct datafilemap {
    int number = -1;
    std::string path;
    FileKind kind = FileKind::Data;
    uint32_t recordLength = 0;  // index files: the key width
    int dataFile = -1;          // index files: the data file they serve
    const Field* link = nullptr;  // data files walked as chains: the field naming the next read
    bool linkChains = false;      // ... in this file; else in another
    FileEnvironment* env = nullptr;

    // Cached catalog lookup, valid while the environment's generation is unchanged.
    store::Table table = 0;
    uint64_t generation = 0;

    // Index walk position: the full stored key of the entry last returned.
    std::string walkEntry;
    // Positional index read: the 1-based position of walkEntry, 0 when unknown.
    uint32_t walkPosition = 0;

    datafilemap() = default;
    datafilemap(const datafilemap& o) { *this = o; }
    datafilemap& operator=(const datafilemap& o);
};

// The file block: descriptors of every file of one open company, addressed by file number.
// Copying a context gives an independent set of walk positions over the same company.
class DataContext final {
public:
    // Opens the company in `folder`. Throws FileError when it is not a company.
    static DataContext Open(const std::string& folder);
    // For tools that only read: writes throw FileError, and a read-only folder still opens.
    static DataContext OpenForReading(const std::string& folder);
    // Makes an empty company in `folder` with every file of the file map created empty.
    static DataContext Create(const std::string& folder);

    DataContext(const DataContext&) = default;
    DataContext& operator=(const DataContext&) = default;

    datafilemap* File(int number) { return &m_files.at(static_cast<size_t>(number)); }
    const std::string& Folder() const { return m_env->Folder(); }
    FileEnvironment& Environment() const { return *m_env; }
    const std::shared_ptr<FileEnvironment>& SharedEnvironment() const { return m_env; }

private:
    explicit DataContext(std::shared_ptr<FileEnvironment> env);

    std::shared_ptr<FileEnvironment> m_env;
    std::array<datafilemap, kFileBlockSize> m_files;
};

}  // namespace kelo
