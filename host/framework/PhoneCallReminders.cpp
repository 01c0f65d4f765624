#include "host/framework/PhoneCallReminders.h"

#include <stdexcept>
#include <vector>

#include "host/data/FileMap.h"
#include "host/data/ToDoRecord.h"
#include "host/file/RecordFile.h"
#include "host/framework/BusinessObjects.h"
#include "host/framework/CDDataResourceManager.h"

namespace kelo {

namespace {

constexpr const char* kReminderType = "Phone call reminder.";

}  // namespace

uint32_t AddPhoneCallReminder(DataContext& context, const std::string& user, int ledger,
                              const std::string& accountCode, uint16_t dateDue,
                              const std::string& description)
{
    if (ledger != kLedgerSales && ledger != kLedgerPurchases)
        throw std::invalid_argument("a phone call reminder is for a customer or a supplier");
    if (accountCode.empty()) throw std::invalid_argument("a phone call reminder needs an account");

    std::vector<uint8_t> rec(kToDoLength, 0);
    SetText(rec.data(), kToDoDescription, description.empty() ? kReminderType : description);
    SetText(rec.data(), kToDoType, kReminderType);
    SetText(rec.data(), kToDoDelegateTo, user);
    SetText(rec.data(), kToDoAccountCode, accountCode);
    SetU16(rec.data(), kToDoDateDue, dateDue);
    SetI16(rec.data(), kToDoLedgerType, static_cast<int16_t>(ledger));
    SetI32(rec.data(), kToDoNotesBlock, -1);

    CDDataResourceManager manager(context);
    manager.GetResources().Add(CBToDo::GetStaticResourcesFor(kResourceSave));
    manager.ObtainResources();
    DataFile index = manager.Context().File(kFileToDoIndex);
    const uint32_t recNo = FindNewRecNo(index);
    AddKey(index, BuildToDoKey(user, dateDue, recNo).data(), recNo, 0, 0);
    WriteRec(manager.Context().File(kFileToDo), recNo, rec.data());
    manager.ReleaseResources();
    return recNo;
}

}  // namespace kelo
