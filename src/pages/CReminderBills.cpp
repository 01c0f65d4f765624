#include "src/pages/CReminderBills.h"

#include <exception>

#include <QApplication>
#include <QMenu>

#include "host/data/BillRecord.h"
#include "host/data/FileMap.h"
#include "host/file/RecordFile.h"
#include "host/framework/BusinessObjects.h"
#include "host/framework/CDDataResourceManager.h"
#include "host/ui/CKColumnSet.h"
#include "host/ui/CKListView.h"
#include "host/ui/CKMessageBox.h"
#include "host/util/Money.h"
#include "src/app/TaskServices.h"
#include "src/pages/scans/BillRewrite.h"
#include "src/pages/scans/BillScan.h"
#include "src/records/CAddBill.h"
#include "src/records/CPayBill.h"
#include "src/records/CRecordWrite.h"

namespace kelo {

namespace {

constexpr int kAnswerYes = static_cast<int>(MsgAnswer::Yes);

// The wait cursor for as long as the object lives.
struct WaitCursor {
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

}  // namespace

CReminderBills::CReminderBills(TaskServices& services, QWidget* parent, CKTreeView* tree)
    : CReminderPage(kDialogId, kListId, services, parent, tree, kContextMenuId)
{
    List()->setAccessibleName(QStringLiteral("Bills List"));
    SetColumns(BillColumns());
}

bool CReminderBills::OnInitDialog()
{
    if (!CReminderPage::OnInitDialog()) return false;
    SetUpCategories(BillCategories(Services().CurrentUserName(), Services().AccessManager()));
    return true;
}

void CReminderBills::UpdateCommandMenu(QMenu* menu)
{
    CReminderPage::UpdateCommandMenu(menu);
    const bool rows = List()->RowCount() > 0;
    EnableCommand(menu, kCommandNew, true);
    EnableCommand(menu, kCommandOpen, rows);
    EnableCommand(menu, kCommandDelete, rows);
    EnableCommand(menu, kCommandPay, rows);
    EnableCommand(menu, kCommandClearBills, true);
}

void CReminderBills::FillList()
{
    // The bill file is read in record order and the page does not yield between records.
    RunFill(&ScanBills, false);
}

bool CReminderBills::OnCommand(int id)
{
    switch (id) {
    case kCommandNew: RunEntryDialog(0); return true;
    case kCommandOpen: OpenSelected(); return true;
    case kCommandDelete: DeleteSelected(); return true;
    case kCommandPay: PaySelected(); return true;
    default: return CReminderPage::OnCommand(id);
    }
}

void CReminderBills::OpenSelected()
{
    const int selected = List()->GetSelectedRow();
    if (selected < 0) return;
    RunEntryDialog(BillColumns().ReadUInt32(List()->RowBytes(selected), kBillColRecordNumber));
}

void CReminderBills::RunEntryDialog(uint32_t recNo)
{
    CAddBill dialog(*this, Context(), recNo);
    dialog.DoModal(window());
}

void CReminderBills::PaySelected()
{
    const int selected = List()->GetSelectedRow();
    if (selected < 0) return;
    const std::span<const uint8_t> row = List()->RowBytes(selected);
    if (!IsPositiveAmount(BillColumns().ReadAmount(row, kBillColOutstanding))) {
        Services().TaskMessageBoxId(kFullyPaid, MsgKind::Stop);
        return;
    }
    RunPaymentDialog(BillColumns().ReadUInt32(row, kBillColRecordNumber));
}

void CReminderBills::RunPaymentDialog(uint32_t recNo)
{
    CPayBill dialog(*this, Context(), recNo);
    if (dialog.DoModal(window()) == IDOK)
        UpdateAfterSave(dialog.PaidBill(), recNo, true);
    else if (dialog.BillChangedElsewhere())
        Refresh();  // another user paid, changed or removed it: list what is there now
}

void CReminderBills::UpdateAfterSave(const std::vector<uint8_t>& rec, uint32_t recNo, bool existed)
{
    const uint32_t category = BillCategoryOfRecord(rec.data(), Services().GetProgramDateChecked());
    const std::vector<uint8_t> row = BuildBillRow(rec.data(), recNo, category);
    CKListView* list = List();
    const bool listed = (category & CategoryValue()) != 0;
    const int at = existed ? FindRow(kBillColRecordNumber, recNo) : -1;
    if (at < 0) {
        if (listed) list->AddRow(row);
    } else if (BillColumns().ReadUInt32(list->RowBytes(at), kBillColCategory) == category) {
        list->SetRow(at, row);
    } else {
        list->DeleteRow(at);
        if (listed) list->AddRow(row);
    }
    list->viewport()->update();
}

bool CReminderBills::DeleteSelected()
{
    const int selected = List()->GetSelectedRow();
    if (selected < 0) {
        Services().TaskMessageBoxId(kNothingToDelete, MsgKind::Stop);
        return false;
    }
    const uint32_t recNo =
        BillColumns().ReadUInt32(List()->RowBytes(selected), kBillColRecordNumber);
    // The bill as the list showed it is the one deleted; a later bill moved down to this number
    // by another user's delete is not.
    std::vector<uint8_t> identity;
    CRecordWrite rule(Services(), CBBill::GetStaticResourcesFor(kResourceDelete), kFileBills,
                      CAddBill::BillReader(identity));
    struct PartPaid {};
    struct NotRewritten {};
    CRecordWrite::Result result = CRecordWrite::Result::Cancelled;
    try {
        const std::vector<uint8_t>& bill = rule.HoldCurrent(recNo);
        if (bill.empty() || !RowShowsBill(List()->RowBytes(selected), bill.data())) {
            Services().TaskMessageBox(kGoneText, MsgKind::Stop);
            Refresh();
            return false;
        }
        identity = bill;
        if (IsPartPaidBill(bill.data())) {
            Services().TaskMessageBoxId(kPartPaid, MsgKind::Stop);
            return false;
        }
        if (Services().TaskMessageBoxId(kDeleteQuestion, MsgKind::YesNo) != kAnswerYes) return false;
        result = rule.Delete([&](DataContext& files, bool) {
            std::vector<uint8_t> now(kBillLength, 0);
            // Another user's payment since the question may have made it part paid.
            if (ReadRec(files.File(kFileBills), recNo, now.data()) != 0 && IsPartPaidBill(now.data()))
                throw PartPaid{};
            WaitCursor wait;
            if (!RewriteBillFileWithout(files, recNo)) throw NotRewritten{};
        });
    } catch (const PartPaid&) {
        Services().TaskMessageBoxId(kPartPaid, MsgKind::Stop);
        Refresh();
        return false;
    } catch (const NotRewritten&) {
        return false;  // the new file could not be made: nothing changed, and nothing is said
    } catch (const std::exception& e) {
        Services().TaskMessageBox(e.what(), MsgKind::Stop);
        return false;
    }
    if (result == CRecordWrite::Result::Discarded) {
        Refresh();
        return false;
    }
    if (result != CRecordWrite::Result::Written) return false;
    RemoveDeletedRow(FindRow(kBillColRecordNumber, recNo), recNo);
    return true;
}

void CReminderBills::RemoveDeletedRow(int row, uint32_t recNo)
{
    CKListView* list = List();
    const int selected = list->GetSelectedRow();
    if (row >= 0) list->DeleteRow(row);
    // Every later bill moved down one record number in the rewritten file; so do their rows.
    const CKColumnSet& cols = BillColumns();
    for (int r = 0; r < list->RowCount(); ++r) {
        const uint32_t n = cols.ReadUInt32(list->RowBytes(r), kBillColRecordNumber);
        if (n <= recNo) continue;
        std::vector<uint8_t> bytes = list->GetRow(r);
        cols.WriteUInt32(bytes, kBillColRecordNumber, n - 1);
        list->SetRow(r, bytes);
    }
    const int rows = list->RowCount();
    if (rows > 0 && selected == rows) list->SelectRow(rows - 1);
    list->viewport()->update();
}

}  // namespace kelo
