#include "host/framework/BusinessObjects.h"

#include <initializer_list>

#include "host/file/RecordFile.h"

namespace kelo {
namespace {

CDDataResources files(std::initializer_list<int> data, std::initializer_list<int> indexes, int mode)
{
    CDDataResources r;
    for (int f : data) r.AddDataFile(f, mode);
    for (int f : indexes) r.AddIndexFile(f, mode);
    return r;
}

uint32_t count(DataContext& context, int file) { return RecCount(context.File(file)); }

}  // namespace

#define KELO_DEFINE(Name, Counted, Data, Indexes)                                              \
    CDDataResources Name::GetStaticResourcesFor(int mode) { return files(Data, Indexes, mode); } \
    uint32_t Name::GetCount(DataContext& context) { return count(context, Counted); }

#define L(...) {__VA_ARGS__}

KELO_DEFINE(CBToDo, kFileToDo, L(kFileToDo, kFileToDoNotes), L(kFileToDoIndex))
KELO_DEFINE(CBBill, kFileBills, L(kFileBills), L())
KELO_DEFINE(CDPersistentAccess, kFileUsers, L(kFileUsers), L())
KELO_DEFINE(CBTranhead, kFileAuditHeaders, L(kFileAuditHeaders, kFileSplits, kFileAllocations),
            L(kFileTransactionIndex))
KELO_DEFINE(CBTransplit, kFileSplits, L(kFileSplits), L(kFileTransactionIndex))
KELO_DEFINE(CBTranusage, kFileUsages, L(kFileUsages), L())
KELO_DEFINE(CBCustomer, kFileCustomers, L(kFileCustomers), L(kFileCustomerIndex))
KELO_DEFINE(CBSupplier, kFileSuppliers, L(kFileSuppliers), L(kFileSupplierIndex))
KELO_DEFINE(CBNom, kFileNominal, L(kFileNominal), L(kFileNominalIndex))
KELO_DEFINE(CBBank, kFileBank, L(kFileBank), L(kFileBankIndex))
KELO_DEFINE(CBStock, kFileStock, L(kFileStock), L(kFileStockIndex))
KELO_DEFINE(CBInvoice, kFileInvoices, L(kFileInvoices), L(kFileInvoiceIndex))
KELO_DEFINE(CBSalesOrder, kFileSalesOrders, L(kFileSalesOrders), L(kFileSalesOrderIndex))
KELO_DEFINE(CBPurchaseOrder, kFilePurchaseOrders, L(kFilePurchaseOrders), L(kFilePurchaseOrderIndex))
KELO_DEFINE(CBAsset, kFileAssets, L(kFileAssets), L())
KELO_DEFINE(CDPersistentRecurringEntry, kFileRecurring, L(kFileRecurring), L())
KELO_DEFINE(CDPersistentStock, kFileStock, L(kFileStock), L(kFileStockIndex))
KELO_DEFINE(CDPersistentNom, kFileNominal, L(kFileNominal), L(kFileNominalIndex))
KELO_DEFINE(CDPersistentBank, kFileBank, L(kFileBank), L(kFileBankIndex))

}  // namespace kelo
