#include "src/pages/scans/ToDoScan.h"

#include <algorithm>
#include <string_view>

#include "host/file/RecordFile.h"
#include "host/framework/BusinessObjects.h"
#include "host/framework/CDDataResourceManager.h"
#include "host/ui/CKColumnSet.h"
#include "host/util/Dates.h"
#include "host/util/Text.h"
#include "host/data/ToDoRecord.h"

namespace kelo {

namespace {

constexpr int kDelegateWidth = 32;
constexpr uint16_t kShownColumnFlags = 0x0008;

std::vector<TaskCategory> Categories(const std::string& user, const CBAccessManager& access)
{
    return ToDoCategories(user, access);
}

const CKColumnSet& Columns() { return ToDoColumns(); }

}  // namespace

std::vector<TaskCategory> ToDoCategories(const std::string&, const CBAccessManager&)
{
    return {{"Current Tasks", kToDoCurrent},
            {"Overdue Tasks", kToDoOverdue},
            {"Completed Tasks", kToDoCompletedBit}};
}

const CKColumnSet& ToDoColumns()
{
    static const CKColumnSet columns{
        CKColumn::Text(QStringLiteral("Name"), 31, 61).Flagged(kShownColumnFlags),
        CKColumn::Date(QStringLiteral("Date Due"), 13, 11).Flagged(kShownColumnFlags),
        CKColumn::Text(QStringLiteral("Type"), 31, 61).Flagged(kShownColumnFlags),
        CKColumn::HiddenText(5),
        CKColumn::HiddenText(33),
        CKColumn::HiddenUInt32(),
        CKColumn::HiddenUInt32(),
        CKColumn::HiddenUInt32(),
        CKColumn::HiddenUInt32(),
    };
    return columns;
}

uint32_t ToDoCategoryOf(uint16_t dateDue, uint16_t completed, uint16_t programDate)
{
    if (completed != 0) return kToDoCompletedBit;
    if (dateDue < programDate) return kToDoOverdue;
    return kToDoCurrent;
}

std::vector<uint8_t> BuildToDoRow(const uint8_t* rec, uint32_t recNo, uint32_t category)
{
    const CKColumnSet& cols = ToDoColumns();
    std::vector<uint8_t> row(static_cast<size_t>(cols.RowSize()), 0);
    cols.WriteText(row, kToDoColName, GetText(rec, kToDoDescription));
    cols.WriteText(row, kToDoColDateDue, DateNumberToFullString(GetU16(rec, kToDoDateDue)));
    cols.WriteText(row, kToDoColType, GetText(rec, kToDoType));
    cols.WriteText(row, kToDoColCompleted, GetU16(rec, kToDoCompleted) != 0 ? "Yes" : "No");
    cols.WriteText(row, kToDoColDelegateTo, PadTo(GetText(rec, kToDoDelegateTo), kDelegateWidth));
    cols.WriteUInt32(row, kToDoColReserved, GetU32(rec, kToDoReserved));
    cols.WriteUInt32(row, kToDoColRecordNumber, recNo);
    cols.WriteUInt32(row, kToDoColCategory, category);
    cols.WriteUInt32(row, kToDoColNotesBlock, static_cast<uint32_t>(GetI32(rec, kToDoNotesBlock)));
    return row;
}

void ScanToDo(const ScanInput& input, ScanSink& sink)
{
    // Keys begin with the upper-cased, space-padded user name, so the user's entries are one
    // run of the index, oldest date due first.
    ToDoKey key = BuildToDoKey(input.userName, std::string_view(), 0);
    std::fill(key.begin() + kToDoKeyDateDue.offset, key.end(), uint8_t{0});

    CDDataResourceManager manager(input.context);
    manager.GetResources().Add(CBToDo::GetStaticResourcesFor(kResourceRead));
    manager.ObtainResources();
    DataFile data = manager.Context().File(kFileToDo);
    DataFile index = manager.Context().File(kFileToDoIndex);

    std::vector<uint8_t> rec(kToDoLength);
    uint32_t recNo = SearchRecord(data, index, key.data(), rec.data(), 0);
    while (recNo != 0 && !sink.Stopped() &&
           EqualsIgnoringCase(GetText(rec.data(), kToDoDelegateTo), input.userName)) {
        if (GetText(rec.data(), kToDoType) != kPhoneCallReminderType) {
            const uint32_t category = ToDoCategoryOf(GetU16(rec.data(), kToDoDateDue),
                                                     GetU16(rec.data(), kToDoCompleted),
                                                     input.programDate);
            // Names that differ only in case share the key range but not the entries.
            if ((category & input.category) != 0 &&
                GetText(rec.data(), kToDoDelegateTo) == input.userName)
                sink.AddRow(BuildToDoRow(rec.data(), recNo, category));
        }
        do {
            recNo = NextRecord(data, index, key.data(), rec.data(), 0);
        } while (recNo != 0 && IsDeletedToDo(rec.data()));
    }
    manager.ReleaseResources();
}

const TaskScan& ToDoTaskScan()
{
    static const TaskScan scan{32600, "To do List", &Categories, &Columns, &ScanToDo};
    return scan;
}

}  // namespace kelo
