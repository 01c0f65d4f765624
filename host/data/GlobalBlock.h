#pragma once

#include <cstdint>
#include <string>

#include "host/data/Field.h"

namespace kelo {

class DataContext;

// The host's global variable block: a byte block the host fills when it opens a company and the
// module reads when it opens its window. Fields the host places are at the host's offsets;
// values the host leaves to us (the auto-complete option word) sit in the reserved tail.
inline constexpr uint32_t kGlobalBlockLength = 46528;

inline constexpr Field kGlobalProgramDir{"program_dir", 210, 260, FieldType::Text};
inline constexpr Field kGlobalDataPath{"data_path", 470, 260, FieldType::Text};
inline constexpr Field kGlobalLicensee{"licensee", 733, 64, FieldType::Text};
inline constexpr Field kGlobalSupplierMonthAging{"supplier_month_aging", 1229, 1, FieldType::U8};
inline constexpr Field kGlobalSupplierPeriod1{"supplier_period_1", 1414, 2, FieldType::I16};
inline constexpr Field kGlobalSupplierPeriod2{"supplier_period_2", 1416, 2, FieldType::I16};
inline constexpr Field kGlobalSupplierPeriod3{"supplier_period_3", 1418, 2, FieldType::I16};
inline constexpr Field kGlobalSupplierOlder{"supplier_older", 1420, 2, FieldType::I16};
inline constexpr Field kGlobalCustomerMonthAging{"customer_month_aging", 1582, 1, FieldType::U8};
inline constexpr Field kGlobalCustomerPeriod1{"customer_period_1", 1607, 2, FieldType::I16};
inline constexpr Field kGlobalCustomerPeriod2{"customer_period_2", 1609, 2, FieldType::I16};
inline constexpr Field kGlobalCustomerPeriod3{"customer_period_3", 1611, 2, FieldType::I16};
inline constexpr Field kGlobalCustomerOlder{"customer_older", 1613, 2, FieldType::I16};
inline constexpr Field kGlobalQuantityDecimals{"quantity_decimals", 1781, 2, FieldType::I16};
inline constexpr Field kGlobalLastBackup{"last_backup", 4670, 2, FieldType::U16};
inline constexpr Field kGlobalClearAuditRan{"clear_audit_ran", 4818, 2, FieldType::U16};
inline constexpr Field kGlobalSerial{"serial", 5176, 64, FieldType::Text};
inline constexpr Field kGlobalAgeAsCurrent{"age_as_current", 5486, 2, FieldType::U16};
inline constexpr Field kGlobalOutOfStockRule{"out_of_stock_rule", 5500, 2, FieldType::U16};
inline constexpr Field kGlobalClearStockRan{"clear_stock_ran", 5552, 2, FieldType::U16};
inline constexpr Field kGlobalLastRestore{"last_restore", 7046, 2, FieldType::U16};
inline constexpr Field kGlobalLastInvoice{"last_invoice", 34603, 4, FieldType::U32};
inline constexpr Field kGlobalLastCreditNote{"last_credit_note", 34607, 4, FieldType::U32};
inline constexpr Field kGlobalLastSalesOrder{"last_sales_order", 34611, 4, FieldType::U32};
inline constexpr Field kGlobalLastPurchaseOrder{"last_purchase_order", 34615, 4, FieldType::U32};
// The open company's file block: a DataContext* of the host's, 8 bytes on 64-bit systems.
inline constexpr Field kGlobalDataContext{"data_context", 35128, 8, FieldType::Bytes};
// The logged-on user's name, at the start of the host's copy of the user's record.
inline constexpr Field kGlobalUserName{"user_name", 35152, 36, FieldType::Text};
inline constexpr Field kGlobalLocalise{"localise", 46483, 4, FieldType::U32};
// 1: the company trades in foreign currencies (ForeignTraderEnabled), from the setup record.
inline constexpr Field kGlobalForeignTrader{"foreign_trader", 46492, 4, FieldType::U32};
// 1: entry dialogs offer the auto-complete drop-downs of remembered entries.
inline constexpr Field kGlobalAutoComplete{"auto_complete", 46488, 4, FieldType::U32};

extern const Layout kGlobalBlockLayout;

// The block itself (g_lpGlobVar): null until the host has opened a company. The host owns the
// bytes; the module only reads them. One per process: the host program exports it, so the
// module loaded beside it sees the same block.
extern uint8_t* g_lpGlobVar;

// Typed access to a global block. Every read of the block goes through this, so no other code
// spells an offset.
class GlobalBlock final {
public:
    explicit GlobalBlock(uint8_t* block) : m_block(block) {}
    // The process's block (g_lpGlobVar); Exists() is false before the host filled it.
    static GlobalBlock Current() { return GlobalBlock(g_lpGlobVar); }

    bool Exists() const { return m_block != nullptr; }
    uint8_t* Data() const { return m_block; }

    DataContext* Context() const;
    void SetContext(DataContext* context);

    std::string Text(const Field& field) const;     // trailing spaces removed
    void SetText(const Field& field, const std::string& text);
    uint16_t U16(const Field& field) const;
    int16_t I16(const Field& field) const;
    uint32_t U32(const Field& field) const;
    void SetU16(const Field& field, uint16_t value);
    void SetI16(const Field& field, int16_t value);
    void SetU32(const Field& field, uint32_t value);
    uint8_t U8(const Field& field) const;
    void SetU8(const Field& field, uint8_t value);

    std::string UserName() const { return Text(kGlobalUserName); }
    bool AutoComplete() const { return U32(kGlobalAutoComplete) == 1; }

private:
    uint8_t* m_block;
};

}  // namespace kelo
