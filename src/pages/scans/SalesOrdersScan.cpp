#include "src/pages/scans/SalesOrdersScan.h"

#include "host/data/FileMap.h"
#include "host/data/IndexKeys.h"
#include "host/data/SalesOrderRecord.h"
#include "host/framework/BusinessObjects.h"
#include "src/pages/scans/IndexedListScan.h"

namespace kelo {

namespace {

const IndexedList kSalesOrderFile{&CBSalesOrder::GetStaticResourcesFor, kFileSalesOrders,
                                  kFileSalesOrderIndex,                 kSalesOrderLength,
                                  kDocumentKeyLength,                   kSalesOrderCustomerName};

uint32_t classify(const uint8_t* rec) { return ClassifySalesOrder(GetI8(rec, kSalesOrderStatus)); }

void build(const uint8_t* rec, const CKColumnSet&, std::span<uint8_t> row)
{
    WriteDocumentRow(row, GetU32(rec, kSalesOrderNumber), GetU16(rec, kSalesOrderDate),
                     GetText(rec, kSalesOrderCustomerName), SalesOrderValueOf(rec));
}

}  // namespace

uint32_t ClassifySalesOrder(int8_t status)
{
    switch (status) {
    case 0: case 1: case 4: case 11: return kSopToAllocate;
    case 2: case 5: case 6: return kSopToDespatch;
    case 9: case 10: return kSopHeld;
    case 3: case 7: return kSopCancelled;
    case 8: return kSopCompleted;
    default: return 0;
    }
}

double SalesOrderValueOf(const uint8_t* rec)
{
    double value = GetF64(rec, kSalesOrderAmount2) + GetF64(rec, kSalesOrderAmount1);
    value += GetF64(rec, kSalesOrderAmount3);
    value += GetF64(rec, kSalesOrderAmount4);
    return value;
}

std::vector<TaskCategory> SalesOrdersCategories(const std::string&, const CBAccessManager&)
{
    return {{"To Allocate", kSopToAllocate},
            {"Allocated, to Despatch", kSopToDespatch},
            {"Held", kSopHeld},
            {"Cancelled", kSopCancelled},
            {"Completed", kSopCompleted}};
}

const CKColumnSet& SalesOrdersColumns() { return DocumentColumns(); }

void ScanSalesOrders(const ScanInput& input, ScanSink& sink)
{
    ScanIndexedList(input, sink, kSalesOrderFile, DocumentColumns(), &classify, &build);
}

const TaskScan& SalesOrdersTaskScan()
{
    static const TaskScan scan{kSalesOrdersCommand, "Sales Orders", &SalesOrdersCategories,
                               &SalesOrdersColumns, &ScanSalesOrders};
    return scan;
}

}  // namespace kelo
