#pragma once

#include <string>
#include <vector>

#include <QPointer>

#include <gtest/gtest.h>

#include "host/ui/CKTreeView.h"
#include "host/util/Dates.h"
#include "src/pages/CReminderToDo.h"
#include "src/records/CAddTask.h"
#include "tests/controls/TempRegistry.h"
#include "tests/host/file/TempCompany.h"
#include "tests/pages/FakeTaskServices.h"

namespace kelo::test {

inline const uint16_t kToday = DateNumberFromComponents(1, 6, 2027);

// A company with the users ANNA and BOB, ANNA logged on with the program date 01/06/2027, and
// her To Do page open on Current Tasks.
class ToDoEntryFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    void AddUser(const std::string& name);
    void OpenPage();
    void ChooseCategory(int item);
    // The dialog for record `recNo` (0: new), initialised and shown, not modal.
    CAddTask* OpenDialog(uint32_t recNo);
    // Selects the page's row of `recNo` and opens the dialog for it.
    CAddTask* OpenListed(uint32_t recNo);

    std::vector<std::string> RowNames() const;
    std::vector<uint8_t> ReadToDo(uint32_t recNo);
    uint32_t IndexEntries();

    TempRegistry registry;
    TempCompany company;
    FakeTaskServices services{company.Context(), "ANNA"};
    CKTreeView tree;
    CReminderToDo* page = nullptr;
    QPointer<CAddTask> dialog;
};

void Drain();

}  // namespace kelo::test
