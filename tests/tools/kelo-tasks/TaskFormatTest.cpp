#include <sstream>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

#include "host/ui/CKColumnSet.h"
#include "tools/kelo-tasks/TaskFormat.h"

namespace kelo {
namespace {

CKColumnSet columns()
{
    return CKColumnSet{CKColumn::UInt32("No", 8), CKColumn::Text("A/C", 13, 9),
                       CKColumn::Text("Details", 21, 61), CKColumn::Amount("Amount", 15),
                       CKColumn::HiddenUInt32().Named("category"), CKColumn::HiddenUInt32()};
}

std::vector<uint8_t> row(const CKColumnSet& c, uint32_t no, const char* ac, const char* details,
                         double amount)
{
    std::vector<uint8_t> r(size_t(c.RowSize()), 0);
    c.WriteUInt32(r, 0, no);
    c.WriteText(r, 1, ac);
    c.WriteText(r, 2, details);
    c.WriteAmount(r, 3, amount);
    c.WriteUInt32(r, 4, 1);
    c.WriteUInt32(r, 5, 77);
    return r;
}

// Column keys are the headings in snake case; a hidden field is named or numbered.
TEST(TaskFormat, JsonRoundTripsThroughAParserWithHiddenFieldsNamed)
{
    const CKColumnSet c = columns();
    std::ostringstream out;
    WriteRows(out, OutputFormat::Json, "Accounts Due", c,
              {{"Sales Overdue", 1, {row(c, 12, "SMITH", "Line \"one\"\nand two", -20.0)}},
               {"Sales Due", 2, {}}});
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(out.str()), &error);
    ASSERT_EQ(error.error, QJsonParseError::NoError) << out.str();
    const QJsonObject top = doc.object();
    EXPECT_EQ(top["task"].toString(), "Accounts Due");
    const QJsonArray cats = top["categories"].toArray();
    ASSERT_EQ(cats.size(), 2);
    EXPECT_EQ(cats[1].toObject()["bit"].toInt(), 2);
    EXPECT_TRUE(cats[1].toObject()["rows"].toArray().isEmpty());
    const QJsonObject r = cats[0].toObject()["rows"].toArray()[0].toObject();
    EXPECT_EQ(r["no"].toInt(), 12);
    EXPECT_EQ(r["a_c"].toString(), "SMITH");
    EXPECT_EQ(r["details"].toString(), "Line \"one\"\nand two");
    EXPECT_DOUBLE_EQ(r["amount"].toDouble(), -20.0);
    EXPECT_EQ(r["category"].toInt(), 1);
    EXPECT_EQ(r["field_6"].toInt(), 77);
}

}  // namespace
}  // namespace kelo
