#include "src/pages/scans/RecurringDetails.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "host/data/AccountRecord.h"
#include "host/data/FileMap.h"
#include "host/data/NominalRecord.h"
#include "host/data/RecurringRecord.h"
#include "host/data/TaxControlRecord.h"
#include "host/file/RecordFile.h"
#include "host/framework/BusinessObjects.h"
#include "host/framework/CBDep.h"
#include "host/framework/CDDataResourceManager.h"
#include "host/framework/VatScheme.h"
#include "host/util/Text.h"
#include "src/pages/scans/RecurringScan.h"

namespace kelo {
namespace {

// The account's name at the common name field, through the lookup for `ledger`; empty when
// there is no such account.
std::string accountName(DataContext& context, int ledger, const std::string& code,
                        std::vector<uint8_t>& rec)
{
    const std::string key = FillUp(code, kAccountReference.width);
    if (!FlashFindAccount(context, ledger, key.c_str(), rec.data(), 0)) return {};
    return GetText(rec.data(), ledger == kLedgerNominal ? kNominalName : kAccountName);
}

}  // namespace

RecurringLabels RecurringLabelsFor(int kind, bool standardVat)
{
    RecurringLabels l{"Bank A/C From", true, "Nominal Code", true, true, true, "Net Amount"};
    switch (kind) {
    case kRecurringReceipt:
        l.firstAccount = "Bank A/C To";
        break;
    case kRecurringTransfer:
        l.secondAccount = "Bank A/C To";
        l.taxCodeShown = l.vatShown = false;
        l.amount = "Amount";
        break;
    case kRecurringCustomerOnAccount:
    case kRecurringSupplierOnAccount:
        l.firstAccount = "Bank A/C";
        l.secondAccount = kind == kRecurringCustomerOnAccount ? "Customer A/C" : "Supplier A/C";
        l.detailsShown = false;
        // Under standard VAT a payment on account carries no tax of its own.
        l.taxCodeShown = l.vatShown = !standardVat;
        l.amount = standardVat ? "Amount" : "Net Amount";
        break;
    case kRecurringJournalDebit:
    case kRecurringJournalCredit:
        l.firstAccount.clear();
        l.firstShown = false;
        l.vatShown = false;
        break;
    default:
        break;
    }
    return l;
}

std::string RecurringTypeName(int kind, int bankKind)
{
    const char* by[] = {"Bank", "Cash", "Visa"};
    const int i = bankKind == 2 ? 1 : bankKind == 4 ? 2 : 0;
    switch (kind) {
    case kRecurringPayment: return std::string(by[i]) + " Payment";
    case kRecurringReceipt: return std::string(by[i]) + " Receipt";
    case kRecurringTransfer: return "Bank/Cash/Credit Card Transfer";
    // The host's own spelling.
    case kRecurringCustomerOnAccount: return "Customer Payment on Acount";
    case kRecurringJournalDebit: return "Journal Debit";
    case kRecurringJournalCredit: return "Journal Credit";
    case kRecurringSupplierOnAccount: return "Supplier Payment on Acount";
    default: return {};
    }
}

std::string RecurringDetails::TaxCodeText() const
{
    char text[64];
    if (taxCodeKnown)
        std::snprintf(text, sizeof text, "T%d   %.2f", entry.taxCode, taxRate);
    else
        std::snprintf(text, sizeof text, "T%d", entry.taxCode);
    return text;
}

RecurringDetails RecurringDetails::Load(DataContext& context, uint32_t recordNumber)
{
    RecurringDetails d;
    d.recordNumber = recordNumber;

    CDDataResourceManager resources(context);
    CDDataResources& set = resources.GetResources();
    set.Add(CDPersistentRecurringEntry::GetStaticResourcesFor(kResourceRead));
    set.Add(CDPersistentNom::GetStaticResourcesFor(kResourceRead));
    set.Add(CDPersistentBank::GetStaticResourcesFor(kResourceRead));
    set.Add(CBCustomer::GetStaticResourcesFor(kResourceRead));
    set.Add(CBSupplier::GetStaticResourcesFor(kResourceRead));
    set.AddDataFile(kFileTaxControl).AddDataFile(kFileDepartments).AddDataFile(kFileSetup);
    resources.ObtainResources();
    DataContext& ctx = resources.Context();

    std::vector<uint8_t> rec(kRecurringLength, 0);
    if (recordNumber != 0 && ReadRec(ctx.File(kFileRecurring), recordNumber, rec.data())) {
        d.found = true;
        d.entry = RecurringEntry::Of(rec.data());
        const RecurringEntry& e = d.entry;
        std::vector<uint8_t> account(std::max({kAccountLength, kNominalLength}), 0);

        d.standardVat = IsStandardVat(ctx);
        std::vector<uint8_t> tax(kTaxControlLength, 0);
        if (e.taxCode >= 0 && e.taxCode < int(kTaxCodeCount) &&
            ReadRec(ctx.File(kFileTaxControl), 1, tax.data())) {
            d.taxCodeKnown = true;
            d.taxRate = TaxRate(tax.data(), e.taxCode);
        }
        if (e.kind == kRecurringPayment || e.kind == kRecurringReceipt)
            d.bankKind = RecurringBankKind(ctx, e.bankCode);
        // A bank account's name is that of the nominal account of the same code.
        d.bankName = accountName(ctx, kLedgerNominal, e.bankCode, account);
        const int ledger = e.kind == kRecurringCustomerOnAccount   ? kLedgerSales
                           : e.kind == kRecurringSupplierOnAccount ? kLedgerPurchases
                                                                   : kLedgerNominal;
        d.secondName = accountName(ctx, ledger, e.secondAccount, account);
        if (ledger == kLedgerPurchases) {
            const std::string key = FillUp(e.secondAccount, kAccountReference.width);
            d.bacs = NetworkFlashFindAccount(ctx, kLedgerPurchases, key.c_str(), account.data(), 0) &&
                     GetU16(account.data(), kAccountBacs) == 1;
        }
        if (e.department == 0) {
            d.department = "0";
        } else {
            const CBDep dep(ctx, e.department);
            d.department = dep.GetUserRefn().empty() && dep.GetName().empty()
                               ? std::to_string(e.department)
                               : dep.GetUserRefn() + " - " + dep.GetName();
        }
        d.finish = e.ProjectedFinish();
    }
    resources.ReleaseResources();
    return d;
}

}  // namespace kelo
