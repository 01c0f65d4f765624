#include <vector>

#include <gtest/gtest.h>

#include "host/data/AccountRecord.h"
#include "host/data/TaxControlRecord.h"
#include "host/data/ToDoRecord.h"

namespace kelo {
namespace {

TEST(TaxControl, RateOfEachCodeHasItsOwnSlot)
{
    std::vector<uint8_t> rec(kTaxControlLength, 0);
    for (int code = 0; code < 100; ++code) SetTaxRate(rec.data(), code, code + 0.5);
    for (int code = 0; code < 100; ++code) EXPECT_EQ(TaxRate(rec.data(), code), code + 0.5) << code;
    // Codes outside T0-T99 read as 0 and write nothing.
    const std::vector<uint8_t> before = rec;
    SetTaxRate(rec.data(), 100, 99.0);
    SetTaxRate(rec.data(), -1, 99.0);
    EXPECT_EQ(rec, before);
    EXPECT_EQ(TaxRate(rec.data(), 100), 0.0);
    EXPECT_EQ(TaxRate(rec.data(), -1), 0.0);
}

TEST(TaxControl, ControlAccountsByNominalRecordNumber)
{
    std::vector<uint8_t> rec(kTaxControlLength, 0);
    SetU32(rec.data(), kControlDebtors, 3);
    SetU32(rec.data(), kControlCreditors, 5);
    SetU32(rec.data(), kControlSalesTax, 8);
    SetU32(rec.data(), kControlPurchaseTax, 9);
    for (uint32_t n : {3u, 5u, 8u, 9u}) EXPECT_TRUE(IsControlAccount(rec.data(), n)) << n;
    for (uint32_t n : {0u, 1u, 4u, 10u}) EXPECT_FALSE(IsControlAccount(rec.data(), n)) << n;
    // Offset 8 is not a control account slot.
    SetU32(rec.data(), Field{"gap", 8, 4, FieldType::U32}, 77);
    EXPECT_FALSE(IsControlAccount(rec.data(), 77));
}

TEST(DeletedMarks, AccountByNameToDoByFirstByte)
{
    std::vector<uint8_t> account(kAccountLength, 0);
    account[0] = 0xFF;  // the reference byte does not mark a deleted account
    EXPECT_FALSE(IsDeletedAccount(account.data()));
    account[kAccountName.offset] = 0xFF;
    EXPECT_TRUE(IsDeletedAccount(account.data()));

    std::vector<uint8_t> todo(kToDoLength, 0xFF);
    EXPECT_TRUE(IsDeletedToDo(todo.data()));
    SetText(todo.data(), kToDoDescription, "Ring the bank");
    EXPECT_FALSE(IsDeletedToDo(todo.data()));
}

}  // namespace
}  // namespace kelo
