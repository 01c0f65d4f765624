#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <QCoreApplication>

#include <gtest/gtest.h>

#include "host/file/RecordFile.h"
#include "host/ui/CKColumnSet.h"
#include "host/ui/CKDialler.h"
#include "host/ui/CKListView.h"
#include "host/ui/CKTreeView.h"
#include "host/util/Dates.h"
#include "src/pages/CReminderPage.h"
#include "tests/host/file/TempCompany.h"
#include "tests/pages/FakeTaskServices.h"
#include "tests/pages/scans/LedgerBuilder.h"

namespace kelo::test {

inline const uint16_t kPageToday = DateNumberFromComponents(15, 6, 2027);

// A company, the supervisor's services on 15/06/2027, a category tree, a recording dialler and
// a page of type Page created on them.
template <class Page>
class PageFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        services.programDate = kPageToday;
        m_previousDialler = CKDialler::SetDialler(
            [this](QWidget*, const CKDialler::Request& r) { dialled.push_back(r); });
    }
    void TearDown() override
    {
        CKDialler::SetDialler(m_previousDialler);
        if (page) page->DestroyWindow();
        Drain();
    }
    static void Drain() { DrainPostedEvents(); }
    Page* Open()
    {
        page = new Page(services, nullptr, &tree);
        page->Create(nullptr);
        Drain();
        return page;
    }
    void ChooseCategory(int item)
    {
        tree.SelectItem(item);
        page->OnCategorySelected(item, tree.GetItemValue(item));
        Drain();
    }
    // The text of column `column` in every row, in list order.
    std::vector<std::string> Column(int column) const
    {
        std::vector<std::string> v;
        for (int r = 0; r < page->List()->RowCount(); ++r)
            v.push_back(page->List()->Columns().ReadText(page->List()->RowBytes(r), column));
        return v;
    }

    TempCompany company;
    FakeTaskServices services{company.Context(), "OVERSEE"};
    LedgerBuilder build{company.Context()};
    CKTreeView tree;
    Page* page = nullptr;
    std::vector<CKDialler::Request> dialled;

private:
    CKDialler::Dialler m_previousDialler;
};

}  // namespace kelo::test
