#pragma once

// The host's business-object classes as far as the module uses them: the resources each
// needs in a data-resource bracket, and the number of records it holds (GetCount, the highest
// record number of its data file, as the About box reports it).

#include <cstdint>

#include "host/framework/CDDataResources.h"

namespace kelo {

class DataContext;

#define KELO_BUSINESS_OBJECT(Name)                                   \
    struct Name final {                                              \
        static CDDataResources GetStaticResourcesFor(int mode = 0); \
        static uint32_t GetCount(DataContext& context);              \
    }

KELO_BUSINESS_OBJECT(CBToDo);
KELO_BUSINESS_OBJECT(CBBill);
KELO_BUSINESS_OBJECT(CDPersistentAccess);
KELO_BUSINESS_OBJECT(CBTranhead);
KELO_BUSINESS_OBJECT(CBTransplit);
KELO_BUSINESS_OBJECT(CBTranusage);
KELO_BUSINESS_OBJECT(CBCustomer);
KELO_BUSINESS_OBJECT(CBSupplier);
KELO_BUSINESS_OBJECT(CBNom);
KELO_BUSINESS_OBJECT(CBBank);
KELO_BUSINESS_OBJECT(CBStock);
KELO_BUSINESS_OBJECT(CBInvoice);
KELO_BUSINESS_OBJECT(CBSalesOrder);
KELO_BUSINESS_OBJECT(CBPurchaseOrder);
KELO_BUSINESS_OBJECT(CBAsset);
KELO_BUSINESS_OBJECT(CDPersistentRecurringEntry);
KELO_BUSINESS_OBJECT(CDPersistentStock);
KELO_BUSINESS_OBJECT(CDPersistentNom);
KELO_BUSINESS_OBJECT(CDPersistentBank);

#undef KELO_BUSINESS_OBJECT

}  // namespace kelo
