#include "host/data/FileMap.h"

#include <set>
#include <string>

#include <gtest/gtest.h>

#include "host/data/Layouts.h"

namespace kelo {
namespace {

TEST(FileMap, EveryFileNumberHasOneEntry)
{
    const int numbers[] = {
        kFileSetup,
        kFileCustomers,
        kFileSuppliers,
        kFileNominal,
        kFileBank,
        kFileAuditHeaders,
        kFileCustomerIndex,
        kFileSupplierIndex,
        kFileNominalIndex,
        kFileBankIndex,
        kFileTaxControl,
        kFileRecurring,
        kFileSalesOrders,
        kFileSalesOrderIndex,
        kFilePurchaseOrders,
        kFilePurchaseOrderIndex,
        kFileUsers,
        kFileSplits,
        kFileAllocations,
        kFileToDo,
        kFileToDoIndex,
        kFileToDoNotes,
        kFileBills,
        kFileInvoices,
        kFileInvoiceIndex,
        kFileStock,
        kFileStockIndex,
        kFileDepartments,
        kFileUsages,
        kFileAssets,
        kFileTransactionIndex,
    };
    EXPECT_EQ(AllFiles().size(), std::size(numbers));
    for (int n : numbers) {
        const FileInfo* info = FindFile(n);
        ASSERT_NE(info, nullptr) << n;
        EXPECT_EQ(info->number, n);
    }
    EXPECT_EQ(FindFile(1), nullptr);
    EXPECT_EQ(FindFile(-1), nullptr);
    EXPECT_EQ(FindFile(kFileBlockSize), nullptr);
}

TEST(FileMap, InNumberOrderWithDistinctPathsInsideTheBlock)
{
    std::set<std::string> paths;
    int previous = -1;
    for (const FileInfo& f : AllFiles()) {
        EXPECT_GT(f.number, previous) << f.path;
        EXPECT_LT(f.number, kFileBlockSize) << f.path;
        previous = f.number;
        EXPECT_TRUE(paths.insert(f.path).second) << "duplicate path " << f.path;
        const std::string path = f.path;
        const std::string ext = path.substr(path.find('.') + 1);
        EXPECT_EQ(ext, f.kind == FileKind::Data    ? "DTA"
                       : f.kind == FileKind::Index ? "IDX"
                                                   : "NOT")
            << path;
    }
}

TEST(FileMap, IndexesServeDataFilesAndDataLengthsMatchTheirLayouts)
{
    for (const FileInfo& f : AllFiles()) {
        SCOPED_TRACE(f.path);
        if (f.kind == FileKind::Index) {
            const FileInfo* data = FindFile(f.dataFile);
            ASSERT_NE(data, nullptr);
            EXPECT_EQ(data->kind, FileKind::Data);
            EXPECT_GT(f.recordLength, 0u);
            EXPECT_EQ(f.layout, nullptr);
        } else {
            EXPECT_EQ(f.dataFile, -1);
        }
        if (f.kind == FileKind::Data) {
            EXPECT_GT(f.recordLength, 0u);
            if (f.layout) {
                EXPECT_EQ(f.layout->length, f.recordLength);
                EXPECT_EQ(FindLayout(f.layout->name), f.layout);
            }
        }
    }
}

TEST(FileMap, FilesThePagesNameByNumber)
{
    struct Expect {
        int number;
        const char* path;
        FileKind kind;
        uint32_t length;
        int dataFile;
    };
    const Expect expected[] = {
        {kFileCustomerIndex, "SALES.IDX", FileKind::Index, 9, kFileCustomers},
        {kFileSupplierIndex, "PURCHASE.IDX", FileKind::Index, 9, kFileSuppliers},
        {kFileNominalIndex, "NOMINAL.IDX", FileKind::Index, 9, kFileNominal},
        {kFileBankIndex, "BANK.IDX", FileKind::Index, 9, kFileBank},
        {kFileSalesOrderIndex, "SOP.IDX", FileKind::Index, 12, kFileSalesOrders},
        {kFilePurchaseOrderIndex, "POP.IDX", FileKind::Index, 12, kFilePurchaseOrders},
        {kFileInvoiceIndex, "INVOICE.IDX", FileKind::Index, 12, kFileInvoices},
        {kFileStockIndex, "STOCK.IDX", FileKind::Index, 35, kFileStock},
        {kFileToDoIndex, "TODO.IDX", FileKind::Index, 45, kFileToDo},
        {kFileTransactionIndex, "TRANNO.IDX", FileKind::Index, 4, kFileSplits},
        {kFileToDo, "TODO.DTA", FileKind::Data, 233, -1},
        {kFileToDoNotes, "TODO.NOT", FileKind::Notes, 0, -1},
        {kFileBills, "BILLS.DTA", FileKind::Data, 156, -1},
        {kFileCustomers, "SALES.DTA", FileKind::Data, 4819, -1},
        {kFileSuppliers, "PURCHASE.DTA", FileKind::Data, 4819, -1},
        {kFileAuditHeaders, "HEADER.DTA", FileKind::Data, 784, -1},
        {kFileSplits, "SPLIT.DTA", FileKind::Data, 539, -1},
    };
    for (const Expect& e : expected) {
        const FileInfo* f = FindFile(e.number);
        ASSERT_NE(f, nullptr) << e.path;
        EXPECT_STREQ(f->path, e.path);
        EXPECT_EQ(f->kind, e.kind) << e.path;
        EXPECT_EQ(f->recordLength, e.length) << e.path;
        EXPECT_EQ(f->dataFile, e.dataFile) << e.path;
    }
}

}  // namespace
}  // namespace kelo
