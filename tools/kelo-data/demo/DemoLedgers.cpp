#include <cmath>

#include "host/data/AccountRecord.h"
#include "host/data/FileMap.h"
#include "host/data/IndexKeys.h"
#include "tools/kelo-data/demo/DemoAuditTrail.h"
#include "tools/kelo-data/demo/DemoFamilies.h"

namespace kelo::demo {

namespace {

constexpr int kCustomersPerScale = 200;
constexpr int kSuppliersPerScale = 50;
constexpr int kBankPostingsPerScale = 1500;

// Account i's traits come from its position, so every state an account can be in turns up in
// every company, however small, and the rest varies with the seed.
void makeAccounts(DemoBuilder& b, DemoAuditTrail& trail, Trade trade, int count)
{
    const bool sales = trade == Trade::Customer;
    const int file = sales ? kFileCustomers : kFileSuppliers;
    const int index = sales ? kFileCustomerIndex : kFileSupplierIndex;
    std::vector<DemoAccount>& accounts = sales ? b.customers : b.suppliers;
    DemoRandom& r = b.Random();
    AccountCodes codes;
    Record rec = Blank(kAccountLength);
    for (int i = 0; i < count; ++i) {
        DemoAccount account;
        account.name = BusinessName(r, trade);
        account.code = codes.Next(account.name);
        account.recno = uint32_t(i + 1);

        TrailPlan plan;
        plan.trade = trade;
        plan.code = account.code;
        plan.creditPeriod = i % 7 == 0 ? 60 : (i % 7 == 3 ? 14 : 30);
        const bool inactive = i % 10 == 7;
        if (i % 25 != 24)  // a few new accounts with no transactions yet
            plan.lastDate = inactive ? b.Day(-r.Between(95, 400)) : b.Day(-r.Between(0, 12));
        plan.futureInvoice = i % 20 == 6 && !inactive;
        const TrailResult t = trail.AccountTrail(plan);

        std::fill(rec.begin(), rec.end(), 0);
        uint8_t* a = rec.data();
        SetText(a, kAccountReference, account.code);
        SetText(a, kAccountName, account.name);
        SetText(a, kAccountContactName, PersonName(r));
        SetText(a, kAccountTelephone, Telephone(r));
        SetU8(a, kAccountOnHold, i % 15 == 4 ? 1 : 0);
        double limit = std::ceil((std::max(t.balance, 0.0) * 1.5 + 500) / 500) * 500;
        if (i % 12 == 9) limit = 0;  // no limit set
        if (i % 12 == 3 && t.balance > 1) limit = std::max(1.0, std::floor(t.balance * 0.8 / 50) * 50);
        SetF64(a, kAccountCreditLimit, limit);
        SetI16(a, kAccountCreditPeriod, int16_t(plan.creditPeriod));
        const int settlement[] = {7, 10, 14};
        SetI16(a, kAccountSettlementPeriod, int16_t(i % 3 == 1 ? settlement[r.Below(3)] : 0));
        uint16_t review = b.Day(r.Between(1, 365));
        if (i % 8 == 5) review = b.Day(-r.Between(1, 200));
        if (i % 8 == 0) review = 0;
        SetU16(a, kAccountCreditReviewDate, review);
        SetU16(a, kAccountCreditCharges, i % 9 == 2 ? 1 : 0);
        if (!sales) SetU16(a, kAccountBacs, r.Chance(60) ? 1 : 0);
        SetF64(a, kAccountBalance, t.balance);
        SetU16(a, kAccountLastActivityDate, t.lastActivity);
        account.chain = t.chain;  // its first header is set when the trail is posted
        b.Put(file, account.recno, rec);
        const AccountKey key = BuildAccountKey(account.code);
        b.Key(index, key.data(), account.recno);
        accounts.push_back(std::move(account));
    }
}

}  // namespace

void MakeLedgers(DemoBuilder& b)
{
    DemoAuditTrail trail(b);
    makeAccounts(b, trail, Trade::Customer, kCustomersPerScale * b.Scale());
    const uint32_t salesHeaders = trail.Headers();
    b.Report("customers: " + Count(b.customers.size()) + " accounts, " + Count(salesHeaders) +
             " headers");
    makeAccounts(b, trail, Trade::Supplier, kSuppliersPerScale * b.Scale());
    b.Report("suppliers: " + Count(b.suppliers.size()) + " accounts, " +
             Count(trail.Headers() - salesHeaders) + " headers");
    trail.BankPostings(kBankPostingsPerScale * b.Scale());
    trail.Post();
    for (auto [file, accounts] : {std::pair(kFileCustomers, &b.customers),
                                  std::pair(kFileSuppliers, &b.suppliers)}) {
        for (DemoAccount& account : *accounts) {
            if (!account.chain) continue;
            Record rec = b.Get(file, account.recno);
            SetU32(rec.data(), kAccountFirstHeader, trail.FirstHeader(account.chain));
            b.Put(file, account.recno, rec);
        }
    }
    b.Report("audit trail: " + Count(trail.Headers()) + " headers, " + Count(trail.Splits()) +
             " splits, " + Count(trail.Allocations()) + " allocations");
}

}  // namespace kelo::demo
