#include <cstdio>
#include <string>

#include "host/util/Money.h"
#include "host/data/BillRecord.h"
#include "host/data/FileMap.h"
#include "host/data/ToDoRecord.h"
#include "tools/kelo-data/demo/DemoFamilies.h"

namespace kelo::demo {

namespace {

constexpr const char* kPhoneCall = "Phone call reminder.";

struct ToDo {
    const char* user;
    const char* type;  // one of the To Do page's predefined types
    const char* description;
    int due;  // days from the program date
    bool completed;
    const char* notes;  // nullptr = none
};

// Due today or later: current; earlier: overdue; ticked: completed, whatever the date.
const ToDo kToDos[] = {
    {kUserSupervisor, "Reconcile bank account", "Reconcile current account to statement", 0, false, "Statement arrived this morning."},
    {kUserSupervisor, "Print daybooks", "Print sales and purchase daybooks", 3, false, nullptr},
    {kUserSupervisor, "Run aged debtors", "Review aged debtors with Anne", 7, false, "Bring the list of accounts on hold."},
    {kUserSupervisor, "Send accounts to accountant", "Send quarter's figures to the accountant", 14, false, nullptr},
    {kUserSupervisor, "General Reminder", "Chase signed quotation for office refit", -3, false, nullptr},
    {kUserSupervisor, "Print and send statements", "Print and send customer statements", -5, false, nullptr},
    {kUserSupervisor, "General Reminder", "Renew vehicle insurance", -12, false, "Two quotes received; the broker's is cheaper."},
    {kUserSupervisor, "Carry out month end routine ", "Month end routine", -30, true, nullptr},
    {kUserSupervisor, "Reconcile VAT", "Reconcile VAT for the last quarter", -40, true, "Agreed to the return."},
    {kUserSupervisor, "Carry out year end routine", "Year end stock take", -60, true, nullptr},
    {kUserSales, "Send overdue letters", "Send overdue letters to customers on hold", 1, false, nullptr},
    {kUserSales, "General Reminder", "Update price list for new paper prices", 10, false, nullptr},
    {kUserSales, "Run aged debtors", "Run aged debtors for the sales meeting", -2, false, nullptr},
    {kUserSales, "General Reminder", "Book stand at the trade show", -9, false, "Deadline for early rate was last week."},
    {kUserSales, "Print and send statements", "Statements for key accounts", -20, true, nullptr},
    {kUserSales, "General Reminder", "Order new sample books", -35, true, nullptr},
    {kUserAccounts, "Bank statement due date", "Deposit account statement due", 2, false, nullptr},
    {kUserAccounts, "Last day of VAT quarter/month", "VAT quarter ends", 20, false, nullptr},
    {kUserAccounts, "Print management reports", "Print management reports for the directors", -1, false, nullptr},
    {kUserAccounts, "Reconcile bank account", "Reconcile credit card statement", -6, false, nullptr},
    {kUserAccounts, "Reconcile bank account", "Reconcile petty cash", -15, true, nullptr},
    {kUserAccounts, "Print daybooks", "Print last month's daybooks", -28, true, nullptr},
};

struct Reminder {
    const char* user;
    bool customer;
    int account;  // position in the ledger; -1 = an account that has since been removed
    const char* description;
    int due;
    bool completed;
};

// Due before today: overdue; today: today's; later: future; ticked: completed.
const Reminder kReminders[] = {
    {kUserSupervisor, true, 0, "Chase overdue invoices", -1, false},
    {kUserSupervisor, true, 3, "Discuss credit limit", -4, false},
    {kUserSupervisor, false, 1, "Query on last invoice", -9, false},
    {kUserSupervisor, true, 4, "Agree payment plan", 0, false},
    {kUserSupervisor, false, 2, "Confirm delivery date", 0, false},
    {kUserSupervisor, true, 6, "Follow up quotation", 2, false},
    {kUserSupervisor, true, 8, "Arrange account review", 6, false},
    {kUserSupervisor, false, 5, "Negotiate new prices", 15, false},
    {kUserSupervisor, true, -1, "Ask for final payment", 20, false},
    {kUserSupervisor, true, 9, "Chase remittance advice", -7, true},
    {kUserSupervisor, false, 0, "Return faulty chairs", -20, true},
    {kUserSales, true, 11, "Chase overdue invoices", -2, false},
    {kUserSales, true, 12, "Follow up sample request", -6, false},
    {kUserSales, true, 13, "Confirm order quantities", 0, false},
    {kUserSales, true, 14, "Introduce new furniture range", 0, false},
    {kUserSales, true, 15, "Follow up quotation", 4, false},
    {kUserSales, true, 16, "Book account review", 12, false},
    {kUserSales, true, 17, "Thank for prompt payment", -3, true},
    {kUserSales, true, 18, "Confirm new contact name", -11, true},
    {kUserAccounts, false, 3, "Query statement balance", -2, false},
    {kUserAccounts, false, 4, "Ask for credit note", 0, false},
    {kUserAccounts, false, 6, "Confirm bank details change", 3, false},
    {kUserAccounts, false, 7, "Agree payment date", -8, true},
    {kUserAccounts, false, 8, "Chase missing delivery note", -5, false},
    {kUserAccounts, false, 9, "Check remittance received", 0, false},
    {kUserAccounts, false, 10, "Review supplier terms", 9, false},
    {kUserAccounts, false, 11, "Confirm statement agreed", -14, true},
};

struct Bill {
    const char* payTo;
    const char* details;
    int taxCode;
    double net;
    int due;     // days from the program date
    int paid;    // percent paid
};

// Current (due today or later), overdue, part paid either way, and paid.
const Bill kBills[] = {
    {"7200", "Electricity - quarter to date", 5, 412.60, 10, 0},
    {"7502", "Telephone and broadband", 1, 96.00, 25, 0},
    {"7201", "Gas - quarter to date", 5, 188.40, 0, 0},
    {"7103", "Business rates instalment", 2, 640.00, 5, 50},
    {"7601", "Accountancy fees - year end", 1, 1450.00, -3, 0},
    {"7304", "Vehicle insurance renewal", 2, 1284.00, -15, 0},
    {"7100", "Warehouse rent - quarter", 2, 5550.00, -20, 40},
    {"7700", "Forklift repair", 1, 365.00, -8, 75},
    {"6201", "Advertising in trade directory", 1, 250.00, -35, 100},
    {"7600", "Legal fees - lease review", 1, 900.00, -50, 100},
    {"7201", "Gas - last quarter", 5, 205.10, -95, 100},
};

}  // namespace

void MakeOwnRecords(DemoBuilder& b)
{
    Record rec = Blank(kToDoLength);
    uint32_t recno = 0;
    int todos = 0, reminders = 0, bills = 0;
    const auto putToDo = [&](const char* user, const std::string& type, const std::string& description,
                             const std::string& account, int16_t ledger, uint16_t due, bool completed,
                             const char* notes) {
        std::fill(rec.begin(), rec.end(), 0);
        uint8_t* p = rec.data();
        SetText(p, kToDoDescription, description);
        SetText(p, kToDoType, type);
        SetText(p, kToDoDelegateTo, user);
        if (ledger) SetText(p, kToDoAccountCode, account);
        SetU16(p, kToDoDateDue, due);
        SetU16(p, kToDoCompleted, completed ? 1 : 0);
        SetI16(p, kToDoLedgerType, ledger);
        SetI32(p, kToDoNotesBlock, notes ? b.Notes(notes) : -1);
        b.Put(kFileToDo, ++recno, rec);
        const ToDoKey key = BuildToDoKey(user, due, recno);
        b.Key(kFileToDoIndex, key.data(), recno);
    };
    for (int round = 0; round < b.Scale(); ++round) {
        const int shift = round * 3;  // later rounds spread the same work over more days
        for (const ToDo& t : kToDos) {
            putToDo(t.user, t.type, t.description, "", 0, b.Day(t.due + (t.due >= 0 ? shift : -shift)),
                    t.completed, t.notes);
            ++todos;
        }
        if (round == 0) {
            // An entry deleted from the To Do page: its bytes are 0xFF and its key is gone.
            std::fill(rec.begin(), rec.end(), 0xFF);
            b.Put(kFileToDo, ++recno, rec);
        }
        for (const Reminder& m : kReminders) {
            const auto& ledger = m.customer ? b.customers : b.suppliers;
            const std::string code =
                m.account < 0 ? "ZZZ999" : ledger[(size_t(m.account) + size_t(round) * 19) % ledger.size()].code;
            putToDo(m.user, kPhoneCall, m.description, code, m.customer ? 256 : 257,
                    b.Day(m.due == 0 ? 0 : m.due + (m.due > 0 ? shift : -shift)), m.completed,
                    m.completed ? "Spoke to the accounts department." : nullptr);
            ++reminders;
        }
    }

    Record bill = Blank(kBillLength);
    char reference[16];
    for (int round = 0; round < b.Scale(); ++round) {
        for (const Bill& k : kBills) {
            std::fill(bill.begin(), bill.end(), 0);
            uint8_t* p = bill.data();
            const uint16_t due = b.Day(k.due == 0 ? 0 : k.due + (k.due > 0 ? round : -round));
            const double net = round ? b.Random().Money(k.net * 0.6, k.net * 1.4) : k.net;
            const double tax = Round(net * DemoTaxRate(k.taxCode) / 100.0, 2);
            std::snprintf(reference, sizeof reference, "INV%05d", 4400 + bills);
            SetText(p, kBillPayTo, k.payTo);
            SetText(p, kBillDetails, k.details);
            SetText(p, kBillReference, reference);
            SetI16(p, kBillTaxCode, int16_t(k.taxCode));
            SetU16(p, kBillDate, uint16_t(due > 30 ? due - 30 : 1));
            SetU16(p, kBillDueDate, due);
            SetF64(p, kBillNetAmount, net);
            SetF64(p, kBillTaxAmount, tax);
            if (k.paid) {
                SetF64(p, kBillNetPaid, k.paid == 100 ? net : Round(net * k.paid / 100.0, 2));
                SetF64(p, kBillTaxPaid, k.paid == 100 ? tax : Round(tax * k.paid / 100.0, 2));
                SetU16(p, kBillDatePaid, b.Day(k.due < 0 ? k.due + 5 : -2));
            }
            SetU16(p, kBillFirstDueDate, due);
            SetU16(p, kBillFirstDueDateSet, 1);
            b.Put(kFileBills, uint32_t(++bills), bill);
        }
    }
    b.Report("own records: " + Count(todos) + " To Do entries, " + Count(reminders) +
             " phone call reminders, " + Count(bills) + " bills");
}

}  // namespace kelo::demo
