#include "src/pages/scans/ContactsScan.h"

#include <algorithm>
#include <string_view>

#include "host/data/AccountRecord.h"
#include "host/data/FileMap.h"
#include "host/data/ToDoRecord.h"
#include "host/file/RecordFile.h"
#include "host/framework/BusinessObjects.h"
#include "host/framework/CDDataResourceManager.h"
#include "host/ui/CKColumnSet.h"
#include "host/util/Dates.h"
#include "host/util/Text.h"
#include "src/pages/scans/ToDoScan.h"

namespace kelo {

namespace {

constexpr int kDelegateWidth = 32;
constexpr int kAccountCodeWidth = 9;
constexpr uint16_t kShownColumnFlags = 0x0008;

const CKColumnSet& Columns() { return ContactsColumns(); }

}  // namespace

std::vector<TaskCategory> ContactsCategories(const std::string&, const CBAccessManager&)
{
    return {{"Overdue Contacts", kContactsOverdue},
            {"Today's Contacts", kContactsToday},
            {"Future Contacts", kContactsFuture},
            {"Completed Contacts", kContactsCompleted}};
}

const CKColumnSet& ContactsColumns()
{
    static const CKColumnSet columns{
        CKColumn::Text(QStringLiteral("A/C"), 9, 9).Flagged(kShownColumnFlags),
        CKColumn::Text(QStringLiteral("Name"), 31, 61).Flagged(kShownColumnFlags),
        CKColumn::Text(QString(), 31, 61)
            .Flagged(kShownColumnFlags)
            .Named(QStringLiteral("description")),
        CKColumn::Date(QStringLiteral("Date Due"), 13, 11).Flagged(kShownColumnFlags),
        CKColumn::Text(QStringLiteral("Telephone"), 31, 31).Flagged(kShownColumnFlags),
        CKColumn::Text(QString(), 31, 61).Flagged(kShownColumnFlags).Named(QStringLiteral("type")),
        CKColumn::HiddenText(5).Named(QStringLiteral("completed")),
        CKColumn::HiddenText(33).Named(QStringLiteral("delegate_to")),
        CKColumn::HiddenUInt32().Named(QStringLiteral("reserved_value")),
        CKColumn::HiddenUInt32().Named(QStringLiteral("ledger_type")),
        CKColumn::HiddenUInt32().Named(QStringLiteral("record_number")),
        CKColumn::HiddenUInt32().Named(QStringLiteral("category")),
        CKColumn::HiddenUInt32().Named(QStringLiteral("notes_block")),
    };
    return columns;
}

uint32_t ContactsCategoryOf(uint16_t dateDue, uint16_t completed, uint16_t programDate)
{
    if (completed != 0) return kContactsCompleted;
    if (dateDue > programDate) return kContactsFuture;
    if (dateDue == programDate) return kContactsToday;
    return kContactsOverdue;
}

ReminderAccount LookUpReminderAccount(DataContext& context, int ledgerType, const std::string& code)
{
    ReminderAccount account;
    const std::string padded = PadTo(code, kAccountCodeWidth - 1);
    std::vector<uint8_t> rec(kAccountLength, 0);
    if (FlashFindAccount(context, ledgerType, padded.c_str(), rec.data(), 0) != 0) {
        account.found = true;
        account.code = GetText(rec.data(), kAccountReference);
        account.name = GetText(rec.data(), kAccountName);
        account.contact = GetText(rec.data(), kAccountContactName);
        account.telephone = GetText(rec.data(), kAccountTelephone);
    } else {
        account.code = code;
        account.name = kDeletedAccountName;
    }
    return account;
}

bool IsReminderOf(const uint8_t* rec, const std::string& user)
{
    return GetI16(rec, kToDoLedgerType) != 0 &&
           EqualsIgnoringCase(GetText(rec, kToDoDelegateTo), user) &&
           GetText(rec, kToDoType) == kPhoneCallReminderType;
}

std::vector<uint8_t> BuildContactRow(DataContext& context, const uint8_t* rec, uint32_t recNo,
                                     uint32_t category)
{
    const CKColumnSet& cols = ContactsColumns();
    std::vector<uint8_t> row(static_cast<size_t>(cols.RowSize()), 0);
    const ReminderAccount account =
        LookUpReminderAccount(context, GetI16(rec, kToDoLedgerType), GetText(rec, kToDoAccountCode));
    cols.WriteText(row, kContactsColAccount, account.code);
    cols.WriteText(row, kContactsColName, account.name);
    cols.WriteText(row, kContactsColTelephone, account.telephone);
    cols.WriteText(row, kContactsColDescription, GetText(rec, kToDoDescription));
    cols.WriteText(row, kContactsColDateDue, DateNumberToFullString(GetU16(rec, kToDoDateDue)));
    cols.WriteText(row, kContactsColType, GetText(rec, kToDoType));
    cols.WriteText(row, kContactsColCompleted, GetU16(rec, kToDoCompleted) != 0 ? "Yes" : "No");
    cols.WriteText(row, kContactsColDelegateTo,
                   PadTo(GetText(rec, kToDoDelegateTo), kDelegateWidth));
    cols.WriteUInt32(row, kContactsColReserved, GetU32(rec, kToDoReserved));
    cols.WriteUInt32(row, kContactsColRecordNumber, recNo);
    cols.WriteUInt32(row, kContactsColCategory, category);
    cols.WriteUInt32(row, kContactsColNotesBlock,
                     static_cast<uint32_t>(GetI32(rec, kToDoNotesBlock)));
    return row;
}

void ScanContacts(const ScanInput& input, ScanSink& sink)
{
    ToDoKey key = BuildToDoKey(input.userName, uint16_t{0}, 0);
    std::fill(key.begin() + kToDoKeyTerminator.offset, key.end(), uint8_t{0});

    CDDataResourceManager manager(input.context);
    manager.GetResources().Add(CBToDo::GetStaticResourcesFor(kResourceRead));
    manager.GetResources().AddDataFile(kFileCustomers).AddDataFile(kFileSuppliers);
    manager.ObtainResources();
    DataContext& files = manager.Context();
    DataFile data = files.File(kFileToDo);
    DataFile index = files.File(kFileToDoIndex);

    std::vector<uint8_t> rec(kToDoLength);
    uint32_t recNo = SearchRecord(data, index, key.data(), rec.data(), 0);
    // Other users' records are passed over, not a reason to stop: the walk runs to the end.
    while (recNo != 0 && !sink.Stopped()) {
        if (IsReminderOf(rec.data(), input.userName)) {
            const uint32_t category = ContactsCategoryOf(GetU16(rec.data(), kToDoDateDue),
                                                         GetU16(rec.data(), kToDoCompleted),
                                                         input.programDate);
            if ((category & input.category) != 0)
                sink.AddRow(BuildContactRow(files, rec.data(), recNo, category));
        }
        do {
            recNo = NextRecord(data, index, key.data(), rec.data(), 0);
        } while (recNo != 0 && IsDeletedToDo(rec.data()));
    }
    manager.ReleaseResources();
}

const TaskScan& ContactsTaskScan()
{
    static const TaskScan scan{32601, "Contacts", &ContactsCategories, &Columns, &ScanContacts};
    return scan;
}

}  // namespace kelo
