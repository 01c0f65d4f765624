#include "src/app/CAboutInfo.h"

#include <vector>

#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "host/file/RecordFile.h"
#include "host/util/Dates.h"
#include "host/util/Settings.h"
#include "host/data/FileMap.h"
#include "tests/host/file/TempCompany.h"
#include "tests/pages/FakeTaskServices.h"

namespace kelo {
namespace {

using Items = std::vector<std::pair<QString, QString>>;

Items ItemsOf(const CKAboutInfo& info, const QString& section)
{
    Items items;
    const CKAboutInfo::Section* s = info.Find(section);
    if (!s) return items;
    for (const CKAboutInfo::Item& item : s->items) items.emplace_back(item.name, item.value);
    return items;
}

// The directories in order with their folder marks, then the counts and housekeeping dates;
// Clear Audit Trail has its item only once it ran.
TEST(AboutTest, DirectoriesThenDataInformation)
{
    QTemporaryDir settings;
    SetINIFolder(settings.path());
    test::TempCompany company;
    test::FakeTaskServices services{company.Context(), "OVERSEE"};
    const std::pair<int, int> counts[] = {{kFileAuditHeaders, 7}, {kFileSplits, 9}, {kFileCustomers, 3},
                                          {kFileSuppliers, 2},    {kFileNominal, 5}, {kFileBank, 1},
                                          {kFileStock, 4},        {kFileSalesOrders, 6}};
    for (const auto& [file, count] : counts) {
        DataFile f = company.Context().File(file);
        std::vector<uint8_t> rec(f->recordLength, 0x20);
        for (int i = 1; i <= count; ++i) WriteRec(f, static_cast<uint32_t>(i), rec.data());
    }
    AboutHostValues host;
    host.programDirectory = "/opt/kelo/";
    host.dataPath = "/srv/companies/demo";
    host.lastBackup = DateNumberFromComponents(2, 1, 2027);
    host.clearStockRan = DateNumberFromComponents(31, 12, 2026);
    host.lastInvoice = 1042;
    host.lastCreditNote = 17;
    host.lastSalesOrder = 305;
    host.lastPurchaseOrder = 88;

    const CKAboutInfo info = CAboutInfo::Build(services, host, nullptr);
    EXPECT_EQ(info.title, "About...");
    EXPECT_EQ(info.product, "Kelo Task Manager");
    ASSERT_EQ(info.sections.size(), 2u);
    EXPECT_EQ(info.sections[0].title, "Directories");
    EXPECT_EQ(ItemsOf(info, "Directories"),
              Items({{"Program Directory:", QString("/opt/kelo/\t\x01")},
                     {"Data Directory:", "/srv/companies/demo/"},
                     {"Settings Directory:", settings.path() + "/\t\x01"}}));
    Items data{{"Headers", "7"},           {"Splits", "9"},
               {"Usages", "0"},            {"Customer Accounts", "3"},
               {"Supplier Account", "2"},  {"Nominal Accounts", "5"},
               {"Bank Accounts", "1"},     {"Stock Records", "4"},
               {"Invoices", "0"},          {"Sales Orders", "6"},
               {"Purchase Orders", "0"},   {"Fixed Asset Records", "0"},
               {"Last Invoice", "1042"},   {"Last Credit Note", "17"},
               {"Last Sales Order", "305"}, {"Last Purchase Order", "88"},
               {"Clear Stock ran", "31/12/2026"}, {"Last backup", "02/01/2027"},
               {"Last restore", ""}};
    EXPECT_EQ(ItemsOf(info, "Data Information"), data);

    host.clearAuditTrailRan = DateNumberFromComponents(5, 4, 2027);
    data.insert(data.begin() + 16, {"Clear Audit Trail ran", "05/04/2027"});
    EXPECT_EQ(ItemsOf(CAboutInfo::Build(services, host, nullptr), "Data Information"), data);
    SetINIFolder(QString());
}

}  // namespace
}  // namespace kelo
