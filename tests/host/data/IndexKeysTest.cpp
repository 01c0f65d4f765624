#include "host/data/IndexKeys.h"

#include <string>

#include <gtest/gtest.h>

#include "host/util/Dates.h"
#include "host/data/ToDoRecord.h"

namespace kelo {
namespace {

template <size_t N>
std::string Text(const std::array<uint8_t, N>& key, size_t from, size_t count)
{
    return std::string(reinterpret_cast<const char*>(key.data()) + from, count);
}

// Name, date, terminator and record number; long names are cut, short dates padded, and a name
// read with its terminator ends there.
TEST(ToDoKey, LayoutCaseAndCutting)
{
    const ToDoKey key = BuildToDoKey("Oversee", "20270315", 0x01020304);
    EXPECT_EQ(Text(key, 0, 32), "OVERSEE" + std::string(25, ' '));
    EXPECT_EQ(Text(key, 32, 8), "20270315");
    EXPECT_EQ(key[40], 0);
    EXPECT_EQ(key[41], 0x04);  // little-endian from offset 41
    EXPECT_EQ(key[44], 0x01);

    // Only the first forty bytes are upper-cased: 0x61 ('a') in the record number survives.
    EXPECT_EQ(Text(BuildToDoKey("x", "20270101", 0x61616161), 41, 4), "aaaa");
    const ToDoKey cut = BuildToDoKey(std::string(40, 'x'), "2027", 7);
    EXPECT_EQ(Text(cut, 0, 32), std::string(32, 'X'));
    EXPECT_EQ(Text(cut, 32, 8), "20270000");
    const ToDoKey fromRecord = BuildToDoKey(std::string("ANN\0junk", 8), "20270101", 1);
    EXPECT_EQ(Text(fromRecord, 0, 32), "ANN" + std::string(29, ' '));
}

TEST(ToDoKey, FromDateNumberAndFromARecord)
{
    const uint16_t due = DateNumberFromComponents(15, 3, 2027);
    ASSERT_NE(due, 0);
    EXPECT_EQ(BuildToDoKey("ann", due, 5), BuildToDoKey("ANN", "20270315", 5));
    EXPECT_EQ(BuildToDoKey("ann", uint16_t{0}, 5), BuildToDoKey("ANN", "00000000", 5));

    std::array<uint8_t, kToDoLength> rec{};
    SetText(rec.data(), kToDoDelegateTo, "Ann Smith");
    SetU16(rec.data(), kToDoDateDue, due);
    EXPECT_EQ(BuildToDoKeyOfRecord(rec.data(), 9), BuildToDoKey("ANN SMITH", "20270315", 9));
}

TEST(AccountKey, UpperCasedPaddedAndTerminated)
{
    const AccountKey key = BuildAccountKey("abc1");
    EXPECT_EQ(Text(key, 0, 8), "ABC1    ");
    EXPECT_EQ(key[8], 0);
    EXPECT_EQ(Text(BuildAccountKey("LONGCODE99"), 0, 8), "LONGCODE");
    EXPECT_EQ(Text(BuildAccountKey(""), 0, 8), std::string(8, ' '));
}

TEST(TransactionKey, BigEndianSoTheIndexWalksInNumberOrder)
{
    const TransactionKey key = BuildTransactionKey(0x00010203);
    EXPECT_EQ(key, (TransactionKey{0x00, 0x01, 0x02, 0x03}));
    EXPECT_EQ(TransactionNumberFromKey(key.data()), 0x00010203u);
    EXPECT_EQ(TransactionNumberFromKey(BuildTransactionKey(0xFFFFFFFF).data()), 0xFFFFFFFFu);
}

}  // namespace
}  // namespace kelo
