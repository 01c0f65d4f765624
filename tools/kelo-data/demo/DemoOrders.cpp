#include <cstdint>

#include "host/util/Money.h"
#include "host/data/FileMap.h"
#include "host/data/IndexKeys.h"
#include "host/data/InvoiceRecord.h"
#include "host/data/PurchaseOrderRecord.h"
#include "host/data/SalesOrderRecord.h"
#include "tools/kelo-data/demo/DemoFamilies.h"

namespace kelo::demo {

namespace {

constexpr int kInvoicesPerScale = 1000;
constexpr int kSalesOrdersPerScale = 600;
constexpr int kPurchaseOrdersPerScale = 400;
// The newest documents run through every state in turn, so each state has rows however the
// seed falls; older ones are mostly finished with.
constexpr int kCycledDocuments = 24;

struct Document {
    const Field& number;
    const Field& name;
    const Field& amount1;
    const Field& amount2;
    const Field& amount3;
    const Field& amount4;
    const Field& date;
    uint32_t length;
    int file, index;
};

const Document kInvoice{kInvoiceNumber,  kInvoiceCustomerName, kInvoiceAmount1, kInvoiceAmount2,
                        kInvoiceAmount3, kInvoiceAmount4,      kInvoiceDate,    kInvoiceLength,
                        kFileInvoices,   kFileInvoiceIndex};
const Document kSalesOrder{kSalesOrderNumber,  kSalesOrderCustomerName, kSalesOrderAmount1,
                           kSalesOrderAmount2, kSalesOrderAmount3,      kSalesOrderAmount4,
                           kSalesOrderDate,    kSalesOrderLength,       kFileSalesOrders,
                           kFileSalesOrderIndex};
const Document kPurchaseOrder{kPurchaseOrderNumber,  kPurchaseOrderSupplierName,
                              kPurchaseOrderAmount1, kPurchaseOrderAmount2,
                              kPurchaseOrderAmount3, kPurchaseOrderAmount4,
                              kPurchaseOrderDate,    kPurchaseOrderLength,
                              kFilePurchaseOrders,   kFilePurchaseOrderIndex};

// Makes `count` documents dated over the last `days` days, oldest first; `state(rec, i, age)`
// sets what is particular to the kind. Document `deleted` (1-based, 0 = none) is written as a
// deleted record with no key.
template <typename State>
void makeDocuments(DemoBuilder& b, const Document& d, const std::vector<DemoAccount>& accounts,
                   int count, uint32_t firstNumber, int days, uint32_t deleted, State state)
{
    DemoRandom& r = b.Random();
    Record rec = Blank(d.length);
    for (int i = 0; i < count; ++i) {
        const uint32_t recno = uint32_t(i + 1);
        if (recno == deleted) {
            std::fill(rec.begin(), rec.end(), 0xFF);
            b.Put(d.file, recno, rec);
            continue;
        }
        std::fill(rec.begin(), rec.end(), 0);
        uint8_t* p = rec.data();
        const uint32_t number = firstNumber + uint32_t(i);
        const int age = days - int(int64_t(days) * i / count);
        SetU32(p, d.number, number);
        SetText(p, d.name, accounts[r.Below(uint32_t(accounts.size()))].name);
        const double net = r.Money(25, 3000);
        const double carriage = r.Chance(30) ? r.Money(5, 25) : 0.0;
        SetF64(p, d.amount1, net);
        SetF64(p, d.amount2, Round(net * 0.2, 2));
        SetF64(p, d.amount3, carriage);
        SetF64(p, d.amount4, Round(carriage * 0.2, 2));
        SetU16(p, d.date, b.Day(-age));
        state(p, count - 1 - i, age);
        b.Put(d.file, recno, rec);
        const DocumentKey key = BuildDocumentKey(number, recno);
        b.Key(d.index, key.data(), recno);
    }
}

}  // namespace

void MakeOrders(DemoBuilder& b)
{
    DemoRandom& r = b.Random();
    const int invoices = kInvoicesPerScale * b.Scale();
    makeDocuments(b, kInvoice, b.customers, invoices, 20001, 365, 7,
                  [&](uint8_t* p, int newest, int age) {
                      int type = r.Chance(90) ? int(r.Below(3)) : 3 + int(r.Below(2));
                      bool printed = true, posted = age > 14 ? r.Chance(98) : r.Chance(40);
                      if (age <= 14) printed = r.Chance(50);
                      if (newest < kCycledDocuments) {
                          // invoice and credit note alternately, through the four states
                          type = newest % 2 ? 3 + (newest / 8) % 2 : (newest / 8) % 3;
                          printed = (newest / 2) % 2;
                          posted = (newest / 4) % 2;
                      }
                      SetI8(p, kInvoiceType, int8_t(type));
                      SetU8(p, kInvoicePrinted, printed);
                      SetU8(p, kInvoicePosted, posted);
                  });
    const int salesOrders = kSalesOrdersPerScale * b.Scale();
    makeDocuments(b, kSalesOrder, b.customers, salesOrders, 5001, 300, 0,
                  [&](uint8_t* p, int newest, int age) {
                      int status = age > 45 ? (r.Chance(90) ? 8 : (r.Chance(50) ? 3 : 7))
                                            : int(r.Below(12));
                      if (newest < kCycledDocuments) status = newest % 12;
                      SetI8(p, kSalesOrderStatus, int8_t(status));
                  });
    const int purchaseOrders = kPurchaseOrdersPerScale * b.Scale();
    makeDocuments(b, kPurchaseOrder, b.suppliers, purchaseOrders, 3001, 300, 0,
                  [&](uint8_t* p, int newest, int age) {
                      int status = age > 45 ? (r.Chance(90) ? 8 : 3) : int(r.Below(9));
                      if (newest < kCycledDocuments) status = newest % 9;
                      SetI8(p, kPurchaseOrderStatus, int8_t(status));
                  });
    b.Report("documents: " + Count(invoices) + " invoices and credit notes, " +
             Count(salesOrders) + " sales orders, " + Count(purchaseOrders) + " purchase orders");
}

}  // namespace kelo::demo
