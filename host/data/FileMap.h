#pragma once

#include <cstdint>
#include <span>

#include "host/data/Field.h"

namespace kelo {

// Positions of the files in the file block. The one place that names a file number.
enum FileNo : int {
    kFileSetup = 0,
    kFileCustomers = 8,
    kFileSuppliers = 9,
    kFileNominal = 10,
    kFileBank = 11,
    kFileAuditHeaders = 12,
    kFileCustomerIndex = 13,
    kFileSupplierIndex = 14,
    kFileNominalIndex = 15,
    kFileBankIndex = 16,
    kFileTaxControl = 18,
    kFileRecurring = 21,
    kFileSalesOrders = 25,
    kFileSalesOrderIndex = 26,
    kFilePurchaseOrders = 28,
    kFilePurchaseOrderIndex = 29,
    kFileUsers = 31,
    kFileSplits = 36,
    kFileAllocations = 37,
    kFileToDo = 43,
    kFileToDoIndex = 44,
    kFileToDoNotes = 45,
    kFileBills = 46,
    // Numbers of our choosing for the files whose position the host leaves open.
    kFileInvoices = 50,
    kFileInvoiceIndex = 51,
    kFileStock = 52,
    kFileStockIndex = 53,
    kFileDepartments = 54,
    kFileUsages = 55,
    kFileAssets = 56,
    kFileTransactionIndex = 108,
};

inline constexpr int kFileBlockSize = 128;  // file numbers 0..127

enum class FileKind { Data, Index, Notes };

struct FileInfo {
    int number;
    const char* path;       // the file's path name in the company (GetPathName)
    FileKind kind;
    uint32_t recordLength;  // data files: the record length; index files: the key width
    int dataFile;           // index files: the data file the index serves; otherwise -1
    const Layout* layout;   // data files with a layout; nullptr otherwise
    // Data files a fill walks as chains: the u32 naming the record read after this one, the
    // next of the same chain in this file (linkChains) or the first of a chain in another. A
    // server backend keeps it beside the stored bytes, to read chains ahead. nullptr: none.
    const Field* link = nullptr;
    bool linkChains = false;
};

// Every file of a company, in file-number order.
std::span<const FileInfo> AllFiles();

// nullptr when no file has that number.
const FileInfo* FindFile(int number);

}  // namespace kelo
