// For every task page present, every category and two users: the rows kelo-tasks prints are
// the rows the page's list holds, field for field (hidden fields included, through JSON).

#include <algorithm>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include <QCoreApplication>
#include <gtest/gtest.h>

#include "host/ui/CKListView.h"
#include "host/ui/CKTreeView.h"
#include "host/util/Dates.h"
#include "src/pages/CReminderPage.h"
#include "src/pages/PageFactory.h"
#include "src/pages/scans/TaskScan.h"
#include "tests/host/file/TempCompany.h"
#include "tests/pages/FakeTaskServices.h"
#include "tools/kelo-data/demo/DemoCompany.h"
#include "tools/kelo-tasks/TaskCli.h"
#include "tools/kelo-tasks/TaskFormat.h"

namespace kelo {
namespace {

const char* kDate = "15/06/2027";

class RowCollector final : public ScanSink {
public:
    explicit RowCollector(std::vector<std::vector<uint8_t>>& rows) : m_rows(rows) {}
    void AddRow(std::span<const uint8_t> row) override { m_rows.emplace_back(row.begin(), row.end()); }

private:
    std::vector<std::vector<uint8_t>>& m_rows;
};


class CliAgainstPage : public ::testing::TestWithParam<const char*> {
protected:
    static void SetUpTestSuite()
    {
        s_company = new test::TempCompany;
        demo::DemoOptions options;
        options.date = DateStringToNumber(kDate);
        demo::MakeDemoCompany(s_company->Context(), options);
    }
    static void TearDownTestSuite()
    {
        delete s_company;
        s_company = nullptr;
    }

    static test::TempCompany* s_company;
};

test::TempCompany* CliAgainstPage::s_company = nullptr;

TEST_P(CliAgainstPage, EveryCategoryOfEveryTaskListsThePagesRows)
{
    const std::string user = GetParam();
    test::FakeTaskServices services{s_company->Context(), user};
    services.programDate = DateStringToNumber(kDate);
    int compared = 0;
    size_t rows = 0;
    for (const TaskScan& task : AllTaskScans()) {
        SCOPED_TRACE(task.name);
        CKTreeView tree;
        CReminderPage* page = PageFactory::Create(task.command, services, nullptr, &tree);
        ASSERT_NE(page, nullptr);
        page->Create(nullptr);
        test::DrainPostedEvents();
        for (int item = 0; item < tree.ItemCount(); ++item) {
            const std::string category = tree.GetItemText(item).toStdString();
            SCOPED_TRACE(category);
            tree.SelectItem(item);
            page->OnCategorySelected(item, tree.GetItemValue(item));
            test::DrainPostedEvents();

            CategoryRows fromPage{category, tree.GetItemValue(item), {}};
            for (int r = 0; r < page->List()->RowCount(); ++r) {
                const auto row = page->List()->RowBytes(r);
                fromPage.rows.emplace_back(row.begin(), row.end());
            }
            std::ostringstream expected;
            if (task.toolScan) {
                // The tool prints wider rows whose leading fields are the page's row.
                CategoryRows wide{category, fromPage.bit, {}};
                RowCollector sink(wide.rows);
                task.toolScan(ScanInput{s_company->Context(), fromPage.bit,
                                        DateStringToNumber(kDate), user},
                              sink);
                ASSERT_EQ(wide.rows.size(), fromPage.rows.size());
                for (size_t r = 0; r < wide.rows.size(); ++r)
                    EXPECT_TRUE(std::equal(fromPage.rows[r].begin(), fromPage.rows[r].end(),
                                           wide.rows[r].begin()))
                        << "row " << r;
                WriteRows(expected, OutputFormat::Json, task.name, task.toolColumns(), {wide});
            } else {
                WriteRows(expected, OutputFormat::Json, task.name, task.columns(), {fromPage});
            }

            std::ostringstream out, err;
            const int status = RunTaskCli({"--company", s_company->Folder(), "--user", user,
                                           "--date", kDate, "--format", "json", task.name,
                                           category},
                                          out, err);
            EXPECT_EQ(status, 0) << err.str();
            EXPECT_EQ(out.str(), expected.str());
            ++compared;
            rows += fromPage.rows.size();
        }
        page->DestroyWindow();
        test::DrainPostedEvents();
    }
    EXPECT_GT(compared, 0);
    EXPECT_GT(rows, 0u) << "the demo lists rows for every user";
    std::printf("%s: %d categories, %zu rows compared\n", user.c_str(), compared, rows);
}

INSTANTIATE_TEST_SUITE_P(Users, CliAgainstPage, testing::Values("OVERSEE", "ANNE"));

}  // namespace
}  // namespace kelo
