#include "host/ui/CKColumnSet.h"

#include <stdexcept>
#include <vector>

#include <gtest/gtest.h>

namespace kelo {
namespace {

// The To Do list's columns: three shown texts, then the hidden completed text, Delegate To and
// four integers (reserved, record number, category, notes block).
CKColumnSet ToDoColumns()
{
    return {CKColumn::Text("Name", 31, 61),     CKColumn::Text("Date Due", 13, 11),
            CKColumn::Text("Type", 31, 61),     CKColumn::HiddenText(5),
            CKColumn::HiddenText(33),           CKColumn::HiddenUInt32(),
            CKColumn::HiddenUInt32(),           CKColumn::HiddenUInt32(),
            CKColumn::HiddenUInt32()};
}

TEST(CKColumnSet, FieldsRoundTripAndTextIsCutToItsWidth)
{
    const CKColumnSet set = ToDoColumns();
    std::vector<uint8_t> row(static_cast<size_t>(set.RowSize()), 0xAB);
    set.WriteText(row, 1, "05/03/2027");
    set.WriteText(row, 3, "Yes, too long");  // 5 bytes: 4 characters and the terminator
    set.WriteUInt32(row, 6, 0xFFFFFFFEu);
    EXPECT_EQ(set.ReadText(row, 1), "05/03/2027");
    EXPECT_EQ(set.ReadText(row, 3), "Yes,");
    EXPECT_EQ(row[static_cast<size_t>(set.Offset(3) + 4)], 0);
    EXPECT_EQ(row[static_cast<size_t>(set.Offset(4))], 0xAB) << "next field untouched";
    EXPECT_EQ(set.ReadUInt32(row, 6), 0xFFFFFFFEu);
    EXPECT_EQ(set.DisplayText(row, 6), "4294967294");

    const CKColumnSet amounts{CKColumn::Amount("Amount", 15)};
    std::vector<uint8_t> a(8);
    for (const auto& [value, shown] : std::vector<std::pair<double, const char*>>{
             {1234.5, "1234.50"}, {-0.004, "0.00"}, {-0.006, "-0.01"}, {0.0, "0.00"}, {17.555, "17.55"}}) {
        amounts.WriteAmount(a, 0, value);
        EXPECT_EQ(amounts.ReadAmount(a, 0), value);
        EXPECT_EQ(amounts.DisplayText(a, 0), shown) << value;
    }
}

}  // namespace
}  // namespace kelo
