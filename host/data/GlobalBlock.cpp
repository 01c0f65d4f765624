#include "host/data/GlobalBlock.h"

#include <cstring>

namespace kelo {

uint8_t* g_lpGlobVar = nullptr;

namespace {

constexpr Field kFields[] = {
    kGlobalProgramDir,        kGlobalDataPath,          kGlobalLicensee,
    kGlobalSupplierMonthAging, kGlobalSupplierPeriod1,  kGlobalSupplierPeriod2,
    kGlobalSupplierPeriod3,   kGlobalSupplierOlder,     kGlobalCustomerMonthAging,
    kGlobalCustomerPeriod1,   kGlobalCustomerPeriod2,   kGlobalCustomerPeriod3,
    kGlobalCustomerOlder,     kGlobalQuantityDecimals,  kGlobalLastBackup,
    kGlobalClearAuditRan,     kGlobalSerial,            kGlobalAgeAsCurrent,
    kGlobalOutOfStockRule,    kGlobalClearStockRan,     kGlobalLastRestore,
    kGlobalLastInvoice,       kGlobalLastCreditNote,    kGlobalLastSalesOrder,
    kGlobalLastPurchaseOrder, kGlobalDataContext,       kGlobalUserName,
    kGlobalLocalise,          kGlobalAutoComplete,      kGlobalForeignTrader,
};

}  // namespace

const Layout kGlobalBlockLayout{"global_block", kGlobalBlockLength, kFields};

DataContext* GlobalBlock::Context() const
{
    if (!m_block) return nullptr;
    static_assert(sizeof(DataContext*) <= kGlobalDataContext.width);
    DataContext* context = nullptr;
    std::memcpy(&context, m_block + kGlobalDataContext.offset, sizeof context);
    return context;
}

void GlobalBlock::SetContext(DataContext* context)
{
    std::memset(m_block + kGlobalDataContext.offset, 0, kGlobalDataContext.width);
    std::memcpy(m_block + kGlobalDataContext.offset, &context, sizeof context);
}

std::string GlobalBlock::Text(const Field& field) const
{
    return m_block ? GetText(m_block, field) : std::string();
}

void GlobalBlock::SetText(const Field& field, const std::string& text)
{
    SetTextUnpadded(m_block, field, text);
}

uint16_t GlobalBlock::U16(const Field& field) const { return m_block ? GetU16(m_block, field) : 0; }
int16_t GlobalBlock::I16(const Field& field) const { return m_block ? GetI16(m_block, field) : 0; }
uint32_t GlobalBlock::U32(const Field& field) const { return m_block ? GetU32(m_block, field) : 0; }
uint8_t GlobalBlock::U8(const Field& field) const { return m_block ? GetU8(m_block, field) : 0; }
void GlobalBlock::SetU16(const Field& field, uint16_t value) { kelo::SetU16(m_block, field, value); }
void GlobalBlock::SetI16(const Field& field, int16_t value) { kelo::SetI16(m_block, field, value); }
void GlobalBlock::SetU32(const Field& field, uint32_t value) { kelo::SetU32(m_block, field, value); }
void GlobalBlock::SetU8(const Field& field, uint8_t value) { kelo::SetU8(m_block, field, value); }

}  // namespace kelo
