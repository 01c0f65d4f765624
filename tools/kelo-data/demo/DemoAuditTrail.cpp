#include "tools/kelo-data/demo/DemoAuditTrail.h"

#include <algorithm>
#include <cstdio>
#include <string_view>

#include "host/util/Money.h"
#include "host/data/AllocationRecord.h"
#include "host/data/AuditHeaderRecord.h"
#include "host/data/FileMap.h"
#include "host/data/IndexKeys.h"
#include "host/data/SplitRecord.h"
#include "tools/kelo-data/demo/DemoFamilies.h"

namespace kelo::demo {

namespace {

// Transaction types.
constexpr uint8_t kSalesInvoice = 1, kSalesCredit = 2, kSalesReceipt = 3, kSalesOnAccount = 4;
constexpr uint8_t kPurchaseInvoice = 6, kPurchaseCredit = 7, kPurchasePayment = 8,
                  kPurchaseOnAccount = 9;

constexpr const char* kUsers[] = {kUserSupervisor, kUserSales, kUserAccounts};
constexpr const char* kSalesNominals[] = {kSalesStationery, kSalesFurniture, kSalesConsumables};

struct Posting {
    uint8_t type;
    const char* bank;  // nullptr for journals
    const char* nominal;
    const char* details;
    int taxCode;
    double lo, hi;
};

// Bank, cash, credit card and journal postings a trading company makes every month.
constexpr Posting kPostings[] = {
    {11, kBankCurrent, "7100", "Office and warehouse rent", 2, 1500, 2500},
    {11, kBankCurrent, "7000", "Salaries", 9, 8000, 14000},
    {11, kBankCurrent, "7200", "Electricity", 5, 120, 480},
    {11, kBankCurrent, "7502", "Telephone and broadband", 1, 60, 240},
    {11, kBankCurrent, "7901", "Bank charges", 2, 8, 45},
    {12, kBankCurrent, "4900", "Waste paper recycling rebate", 1, 20, 180},
    {12, kBankCurrent, "7900", "Deposit account interest", 2, 2, 40},
    {13, kPettyCash, "7504", "Postage stamps", 0, 5, 60},
    {13, kPettyCash, "7500", "Milk and tea", 0, 3, 25},
    {14, kPettyCash, "4900", "Cash sale", 1, 5, 80},
    {15, nullptr, "1103", "Prepaid insurance", 0, 200, 900},
    {16, nullptr, "2109", "Accrued audit fee", 0, 150, 600},
    {17, kCreditCard, "7400", "Rail fares", 0, 30, 220},
    {17, kCreditCard, "7300", "Fuel", 1, 40, 120},
    {17, kCreditCard, "6201", "Online advertising", 1, 50, 400},
    {18, kCreditCard, "7400", "Refund of cancelled hotel", 1, 40, 160},
};

DemoAuditTrail::Line makeLine(const char* nominal, const std::string& details)
{
    DemoAuditTrail::Line l;
    l.nominal = nominal;
    l.details = details;
    return l;
}

int invoiceTaxCode(DemoRandom& r) { return r.Chance(85) ? 1 : (r.Chance(65) ? 0 : 5); }

}  // namespace

DemoAuditTrail::DemoAuditTrail(DemoBuilder& b)
    : m_b(b), m_header(kAuditHeaderLength), m_split(kSplitLength), m_allocation(kAllocationLength)
{
}

DemoAuditTrail::Transaction DemoAuditTrail::invoice(const TrailPlan& plan, uint16_t date)
{
    DemoRandom& r = m_b.Random();
    const bool sales = plan.trade == Trade::Customer;
    Transaction t;
    t.type = sales ? kSalesInvoice : kPurchaseInvoice;
    t.date = date;
    t.account = plan.code;
    char ref[16];
    if (sales)
        std::snprintf(ref, sizeof ref, "%u", ++m_salesNumber);
    else
        std::snprintf(ref, sizeof ref, "PI%05u", ++m_purchaseNumber);
    t.reference = ref;
    t.details = InvoiceDetails(r, plan.trade);
    const int lines = r.Between(1, 3);
    for (int i = 0; i < lines; ++i) {
        Line l;
        const bool carriage = i > 0 && i == lines - 1 && r.Chance(40);
        l.nominal = carriage ? (sales ? "4905" : kCarriage)
                             : (sales ? r.Pick(std::span<const char* const>(kSalesNominals))
                                      : kPurchases);
        l.details = carriage ? "Carriage" : t.details;
        l.net = carriage ? r.Money(8, 35) : r.Money(15, sales ? 1200 : 2500);
        l.taxCode = invoiceTaxCode(r);
        l.tax = Round(l.net * DemoTaxRate(l.taxCode) / 100.0, 2);
        t.net = Round(t.net + l.net, 2);
        t.tax = Round(t.tax + l.tax, 2);
        t.lines.push_back(std::move(l));
    }
    return t;
}

// Credit notes and payments against one invoice, by how old it is: old invoices are settled,
// recent ones mostly not, and some fall in between.
void DemoAuditTrail::settle(const TrailPlan& plan, Transaction& inv, std::vector<Transaction>& out)
{
    DemoRandom& r = m_b.Random();
    const bool sales = plan.trade == Trade::Customer;
    const uint16_t today = m_b.Today();
    if (inv.date > today) return;
    const double total = Round(inv.net + inv.tax, 2);
    double remaining = total;
    if (r.Chance(10)) {
        Transaction c;
        c.type = sales ? kSalesCredit : kPurchaseCredit;
        c.date = std::min<uint16_t>(today, uint16_t(inv.date + r.Between(1, 20)));
        c.account = plan.code;
        c.reference = (sales ? "CN" : "PC") + inv.reference;
        c.details = sales ? "Goods returned damaged" : "Credit for short delivery";
        Line l = makeLine(sales ? kSalesStationery : kPurchases, c.details);
        l.net = Round(inv.lines[0].net * r.Between(10, 30) / 100.0, 2);
        l.taxCode = inv.lines[0].taxCode;
        l.tax = Round(l.net * DemoTaxRate(l.taxCode) / 100.0, 2);
        c.net = l.net;
        c.tax = l.tax;
        const double amount = Round(l.net + l.tax, 2);
        if (r.Chance(60) && amount < remaining) {
            l.allocations.push_back({c.date, amount});
            inv.lines[0].allocations.push_back({c.date, amount});
            c.paid = amount;
            inv.paid = Round(inv.paid + amount, 2);
            remaining = Round(remaining - amount, 2);
        }
        c.lines.push_back(std::move(l));
        out.push_back(std::move(c));
    }
    const int age = int(today) - int(inv.date);
    const int cp = plan.creditPeriod;
    int paidChance = 15, partChance = 10;
    if (age > cp + 45) {
        paidChance = 97;
        partChance = 0;
    } else if (age > cp) {
        paidChance = 45;
        partChance = 15;
    }
    const int roll = r.Between(0, 99);
    double amount = 0;
    if (roll < paidChance)
        amount = remaining;
    else if (roll < paidChance + partChance)
        amount = Round(remaining * r.Between(25, 75) / 100.0, 2);
    if (amount <= 0.005) return;
    Transaction p;
    p.type = sales ? kSalesReceipt : kPurchasePayment;
    p.date = std::min<uint16_t>(today, uint16_t(inv.date + r.Between(3, cp + 15)));
    p.account = plan.code;
    p.bank = kBankCurrent;
    char ref[16];
    if (r.Chance(70))
        std::snprintf(ref, sizeof ref, "BACS");
    else
        std::snprintf(ref, sizeof ref, "CHQ %06u", ++m_chequeNumber);
    p.reference = ref;
    p.details = sales ? "Payment received, thank you" : "Payment";
    Line l = makeLine(kBankCurrent, p.details);
    l.net = amount;
    l.taxCode = 9;
    l.allocations.push_back({p.date, amount});
    p.lines.push_back(std::move(l));
    p.net = amount;
    p.paid = amount;
    inv.lines[0].allocations.push_back({p.date, amount});
    inv.paid = Round(inv.paid + amount, 2);
    out.push_back(std::move(p));
}

TrailResult DemoAuditTrail::AccountTrail(const TrailPlan& plan)
{
    TrailResult result;
    if (!plan.lastDate) return result;
    DemoRandom& r = m_b.Random();
    const bool sales = plan.trade == Trade::Customer;
    const uint16_t first = uint16_t(std::max(1, int(plan.lastDate) - r.Between(240, 700)));
    std::vector<uint16_t> dates(size_t(r.Between(9, 29)));
    for (uint16_t& d : dates) d = uint16_t(first + r.Below(uint32_t(plan.lastDate - first + 1)));
    dates.back() = plan.lastDate;
    if (plan.futureInvoice) dates.push_back(m_b.Day(2));
    std::sort(dates.begin(), dates.end());

    std::vector<Transaction> txs;
    for (const uint16_t date : dates) {
        Transaction inv = invoice(plan, date);
        std::vector<Transaction> follow;
        if (r.Chance(1) && date + 60 < m_b.Today()) {
            inv.exclusion = 1;  // posted in error and reversed: never listed nor aged
        } else {
            settle(plan, inv, follow);
            if (inv.paid < 0.005 && r.Chance(3)) inv.ageAsCurrent = 1;  // in dispute
        }
        txs.push_back(std::move(inv));
        for (Transaction& t : follow) txs.push_back(std::move(t));
    }
    if (r.Chance(20)) {
        Transaction p;
        p.type = sales ? kSalesOnAccount : kPurchaseOnAccount;
        p.date = uint16_t(std::max<int>(first, plan.lastDate - r.Between(0, 20)));
        p.account = plan.code;
        p.bank = kBankCurrent;
        p.reference = "POA";
        p.details = sales ? "Payment on account" : "Deposit paid on account";
        Line l = makeLine(kBankCurrent, p.details);
        l.net = p.net = r.Money(50, 500);
        l.taxCode = 9;
        p.lines.push_back(std::move(l));
        txs.push_back(std::move(p));
    }
    std::stable_sort(txs.begin(), txs.end(),
                     [](const Transaction& a, const Transaction& b) { return a.date < b.date; });

    for (const Transaction& t : txs) {
        const double total = Round(t.net + t.tax, 2);
        if (t.exclusion) continue;
        if (t.type == kSalesInvoice || t.type == kPurchaseInvoice)
            result.balance = Round(result.balance + total, 2);
        else
            result.balance = Round(result.balance - total, 2);
        if (t.date <= m_b.Today()) result.lastActivity = std::max(result.lastActivity, t.date);
    }
    result.chain = uint32_t(m_firstHeader.size());
    m_firstHeader.push_back(0);
    queue(txs, result.chain);
    return result;
}

void DemoAuditTrail::BankPostings(int count)
{
    DemoRandom& r = m_b.Random();
    const int span = 730;
    std::vector<Transaction> batch;
    for (int i = 0; i < count; ++i) {
        const Posting& p = r.Pick(std::span<const Posting>(kPostings));
        Transaction t;
        t.type = p.type;
        t.date = m_b.Day(-span + int(int64_t(span) * i / std::max(1, count)));
        t.bank = p.bank ? p.bank : "";
        t.account = p.bank ? p.bank : p.nominal;
        t.reference = p.bank ? (r.Chance(50) ? "DD" : "SO") : "JNL";
        t.details = p.details;
        Line l = makeLine(p.nominal, p.details);
        l.net = r.Money(p.lo, p.hi);
        l.taxCode = p.taxCode;
        l.tax = Round(l.net * DemoTaxRate(p.taxCode) / 100.0, 2);
        t.net = l.net;
        t.tax = l.tax;
        t.paid = p.bank ? Round(t.net + t.tax, 2) : 0.0;
        t.lines.push_back(std::move(l));
        batch.push_back(std::move(t));
    }
    queue(batch, 0);
}

void DemoAuditTrail::queue(std::vector<Transaction>& txs, uint32_t chain)
{
    for (Transaction& t : txs) {
        t.chain = chain;
        t.seq = uint32_t(m_queued.size());
        m_queued.push_back(std::move(t));
    }
    m_headers = uint32_t(m_queued.size());
}

void DemoAuditTrail::Post()
{
    // Stable: an account's transactions keep their order within a day, and the chain with it.
    std::stable_sort(m_queued.begin(), m_queued.end(),
                     [](const Transaction& a, const Transaction& b) { return a.date < b.date; });
    std::vector<uint32_t> next(m_queued.size(), 0);
    for (size_t i = m_queued.size(); i-- > 0;) {
        const uint32_t chain = m_queued[i].chain;
        if (!chain) continue;
        next[i] = m_firstHeader[chain];
        m_firstHeader[chain] = uint32_t(i + 1);
    }
    for (size_t i = 0; i < m_queued.size(); ++i) write(m_queued[i], uint32_t(i + 1), next[i]);
    m_queued = {};
}

void DemoAuditTrail::write(const Transaction& t, uint32_t header, uint32_t next)
{
    {
        // The user goes with the order made in, so the records do not depend on the posting order.
        const char* user = kUsers[(t.seq + 1) % 3];
        std::fill(m_header.begin(), m_header.end(), 0);
        uint8_t* h = m_header.data();
        SetU8(h, kHeaderType, t.type);
        SetText(h, kHeaderAccountReference, t.account);
        SetText(h, kHeaderBankCode, t.bank);
        SetText(h, kHeaderReference, t.reference);
        SetText(h, kHeaderDetails, t.details);
        SetText(h, kHeaderUserName, user);
        SetU16(h, kHeaderDate, t.date);
        SetF64(h, kHeaderNetAmount, t.net);
        SetF64(h, kHeaderTaxAmount, t.tax);
        SetF64(h, kHeaderAmountPaid, t.paid);
        SetU32(h, kHeaderFirstSplit, m_splits + 1);
        SetU32(h, kHeaderNextHeader, next);
        SetU16(h, kHeaderExclusion, t.exclusion);
        SetU16(h, kHeaderAgeAsCurrent, t.ageAsCurrent);
        m_b.Put(kFileAuditHeaders, header, m_header);

        for (size_t j = 0; j < t.lines.size(); ++j) {
            const Line& l = t.lines[j];
            const uint32_t split = ++m_splits;
            std::fill(m_split.begin(), m_split.end(), 0);
            uint8_t* s = m_split.data();
            SetU8(s, kSplitType, t.type);
            SetText(s, kSplitNominalCode, l.nominal);
            SetText(s, kSplitDetails, l.details);
            SetText(s, kSplitUserName, user);
            SetI32(s, kSplitTaxCode, l.taxCode);
            SetF64(s, kSplitNetAmount, l.net);
            SetF64(s, kSplitTaxAmount, l.tax);
            SetU32(s, kSplitHeader, header);
            SetU32(s, kSplitNextSplit, j + 1 < t.lines.size() ? split + 1 : 0);
            SetU32(s, kSplitTransactionNumber, header);
            SetU32(s, kSplitFirstAllocation, l.allocations.empty() ? 0 : m_allocations + 1);
            m_b.Put(kFileSplits, split, m_split);
            const TransactionKey key = BuildTransactionKey(header);
            m_b.Key(kFileTransactionIndex, key.data(), split);

            for (size_t k = 0; k < l.allocations.size(); ++k) {
                const uint32_t alloc = ++m_allocations;
                std::fill(m_allocation.begin(), m_allocation.end(), 0);
                uint8_t* a = m_allocation.data();
                SetU16(a, kAllocationDate, l.allocations[k].date);
                SetF64(a, kAllocationAmount, l.allocations[k].amount);
                SetU32(a, kAllocationNext, k + 1 < l.allocations.size() ? alloc + 1 : 0);
                m_b.Put(kFileAllocations, alloc, m_allocation);
            }
        }
    }
}

}  // namespace kelo::demo
