#include "tests/records/ToDoEntryFixture.h"

#include <QCoreApplication>

#include "host/data/FileMap.h"
#include "host/data/ToDoRecord.h"
#include "host/data/UserRecord.h"
#include "host/file/RecordFile.h"
#include "src/pages/scans/ToDoScan.h"

namespace kelo::test {

void Drain()
{
    for (int i = 0; i < 5; ++i) {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

void ToDoEntryFixture::SetUp()
{
    PageFixture::SetUp();
    services.programDate = kToday;
    services.userName = "ANNA";
    services.block = GlobalBlock(registry.Block().data());
    for (const char* name : {"ANNA", "BOB"}) {
        std::vector<uint8_t> rec(kUserLength, 0);
        SetText(rec.data(), kUserName, name);
        DataFile users = company.Context().File(kFileUsers);
        WriteRec(users, RecCount(users) + 1, rec.data());
    }
}

void ToDoEntryFixture::TearDown()
{
    if (dialog) dialog->DestroyWindow();
    PageFixture::TearDown();
    Drain();
}

CAddTask* ToDoEntryFixture::OpenDialog(uint32_t recNo)
{
    if (!page) Open();
    dialog = new CAddTask(*page, company.Context(), recNo);
    EXPECT_TRUE(dialog->Create(nullptr));
    dialog->show();
    return dialog;
}

CAddTask* ToDoEntryFixture::OpenListed(uint32_t recNo)
{
    if (!page) Open();
    for (int r = 0; r < page->List()->RowCount(); ++r)
        if (ToDoColumns().ReadUInt32(page->List()->RowBytes(r), kToDoColRecordNumber) == recNo)
            page->List()->SelectRow(r);
    return OpenDialog(recNo);
}

std::vector<std::string> ToDoEntryFixture::RowNames() const { return Column(kToDoColName); }

std::vector<uint8_t> ToDoEntryFixture::ReadToDo(uint32_t recNo)
{
    std::vector<uint8_t> rec(kToDoLength, 0);
    ReadRec(company.Context().File(kFileToDo), recNo, rec.data());
    return rec;
}

uint32_t ToDoEntryFixture::IndexEntries() { return RecCount(company.Context().File(kFileToDoIndex)); }

}  // namespace kelo::test
