#include "src/pages/scans/TransactionDetails.h"

#include <vector>

#include "host/file/RecordFile.h"
#include "host/framework/BusinessObjects.h"
#include "host/framework/CDDataResourceManager.h"
#include "host/framework/TransactionPost.h"
#include "host/util/Dates.h"
#include "host/data/AccountRecord.h"
#include "host/data/AuditHeaderRecord.h"
#include "host/data/FileMap.h"
#include "host/data/IndexKeys.h"
#include "host/data/SplitRecord.h"
#include "src/pages/scans/AccountsDueScan.h"

namespace kelo {
namespace {

constexpr uint8_t kSalesInvoice = 1;

}  // namespace

int TransactionDetails::Ledger() const
{
    return type == kSalesInvoice ? kLedgerSales : kLedgerPurchases;
}

std::string TransactionDetails::TypeText() const
{
    // The viewer is opened on invoices; bill payments posted from the Bills page are the other
    // transactions a user looks up by number.
    switch (type) {
    case kSalesInvoice: return "Sales Invoice";
    case kTypeBankPayment: return "Bank Payment";
    case kTypeBankReceipt: return "Bank Receipt";
    case kTypeCashPayment: return "Cash Payment";
    case kTypeCashReceipt: return "Cash Receipt";
    case kTypeCardPayment: return "Credit Card Payment";
    case kTypeCardReceipt: return "Credit Card Receipt";
    default: return "Purchase Invoice";
    }
}

std::string TransactionDetails::DialKind() const
{
    return type == kSalesInvoice ? "Customer" : "Supplier";
}

std::string TransactionDetails::DateText() const { return DateNumberToFullString(date); }

TransactionDetails TransactionDetails::Load(DataContext& context, uint32_t transactionNumber)
{
    TransactionDetails t;
    t.number = transactionNumber;

    CDDataResourceManager resources(context);
    resources.GetResources().AddIndexFile(kFileTransactionIndex);
    resources.GetResources().Add(CBTranhead::GetStaticResourcesFor(kResourceRead));
    resources.GetResources().Add(CBCustomer::GetStaticResourcesFor(kResourceRead));
    resources.GetResources().Add(CBSupplier::GetStaticResourcesFor(kResourceRead));
    resources.ObtainResources();
    DataContext& ctx = resources.Context();

    const TransactionKey key = BuildTransactionKey(transactionNumber);
    const uint32_t splitNo = FindKey(ctx.File(kFileTransactionIndex), key.data(), 0);
    std::vector<uint8_t> split(kSplitLength, 0);
    std::vector<uint8_t> header(kAuditHeaderLength, 0);
    if (splitNo != 0 && ReadRec(ctx.File(kFileSplits), splitNo, split.data()) &&
        ReadRec(ctx.File(kFileAuditHeaders), GetU32(split.data(), kSplitHeader), header.data())) {
        const uint8_t* h = header.data();
        t.found = true;
        t.type = GetU8(h, kHeaderType);
        t.accountReference = GetText(h, kHeaderAccountReference);
        t.details = GetRawText(h, kHeaderDetails);
        t.reference = GetRawText(h, kHeaderReference);
        t.date = GetU16(h, kHeaderDate);
        t.net = GetF64(h, kHeaderNetAmount);
        t.tax = GetF64(h, kHeaderTaxAmount);
        t.paid = GetF64(h, kHeaderAmountPaid);
        t.outstanding = InvoiceOutstanding(t.net, t.tax, t.paid);

        std::vector<uint8_t> account(kAccountLength, 0);
        const std::string code = GetRawText(h, kHeaderAccountReference);
        if (FlashFindAccount(ctx, t.Ledger(), code.c_str(), account.data(), 0)) {
            t.accountFound = true;
            t.name = GetText(account.data(), kAccountName);
            t.contact = GetText(account.data(), kAccountContactName);
            t.telephone = GetText(account.data(), kAccountTelephone);
        }
    }
    resources.ReleaseResources();
    return t;
}

}  // namespace kelo
