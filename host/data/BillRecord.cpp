#include "host/data/BillRecord.h"

namespace kelo {

namespace {

constexpr Field kFields[] = {
    kBillPayTo,    kBillDetails,      kBillReference,       kBillTaxCode,   kBillDate,
    kBillDatePaid, kBillDueDate,      kBillNetAmount,       kBillTaxAmount, kBillNetPaid,
    kBillTaxPaid,  kBillFirstDueDate, kBillFirstDueDateSet,
};

}  // namespace

const Layout kBillLayout{"bill", kBillLength, kFields};

}  // namespace kelo
