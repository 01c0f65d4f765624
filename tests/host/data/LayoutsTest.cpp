#include "host/data/Layouts.h"

#include <algorithm>
#include <cctype>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace kelo {
namespace {

uint32_t NaturalWidth(FieldType t)
{
    switch (t) {
    case FieldType::U8:
    case FieldType::I8: return 1;
    case FieldType::U16:
    case FieldType::I16: return 2;
    case FieldType::U32:
    case FieldType::I32: return 4;
    case FieldType::F64: return 8;
    case FieldType::Text:
    case FieldType::Bytes: return 0;
    }
    return 0;
}

bool IsSnakeCase(const std::string& s)
{
    if (s.empty() || !std::islower(static_cast<unsigned char>(s[0]))) return false;
    return std::all_of(s.begin(), s.end(), [](char c) {
        return std::islower(static_cast<unsigned char>(c)) ||
               std::isdigit(static_cast<unsigned char>(c)) || c == '_';
    });
}

class EveryLayout : public testing::TestWithParam<const Layout*> {};

TEST_P(EveryLayout, FieldsLieInsideTheRecordAndNeverOverlap)
{
    const Layout& layout = *GetParam();
    std::vector<Field> fields(layout.fields.begin(), layout.fields.end());
    ASSERT_FALSE(fields.empty());
    std::sort(fields.begin(), fields.end(),
              [](const Field& a, const Field& b) { return a.offset < b.offset; });
    for (size_t i = 0; i < fields.size(); ++i) {
        const Field& f = fields[i];
        EXPECT_GT(f.width, 0u) << f.name;
        EXPECT_LE(f.offset + f.width, layout.length) << f.name << " runs past the record end";
        if (i > 0) {
            const Field& prev = fields[i - 1];
            EXPECT_LE(prev.offset + prev.width, f.offset) << prev.name << " overlaps " << f.name;
        }
    }
}

TEST_P(EveryLayout, NumericFieldsHaveTheirTypesWidth)
{
    for (const Field& f : GetParam()->fields) {
        const uint32_t natural = NaturalWidth(f.type);
        if (natural) {
            EXPECT_EQ(f.width, natural) << f.name;
        }
    }
}

TEST_P(EveryLayout, FieldNamesAreUniqueSnakeCaseAndFound)
{
    const Layout& layout = *GetParam();
    std::set<std::string> seen;
    for (const Field& f : layout.fields) {
        EXPECT_TRUE(IsSnakeCase(f.name)) << f.name;
        EXPECT_TRUE(seen.insert(f.name).second) << "duplicate " << f.name;
        EXPECT_EQ(layout.Find(f.name), &f);
    }
    EXPECT_EQ(layout.Find("no_such_field"), nullptr);
}

INSTANTIATE_TEST_SUITE_P(Layouts, EveryLayout, testing::ValuesIn(AllLayouts()),
                         [](const testing::TestParamInfo<const Layout*>& info) {
                             return std::string(info.param->name);
                         });

TEST(Layouts, NamesAreUniqueAndFindable)
{
    std::set<std::string> names;
    for (const Layout* layout : AllLayouts()) {
        EXPECT_TRUE(IsSnakeCase(layout->name)) << layout->name;
        EXPECT_TRUE(names.insert(layout->name).second) << layout->name;
        EXPECT_EQ(FindLayout(layout->name), layout);
    }
    EXPECT_EQ(FindLayout("ledger"), nullptr);
    EXPECT_EQ(FindLayout(""), nullptr);
}

// The record lengths and the fields that pages, viewers and dialogs read, as the host lays them
// out. A slip in one of these shifts a whole column of every list.
struct Placed {
    const char* layout;
    const char* field;
    uint32_t offset;
    uint32_t width;
    FieldType type;
};

const Placed kPlaced[] = {
    {"account", "reference", 0, 9, FieldType::Text},
    {"account", "name", 9, 61, FieldType::Text},
    {"account", "contact_name", 375, 31, FieldType::Text},
    {"account", "telephone", 406, 31, FieldType::Text},
    {"account", "on_hold", 1118, 1, FieldType::U8},
    {"account", "credit_limit", 1627, 8, FieldType::F64},
    {"account", "credit_period", 1667, 2, FieldType::I16},
    {"account", "settlement_period", 1669, 2, FieldType::I16},
    {"account", "credit_review_date", 1683, 2, FieldType::U16},
    {"account", "credit_charges", 1691, 2, FieldType::U16},
    {"account", "bacs", 2236, 2, FieldType::U16},
    {"account", "balance", 4284, 8, FieldType::F64},
    {"account", "last_activity_date", 4292, 2, FieldType::U16},
    {"account", "first_header", 4640, 4, FieldType::U32},
    {"audit_header", "type", 0, 1, FieldType::U8},
    {"audit_header", "account_reference", 1, 9, FieldType::Text},
    {"audit_header", "bank_code", 10, 9, FieldType::Text},
    {"audit_header", "reference", 19, 31, FieldType::Text},
    {"audit_header", "details", 50, 61, FieldType::Text},
    {"audit_header", "user_name", 115, 33, FieldType::Text},
    {"audit_header", "date", 148, 2, FieldType::U16},
    {"audit_header", "net_amount", 152, 8, FieldType::F64},
    {"audit_header", "tax_amount", 160, 8, FieldType::F64},
    {"audit_header", "amount_paid", 168, 8, FieldType::F64},
    {"audit_header", "first_split", 204, 4, FieldType::U32},
    {"audit_header", "next_header", 216, 4, FieldType::U32},
    {"audit_header", "exclusion", 236, 2, FieldType::U16},
    {"audit_header", "age_as_current", 317, 2, FieldType::U16},
    {"split", "type", 0, 1, FieldType::U8},
    {"split", "nominal_code", 1, 9, FieldType::Text},
    {"split", "tax_code", 115, 4, FieldType::I32},
    {"split", "net_amount", 119, 8, FieldType::F64},
    {"split", "tax_amount", 127, 8, FieldType::F64},
    {"split", "header", 175, 4, FieldType::U32},
    {"split", "next_split", 179, 4, FieldType::U32},
    {"split", "first_allocation", 187, 4, FieldType::U32},
    {"allocation", "date", 126, 2, FieldType::U16},
    {"allocation", "amount", 128, 8, FieldType::F64},
    {"allocation", "next_allocation", 168, 4, FieldType::U32},
    {"recurring", "kind", 4, 1, FieldType::I8},
    {"recurring", "second_account", 5, 9, FieldType::Text},
    {"recurring", "bank_code", 14, 9, FieldType::Text},
    {"recurring", "reference", 23, 31, FieldType::Text},
    {"recurring", "details", 54, 61, FieldType::Text},
    {"recurring", "suspended", 115, 1, FieldType::I8},
    {"recurring", "net_amount", 116, 8, FieldType::F64},
    {"recurring", "tax_amount", 124, 8, FieldType::F64},
    {"recurring", "last_posted", 132, 2, FieldType::U16},
    {"recurring", "department", 134, 2, FieldType::I16},
    {"recurring", "tax_code", 136, 2, FieldType::I16},
    {"recurring", "interval", 140, 2, FieldType::I16},
    {"recurring", "unit", 142, 1, FieldType::I8},
    {"recurring", "start_date", 143, 2, FieldType::U16},
    {"recurring", "total_postings", 145, 2, FieldType::I16},
    {"recurring", "postings_made", 147, 2, FieldType::I16},
    {"invoice", "number", 0, 4, FieldType::U32},
    {"invoice", "customer_name", 13, 61, FieldType::Text},
    {"invoice", "type", 1250, 1, FieldType::I8},
    {"invoice", "amount_1", 1253, 8, FieldType::F64},
    {"invoice", "amount_2", 1261, 8, FieldType::F64},
    {"invoice", "amount_3", 1285, 8, FieldType::F64},
    {"invoice", "amount_4", 1293, 8, FieldType::F64},
    {"invoice", "date", 1365, 2, FieldType::U16},
    {"invoice", "printed", 2038, 1, FieldType::U8},
    {"invoice", "posted", 2039, 1, FieldType::U8},
    {"sales_order", "customer_name", 13, 61, FieldType::Text},
    {"sales_order", "date", 1365, 2, FieldType::U16},
    {"sales_order", "status", 2040, 1, FieldType::I8},
    {"purchase_order", "supplier_name", 13, 61, FieldType::Text},
    {"purchase_order", "amount_4", 1293, 8, FieldType::F64},
    {"purchase_order", "status", 2040, 1, FieldType::I8},
    {"stock", "code", 0, 31, FieldType::Text},
    {"stock", "description", 31, 61, FieldType::Text},
    {"stock", "reorder_level", 1742, 8, FieldType::F64},
    {"stock", "item_type", 3870, 1, FieldType::U8},
    {"stock", "quantity_in_stock", 5469, 8, FieldType::F64},
    {"stock", "quantity_on_order", 5477, 8, FieldType::F64},
    {"stock", "quantity_allocated", 5485, 8, FieldType::F64},
    {"nominal", "code", 0, 9, FieldType::Text},
    {"nominal", "name", 9, 61, FieldType::Text},
    {"nominal", "account_kind", 91, 1, FieldType::U8},
    {"bank", "code", 0, 9, FieldType::Text},
    {"bank", "name", 9, 61, FieldType::Text},
    {"bank", "currency", 497, 1, FieldType::U8},
    {"bank", "kind", 534, 1, FieldType::U8},
    {"setup", "company_name", 3, 61, FieldType::Text},
    {"setup", "address_1", 64, 61, FieldType::Text},
    {"setup", "address_5", 308, 61, FieldType::Text},
    {"setup", "default_tax_code", 891, 2, FieldType::I16},
    {"setup", "telephone", 3942, 31, FieldType::Text},
    {"setup", "fax", 3973, 31, FieldType::Text},
    {"setup", "vat_number", 4004, 31, FieldType::Text},
    {"setup", "email", 4190, 61, FieldType::Text},
    {"setup", "web_site", 4446, 61, FieldType::Text},
    {"tax_control", "debtors_control", 0, 4, FieldType::U32},
    {"tax_control", "creditors_control", 4, 4, FieldType::U32},
    {"tax_control", "sales_tax_control", 12, 4, FieldType::U32},
    {"tax_control", "purchase_tax_control", 16, 4, FieldType::U32},
    {"tax_control", "tax_rate_0", 92, 8, FieldType::F64},
    {"tax_control", "tax_rate_1", 215, 8, FieldType::F64},
    {"tax_control", "tax_rate_99", 92 + 123 * 99, 8, FieldType::F64},
    {"user", "name", 0, 33, FieldType::Text},
    {"todo", "description", 0, 61, FieldType::Text},
    {"todo", "type", 61, 61, FieldType::Text},
    {"todo", "delegate_to", 122, 33, FieldType::Text},
    {"todo", "account_code", 155, 31, FieldType::Text},
    {"todo", "date_due", 186, 2, FieldType::U16},
    {"todo", "completed", 188, 2, FieldType::U16},
    {"todo", "ledger_type", 190, 2, FieldType::I16},
    {"todo", "reserved_value", 192, 4, FieldType::U32},
    {"todo", "notes_block", 196, 4, FieldType::I32},
    {"bill", "pay_to", 0, 9, FieldType::Text},
    {"bill", "details", 9, 61, FieldType::Text},
    {"bill", "reference", 70, 9, FieldType::Text},
    {"bill", "tax_code", 79, 2, FieldType::I16},
    {"bill", "bill_date", 81, 2, FieldType::U16},
    {"bill", "date_paid", 83, 2, FieldType::U16},
    {"bill", "due_date", 85, 2, FieldType::U16},
    {"bill", "net_amount", 87, 8, FieldType::F64},
    {"bill", "tax_amount", 95, 8, FieldType::F64},
    {"bill", "net_paid", 103, 8, FieldType::F64},
    {"bill", "tax_paid", 111, 8, FieldType::F64},
    {"bill", "first_due_date", 119, 2, FieldType::U16},
    {"bill", "first_due_date_set", 121, 2, FieldType::U16},
    {"account_index_entry", "record_number", 9, 4, FieldType::U32},
    {"todo_key", "record_number", 41, 4, FieldType::U32},
};

TEST(Layouts, FieldsSitWhereTheHostPutsThem)
{
    for (const Placed& p : kPlaced) {
        SCOPED_TRACE(std::string(p.layout) + "." + p.field);
        const Layout* layout = FindLayout(p.layout);
        ASSERT_NE(layout, nullptr);
        const Field* f = layout->Find(p.field);
        ASSERT_NE(f, nullptr);
        EXPECT_EQ(f->offset, p.offset);
        EXPECT_EQ(f->width, p.width);
        EXPECT_EQ(f->type, p.type);
    }
}

TEST(Layouts, RecordLengths)
{
    const std::pair<const char*, uint32_t> lengths[] = {
        {"account", 4819},
        {"audit_header", 784},
        {"split", 539},
        {"invoice", 2092},
        {"sales_order", 2092},
        {"purchase_order", 2092},
        {"stock", 5564},
        {"todo", 233},
        {"bill", 156},
        {"todo_key", 45},
        {"document_key", 12},
        {"stock_key", 35},
        {"account_index_entry", 13},
    };
    for (const auto& [name, length] : lengths) {
        const Layout* layout = FindLayout(name);
        ASSERT_NE(layout, nullptr) << name;
        EXPECT_EQ(layout->length, length) << name;
    }
}

}  // namespace
}  // namespace kelo
