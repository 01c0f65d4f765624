#pragma once

#include <string>
#include <vector>

#include <QPointer>

#include "src/pages/CReminderToDo.h"
#include "src/records/CAddTask.h"
#include "tests/controls/TempRegistry.h"
#include "tests/pages/PageFixture.h"

namespace kelo::test {

inline const uint16_t kToday = DateNumberFromComponents(1, 6, 2027);

// A company with the users ANNA and BOB, ANNA logged on with the program date 01/06/2027, and
// her To Do page on Current Tasks once opened.
class ToDoEntryFixture : public PageFixture<CReminderToDo> {
protected:
    void SetUp() override;
    void TearDown() override;

    void OpenPage() { Open(); }
    // The dialog for record `recNo` (0: new), initialised and shown, not modal.
    CAddTask* OpenDialog(uint32_t recNo);
    // Selects the page's row of `recNo` and opens the dialog for it.
    CAddTask* OpenListed(uint32_t recNo);

    std::vector<std::string> RowNames() const;
    std::vector<uint8_t> ReadToDo(uint32_t recNo);
    uint32_t IndexEntries();

    TempRegistry registry;
    QPointer<CAddTask> dialog;
};

// Runs the event loop a few rounds and deletes what waits to be deleted.
void Drain();

}  // namespace kelo::test
