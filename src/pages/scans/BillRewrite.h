#pragma once

#include <cstdint>
#include <string>

namespace kelo {

class DataContext;

// The bill file has no index: a bill is removed by rewriting the file without it, so the bills
// after it move down one record number. The new file is made beside the old one (same path,
// extension "TMP"), filled, and renamed over it.

// The path of the rewrite's new file: `path` up to and including its last "." then "TMP"
// ("BILLS.DTA" -> "BILLS.TMP"); a path with no "." gets ".TMP".
std::string BillRewritePath(const std::string& path);

// Rewrites the bill file of `context` without record `recNo`. Must run inside an obtained
// data-resource bracket that writes (the CBBill resources in delete mode): the new file, the
// copy, the removal of the old file and the rename all land in its transaction, so they commit
// together or not at all. Returns false, with nothing changed, when the new file cannot be made.
// Throws FileError on a fault of the data layer during the copy.
bool RewriteBillFileWithout(DataContext& context, uint32_t recNo);

}  // namespace kelo
