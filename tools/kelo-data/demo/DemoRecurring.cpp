#include <string>

#include "host/util/Dates.h"
#include "host/util/Money.h"
#include "host/data/FileMap.h"
#include "host/data/RecurringRecord.h"
#include "tools/kelo-data/demo/DemoFamilies.h"

namespace kelo::demo {

namespace {

enum Kind : int8_t { Payment, Receipt, Transfer, CustomerOnAccount, Debit, Credit, SupplierOnAccount };
enum Unit : int8_t { Days, Weeks, Months };

// A standing posting. `account` is a nominal or bank code, or for payments on account the
// position of the customer or supplier. start is days from the program date; 0 made = never
// posted; `noStart` leaves the start date empty.
struct Entry {
    Kind kind;
    const char* account;
    const char* bank;
    const char* reference;
    const char* details;
    double net;
    int taxCode;
    int interval;
    Unit unit;
    int total;
    int made;
    bool suspended;
    int start;
    bool noStart = false;
};

const Entry kEntries[] = {
    {Payment, "7100", kBankCurrent, "RENT", "Warehouse rent", 1850, 2, 1, Months, 0, 14, false, -420},
    {Payment, "7500", kPettyCash, "CLEAN", "Office cleaner", 45, 0, 1, Weeks, 0, 30, false, -210},
    {Payment, "7502", kCreditCard, "SUBS", "Accounts software subscription", 30, 1, 1, Months, 12, 12, false, -360},
    {Payment, "7304", kBankCurrent, "INS", "Vehicle insurance instalment", 96.5, 2, 1, Months, 10, 4, true, -130},
    {Payment, "7504", kPettyCash, "POST", "Postage stamps", 24, 0, 1, Months, 0, 0, false, 5},
    {Payment, "6201", kCreditCard, "ADS", "Online advertising", 150, 1, 1, Months, 6, 3, false, -95},
    {Receipt, "4900", kBankCurrent, "SUBLET", "Rent from sublet office", 450, 2, 1, Months, 0, 8, false, -245},
    {Receipt, "4900", kPettyCash, "VEND", "Vending machine takings", 35, 1, 2, Weeks, 0, 5, false, -70},
    {Receipt, "7400", kCreditCard, "CASHBK", "Card cashback", 12.5, 9, 3, Months, 4, 0, false, 10},
    {Transfer, kBankDeposit, kBankCurrent, "SAVE", "Transfer to deposit account", 2000, 9, 1, Months, 0, 6, false, -185},
    {Transfer, kPettyCash, kBankCurrent, "FLOAT", "Petty cash float top-up", 150, 9, 14, Days, 0, 10, false, -140},
    {Transfer, kBankCurrent, kBankDeposit, "RETURN", "Return from deposit account", 500, 9, 3, Months, 4, 4, false, -370},
    {CustomerOnAccount, "1", kBankCurrent, "SO", "Monthly standing order", 250, 9, 1, Months, 0, 5, false, -150},
    {CustomerOnAccount, "2", kBankCurrent, "SO", "Quarterly payment on account", 600, 9, 3, Months, 0, 2, false, -200},
    {CustomerOnAccount, "5", kBankCurrent, "SO", "Standing order (cancelled by customer)", 120, 9, 1, Months, 0, 3, true, -120},
    {Debit, "1103", "", "PREPAY", "Insurance prepayment release", 120, 9, 1, Months, 12, 7, false, -215},
    {Debit, "7000", "", "WAGES", "Wages accrual", 800, 9, 1, Months, 0, 0, false, 0, true},
    {Debit, "7601", "", "AUDIT", "Audit fee provision", 150, 9, 1, Months, 12, 12, false, -365},
    {Credit, "2109", "", "ACCR", "Audit fee accrual", 150, 9, 1, Months, 12, 5, false, -150},
    {Credit, "1103", "", "PREPAY", "Insurance prepaid", 120, 9, 1, Months, 0, 7, false, -215},
    {Credit, "4009", "", "DISC", "Volume discount adjustment", 75, 9, 3, Months, 0, 1, true, -100},
    {SupplierOnAccount, "0", kBankCurrent, "DD", "Monthly direct debit to supplier", 400, 9, 1, Months, 0, 9, false, -280},
    {SupplierOnAccount, "3", kBankCurrent, "BACS", "Fortnightly payment on account", 300, 9, 2, Weeks, 0, 6, false, -90},
    {SupplierOnAccount, "4", kBankCurrent, "BACS", "Month-end payment on account", 275, 9, 1, Months, 0, 3, false, -100},
};

// The date of posting `k` (0 = the first) of an entry that starts on `start`.
uint16_t postingDate(uint16_t start, int k, int interval, Unit unit)
{
    const auto s = DateNumberToCalendar(start);
    const long long n = static_cast<long long>(k) * interval;
    const auto d = unit == Months ? AddMonths(s, n) : AddDays(s, unit == Weeks ? 7 * n : n);
    return d ? DateNumberFromCalendar(*d) : kNoDate;
}

// The last day of the month before the one `date` is in, so a monthly entry shows the
// month-end rule (31st, then 30th or 28th, then back to 31st).
uint16_t monthEndBefore(uint16_t date)
{
    int d, m, y;
    DateNumberToComponents(date, d, m, y);
    const uint16_t first = DateNumberFromComponents(1, m, y);
    return first > 1 ? uint16_t(first - 1) : date;
}

// Beyond scale 1, each step of the scale adds this many rounds of the 24 entries (about 1,000
// entries), so the benchmark company (--scale 100) holds over 100,000 of them; scale 1 keeps its
// 24 hand-picked entries.
constexpr int kRoundsPerScale = 43;

}  // namespace

void MakeRecurring(DemoBuilder& b)
{
    DemoRandom& r = b.Random();
    Record rec = Blank(kRecurringLength);
    uint32_t recno = 0;
    const int rounds = 1 + (b.Scale() - 1) * kRoundsPerScale;
    for (int round = 0; round < rounds; ++round) {
        for (const Entry& e : kEntries) {
            std::fill(rec.begin(), rec.end(), 0);
            uint8_t* p = rec.data();
            std::string account = e.account;
            if (e.kind == CustomerOnAccount || e.kind == SupplierOnAccount) {
                const auto& accounts = e.kind == CustomerOnAccount ? b.customers : b.suppliers;
                account = accounts[(size_t(std::stoi(e.account)) + size_t(round) * 7) % accounts.size()].code;
            }
            uint16_t start = e.noStart ? kNoDate : b.Day(e.start - round % 28);
            if (e.kind == SupplierOnAccount && e.unit == Months && !e.noStart) start = monthEndBefore(start);
            const double net = round ? r.Money(e.net * 0.5, e.net * 1.5) : e.net;
            SetI8(p, kRecurringKind, e.kind);
            SetText(p, kRecurringSecondAccount, account);
            SetText(p, kRecurringBankCode, e.bank);
            SetText(p, kRecurringReference, e.reference);
            SetText(p, kRecurringDetails, e.details);
            SetI8(p, kRecurringSuspended, e.suspended ? 1 : 0);
            SetF64(p, kRecurringNetAmount, net);
            SetF64(p, kRecurringTaxAmount, Round(net * DemoTaxRate(e.taxCode) / 100.0, 2));
            SetU16(p, kRecurringLastPosted,
                   e.made && start ? postingDate(start, e.made - 1, e.interval, e.unit) : kNoDate);
            SetI16(p, kRecurringDepartment, int16_t(r.Below(6)));
            SetI16(p, kRecurringTaxCode, int16_t(e.taxCode));
            SetI16(p, kRecurringInterval, int16_t(e.interval));
            SetI8(p, kRecurringUnit, e.unit);
            SetU16(p, kRecurringStartDate, start);
            SetI16(p, kRecurringTotalPostings, int16_t(e.total));
            SetI16(p, kRecurringPostingsMade, int16_t(e.made));
            b.Put(kFileRecurring, ++recno, rec);
        }
    }
    b.Report("recurring entries: " + Count(recno));
}

}  // namespace kelo::demo
