#pragma once

// What the commands share: opening a company, naming a file, and the rules that tie an indexed
// data file to its index (which records are live, which key each one has).

#include <cstdint>
#include <string>
#include <string_view>

#include "host/file/DataContext.h"
#include "host/data/FileMap.h"

namespace kelo::tool {

// True when `folder` holds a company (its LMDB environment).
bool IsCompanyFolder(const std::string& folder);

// Opens the company in `folder`; throws ToolError naming the folder when it is none.
// forReading: for commands that never write (a read-only folder still opens).
DataContext OpenCompany(const std::string& folder, bool forReading = false);

// The file named by `arg`: a file number ("12") or a path name ("HEADER.DTA", any case).
// Throws ToolError naming `arg` when no file matches.
const FileInfo& ResolveFile(std::string_view arg);

// The index file that serves data file `dataFile`, or nullptr when it has none.
const FileInfo* IndexOf(int dataFile);

// True when a record of indexed data file `dataFile` is deleted: overwritten with 0xFF, as the
// scans see it (the first byte of the name of accounts, documents and stock, of the record
// otherwise).
bool IsDeletedRecord(int dataFile, const uint8_t* rec);
// The byte whose 0xFF marks a record of indexed data file `dataFile` deleted.
uint32_t DeletionMarkOffset(int dataFile);

// The key (the index's key width) that record `recno` of `dataFile` has in its index.
std::string IndexKeyOf(int dataFile, const uint8_t* rec, uint32_t recno);

// A key for people: printable bytes as they are, others as \xNN.
std::string PrintableKey(std::string_view key);

// Parses a whole decimal number; throws ToolError naming `what` when `text` is not one in range.
long long ParseNumber(std::string_view text, std::string_view what, long long min, long long max);

}  // namespace kelo::tool
