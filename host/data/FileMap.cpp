#include "host/data/FileMap.h"

#include <algorithm>

#include "host/data/AccountRecord.h"
#include "host/data/AllocationRecord.h"
#include "host/data/AuditHeaderRecord.h"
#include "host/data/BankRecord.h"
#include "host/data/BillRecord.h"
#include "host/data/DepartmentRecord.h"
#include "host/data/IndexKeys.h"
#include "host/data/InvoiceRecord.h"
#include "host/data/NominalRecord.h"
#include "host/data/PurchaseOrderRecord.h"
#include "host/data/RecurringRecord.h"
#include "host/data/SalesOrderRecord.h"
#include "host/data/SetupRecord.h"
#include "host/data/SplitRecord.h"
#include "host/data/StockRecord.h"
#include "host/data/TaxControlRecord.h"
#include "host/data/ToDoRecord.h"
#include "host/data/UserRecord.h"

namespace kelo {

namespace {

// Usages and fixed assets are only counted, so their fields are the host's alone.
constexpr uint32_t kUsageLength = 128;
constexpr uint32_t kAssetLength = 512;

constexpr FileInfo Data(int number, const char* path, uint32_t length, const Layout* layout)
{
    return FileInfo{number, path, FileKind::Data, length, -1, layout};
}

constexpr FileInfo Linked(FileInfo info, const Field& link, bool chains)
{
    info.link = &link;
    info.linkChains = chains;
    return info;
}

constexpr FileInfo Index(int number, const char* path, uint32_t keyWidth, int dataFile)
{
    return FileInfo{number, path, FileKind::Index, keyWidth, dataFile, nullptr};
}

// In file-number order.
const FileInfo kFiles[] = {
    Data(kFileSetup, "SETUP.DTA", kSetupLength, &kSetupLayout),
    Linked(Data(kFileCustomers, "SALES.DTA", kAccountLength, &kAccountLayout), kAccountFirstHeader,
           false),
    Linked(Data(kFileSuppliers, "PURCHASE.DTA", kAccountLength, &kAccountLayout), kAccountFirstHeader,
           false),
    Data(kFileNominal, "NOMINAL.DTA", kNominalLength, &kNominalLayout),
    Data(kFileBank, "BANK.DTA", kBankLength, &kBankLayout),
    Linked(Data(kFileAuditHeaders, "HEADER.DTA", kAuditHeaderLength, &kAuditHeaderLayout),
           kHeaderNextHeader, true),
    Index(kFileCustomerIndex, "SALES.IDX", kAccountKeyLength, kFileCustomers),
    Index(kFileSupplierIndex, "PURCHASE.IDX", kAccountKeyLength, kFileSuppliers),
    Index(kFileNominalIndex, "NOMINAL.IDX", kAccountKeyLength, kFileNominal),
    Index(kFileBankIndex, "BANK.IDX", kAccountKeyLength, kFileBank),
    Data(kFileTaxControl, "TAXCTRL.DTA", kTaxControlLength, &kTaxControlLayout),
    Data(kFileRecurring, "RECUR.DTA", kRecurringLength, &kRecurringLayout),
    Data(kFileSalesOrders, "SOP.DTA", kSalesOrderLength, &kSalesOrderLayout),
    Index(kFileSalesOrderIndex, "SOP.IDX", kDocumentKeyLength, kFileSalesOrders),
    Data(kFilePurchaseOrders, "POP.DTA", kPurchaseOrderLength, &kPurchaseOrderLayout),
    Index(kFilePurchaseOrderIndex, "POP.IDX", kDocumentKeyLength, kFilePurchaseOrders),
    Data(kFileUsers, "USERS.DTA", kUserLength, &kUserLayout),
    Data(kFileSplits, "SPLIT.DTA", kSplitLength, &kSplitLayout),
    Data(kFileAllocations, "ALLOC.DTA", kAllocationLength, &kAllocationLayout),
    Data(kFileToDo, "TODO.DTA", kToDoLength, &kToDoLayout),
    Index(kFileToDoIndex, "TODO.IDX", kToDoKeyLength, kFileToDo),
    FileInfo{kFileToDoNotes, "TODO.NOT", FileKind::Notes, 0, -1, nullptr},
    Data(kFileBills, "BILLS.DTA", kBillLength, &kBillLayout),
    Data(kFileInvoices, "INVOICE.DTA", kInvoiceLength, &kInvoiceLayout),
    Index(kFileInvoiceIndex, "INVOICE.IDX", kDocumentKeyLength, kFileInvoices),
    Data(kFileStock, "STOCK.DTA", kStockLength, &kStockLayout),
    Index(kFileStockIndex, "STOCK.IDX", kStockKeyLength, kFileStock),
    Data(kFileDepartments, "DEPT.DTA", kDepartmentLength, &kDepartmentLayout),
    Data(kFileUsages, "USAGE.DTA", kUsageLength, nullptr),
    Data(kFileAssets, "ASSETS.DTA", kAssetLength, nullptr),
    Index(kFileTransactionIndex, "TRANNO.IDX", kTransactionKeyLength, kFileSplits),
};

}  // namespace

std::span<const FileInfo> AllFiles() { return kFiles; }

const FileInfo* FindFile(int number)
{
    const auto it = std::lower_bound(std::begin(kFiles), std::end(kFiles), number,
                                     [](const FileInfo& f, int n) { return f.number < n; });
    return (it != std::end(kFiles) && it->number == number) ? &*it : nullptr;
}

}  // namespace kelo
