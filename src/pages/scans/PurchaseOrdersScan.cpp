#include "src/pages/scans/PurchaseOrdersScan.h"

#include "host/data/FileMap.h"
#include "host/data/IndexKeys.h"
#include "host/data/PurchaseOrderRecord.h"
#include "host/framework/BusinessObjects.h"
#include "src/pages/scans/IndexedListScan.h"

namespace kelo {

namespace {

const IndexedList kPurchaseOrderFile{
    &CBPurchaseOrder::GetStaticResourcesFor, kFilePurchaseOrders, kFilePurchaseOrderIndex,
    kPurchaseOrderLength, kDocumentKeyLength, kPurchaseOrderSupplierName};

uint32_t classify(const uint8_t* rec)
{
    return ClassifyPurchaseOrder(GetI8(rec, kPurchaseOrderStatus));
}

void build(const uint8_t* rec, const CKColumnSet&, std::span<uint8_t> row)
{
    WriteDocumentRow(row, GetU32(rec, kPurchaseOrderNumber), GetU16(rec, kPurchaseOrderDate),
                     GetText(rec, kPurchaseOrderSupplierName), PurchaseOrderValueOf(rec));
}

}  // namespace

uint32_t ClassifyPurchaseOrder(int8_t status)
{
    switch (status) {
    case 0: return kPopToOrder;
    case 2: case 6: return kPopToDeliver;
    case 3: return kPopCancelled;
    case 8: return kPopCompleted;
    default: return 0;
    }
}

double PurchaseOrderValueOf(const uint8_t* rec)
{
    double value = GetF64(rec, kPurchaseOrderAmount2) + GetF64(rec, kPurchaseOrderAmount1);
    value += GetF64(rec, kPurchaseOrderAmount3);
    value += GetF64(rec, kPurchaseOrderAmount4);
    return value;
}

std::vector<TaskCategory> PurchaseOrdersCategories(const std::string&, const CBAccessManager&)
{
    return {{"To Order", kPopToOrder},
            {"To Deliver", kPopToDeliver},
            {"Cancelled", kPopCancelled},
            {"Completed", kPopCompleted}};
}

const CKColumnSet& PurchaseOrdersColumns() { return DocumentColumns(); }

void ScanPurchaseOrders(const ScanInput& input, ScanSink& sink)
{
    ScanIndexedList(input, sink, kPurchaseOrderFile, DocumentColumns(), &classify, &build);
}

const TaskScan& PurchaseOrdersTaskScan()
{
    static const TaskScan scan{kPurchaseOrdersCommand, "Purchase Orders",
                               &PurchaseOrdersCategories, &PurchaseOrdersColumns,
                               &ScanPurchaseOrders};
    return scan;
}

}  // namespace kelo
