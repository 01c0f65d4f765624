#include "host/data/InvoiceRecord.h"

namespace kelo {

namespace {

constexpr Field kFields[] = {
    kInvoiceNumber,  kInvoiceCustomerName, kInvoiceType, kInvoiceAmount1, kInvoiceAmount2,
    kInvoiceAmount3, kInvoiceAmount4,      kInvoiceDate, kInvoicePrinted, kInvoicePosted,
};

}  // namespace

const Layout kInvoiceLayout{"invoice", kInvoiceLength, kFields};

}  // namespace kelo
