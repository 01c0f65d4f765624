#include "src/records/CPayBillPosting.h"

#include "host/data/AuditHeaderRecord.h"
#include "host/data/BankRecord.h"
#include "host/data/BillRecord.h"
#include "host/data/FileMap.h"
#include "host/data/SplitRecord.h"
#include "host/file/RecordFile.h"
#include "host/framework/BusinessObjects.h"
#include "host/framework/CBBusContext.h"
#include "host/framework/CDDataResourceManager.h"
#include "host/framework/TransactionPost.h"
#include "host/util/Money.h"
#include "src/pages/scans/BillScan.h"

namespace kelo {

namespace {

using Record = std::vector<uint8_t>;

class RecordLock final {
public:
    RecordLock(DataFile file, uint32_t recNo) : m_file(file), m_recNo(recNo), m_held(LockRec(file, recNo) != 0) {}
    ~RecordLock()
    {
        if (m_held) UnLockRec(m_file, m_recNo);
    }
    RecordLock(const RecordLock&) = delete;
    RecordLock& operator=(const RecordLock&) = delete;
    bool Held() const { return m_held; }

private:
    DataFile m_file;
    uint32_t m_recNo;
    bool m_held;
};

}  // namespace

CPayBillPosting::CPayBillPosting(DataContext& context, uint32_t recNo)
    : m_context(context), m_recNo(recNo), m_bill(kBillLength, 0)
{
}

bool CPayBillPosting::Read()
{
    CDDataResourceManager manager(m_context);
    manager.GetResources().Add(CBBill::GetStaticResourcesFor(kResourceRead));
    manager.ObtainResources();
    const bool read = m_recNo != 0 && ReadRec(manager.Context().File(kFileBills), m_recNo, m_bill.data());
    manager.ReleaseResources();
    return read;
}

uint8_t CPayBillPosting::TypeOfBankKind(uint8_t kind)
{
    switch (kind) {
    case kBankKindBank: return kTypeBankPayment;
    case kBankKindCash: return kTypeCashPayment;
    case kBankKindCreditCard: return kTypeCardPayment;
    default: return 0;
    }
}

std::vector<uint8_t> CPayBillPosting::BuildHeader(const BillPaymentEntry& entry, const uint8_t* bill,
                                                  const uint8_t* bank, const std::string& userName)
{
    Record h(kAuditHeaderLength, 0);
    SetU8(h.data(), kHeaderType, TypeOfBankKind(GetU8(bank, kBankKind)));
    SetText(h.data(), kHeaderBankCode, entry.bank);
    SetText(h.data(), kHeaderPaymentReference, entry.reference);
    SetText(h.data(), kHeaderDetails, GetText(bill, kBillDetails));
    SetTextUnpadded(h.data(), kHeaderUserName, userName);
    SetU16(h.data(), kHeaderDate, entry.date);
    return h;
}

std::vector<uint8_t> CPayBillPosting::BuildSplit(const BillPaymentEntry& entry, const uint8_t* bill,
                                                 const uint8_t* bank, const std::string& userName)
{
    Record s(kSplitLength, 0);
    SetU8(s.data(), kSplitType, TypeOfBankKind(GetU8(bank, kBankKind)));
    SetText(s.data(), kSplitNominalCode, GetText(bill, kBillPayTo));
    SetText(s.data(), kSplitDetails, GetText(bill, kBillDetails));
    SetTextUnpadded(s.data(), kSplitUserName, userName);
    SetI32(s.data(), kSplitTaxCode, entry.taxCode);
    SetF64(s.data(), kSplitNetAmount, entry.net);
    SetF64(s.data(), kSplitTaxAmount, entry.vat);
    return s;
}

std::vector<uint8_t> CPayBillPosting::ApplyPayment(const BillPaymentEntry& entry, const uint8_t* bill)
{
    Record b(bill, bill + kBillLength);
    SetF64(b.data(), kBillNetPaid, Round(entry.net + GetF64(bill, kBillNetPaid), 2));
    SetF64(b.data(), kBillTaxPaid, Round(entry.vat + GetF64(bill, kBillTaxPaid), 2));
    SetU16(b.data(), kBillDatePaid, entry.date);
    for (const Field& f : {kBillPayTo, kBillDetails, kBillReference}) SetText(b.data(), f, GetText(bill, f));
    return b;
}

CPayBillPosting::Outcome CPayBillPosting::Pay(const BillPaymentEntry& entry, const std::string& userName,
                                              uint32_t* transaction)
{
    // The user's context reads the users file in a bracket of its own: made first, since a
    // read bracket opened inside the write one could open a table handle beside it.
    CBBusContext bus(m_context, userName);
    CDDataResourceManager manager(m_context);
    DataContext& ctx = manager.Context();
    DataFile bills = ctx.File(kFileBills);
    const RecordLock lock(bills, m_recNo);
    if (!lock.Held()) return Outcome::Locked;

    manager.GetResources()
        .Add(CBBill::GetStaticResourcesFor(kResourceSave))
        .Add(CBTranhead::GetStaticResourcesFor(kResourceSave))
        .Add(CBNom::GetStaticResourcesFor(kResourceSave))
        .Add(CBBank::GetStaticResourcesFor(kResourceSave))
        .AddDataFile(kFileTaxControl);
    manager.ObtainResources();

    Record current(kBillLength, 0);
    if (!ReadRec(bills, m_recNo, current.data()) || !IsSameBill(current.data(), m_bill.data()))
        return Outcome::Gone;
    if (current != m_bill) {
        m_bill = current;
        return Outcome::Changed;
    }

    Record bank(kBankLength, 0);
    FlashFindAccount(ctx, kLedgerBank, entry.bank.c_str(), bank.data(), 0);
    const Record header = BuildHeader(entry, m_bill.data(), bank.data(), userName);
    const Record split = BuildSplit(entry, m_bill.data(), bank.data(), userName);
    const uint32_t number = TransactionPost(bus, header.data(), 0, bank.data(), 1, split.data(), 1, 0, 0);
    if (number == 0) return Outcome::Refused;  // the manager abandons the transaction

    const Record paid = ApplyPayment(entry, m_bill.data());
    WriteRec(bills, m_recNo, paid.data());
    manager.ReleaseResources();
    m_bill = paid;
    if (transaction) *transaction = number;
    return Outcome::Posted;
}

}  // namespace kelo
