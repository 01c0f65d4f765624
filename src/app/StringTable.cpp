#include "src/app/StringTable.h"

#include <algorithm>
#include <iterator>

namespace kelo {

namespace {

struct Entry {
    int id;
    const char* text;
};

// Sorted by id.
constexpr Entry kStrings[] = {
    {61205, " Accounts Due"},
    {61206, " Bills"},
    {61207, " Invoices"},
    {61208, " Account Status"},
    {61209, " To Do List"},
    {61210, " Recurring"},
    {61211, "There are no bills selected to delete."},
    {61212, "You can't delete a bill that has been partially paid."},
    {61213, "Are you sure you wish to delete this bill entry?"},
    {61214, "You cannot add a bill that has no value.\n\nPlease enter a value for this bill."},
    {61215, "The new net amount for this bill is less than the net amount that has already been "
            "paid. You cannot reduce the net amount below what has already been paid."},
    {61216, "The new tax amount for this bill is less than the tax amount that has already been "
            "paid. You cannot reduce the tax amount below what has already been paid."},
    {61217, "You cannot create a bill that does not have a date.\n\nPlease enter a date for this "
            "bill."},
    {61218, "You cannot create a bill that does not have a due date.\n\nPlease enter a due date "
            "for this bill."},
    {61219, "A Bank account must be selected"},
    {61222, "No value entered, please enter value"},
    {61225, "The account entered does not exist.\n\nPlease enter a valid account."},
    {61226, "Are you sure you wish to delete this To Do record?"},
    {61227, "You cannot create a task with no description.\n\nPlease enter a description for "
            "this task."},
    {61228, "The selected bill is fully paid. There is no amount outstanding to make a payment "
            "against."},
    {61233, "The bank account entered could not be found.\n\nPlease enter a valid bank account."},
    {61234, "The nominal code entered is a control account which cannot be used for bill "
            "entries.\n\nPlease select a different nominal code."},
    {61235, "The nominal code entered is a bank account which cannot be used for bill entries."
            "\n\nPlease select a different nominal code."},
    {61236, "This option will delete all your bill entries.\n\nAre you sure you wish to "
            "continue?"},
    {61237, "This option will delete all your To Do entries.\n\nAre you sure you wish to "
            "continue?"},
    {61238, "The due date for payment can not be before the date of the bill."},
    {61239, "Phone call reminder."},
    {61240, " Contacts"},
    {61241, " POP"},
    {61242, " SOP"},
    {61243, " Stock"},
    {61244, "Are you sure you wish to delete this phone call reminder record?"},
    {61245, "Date is outside the current financial year. Do you want to continue ?"},
    {61252, "You have entered an invalid bill date. \n\nPlease enter a date for this bill. "},
    {61253, "You have entered an invalid due date for this bill. \n\nPlease enter a due date for "
            "this bill. "},
    {61255, "Software\\Kelo\\Plinth 70\\History\\TasksToDoDesc"},
    {61256, "Software\\Kelo\\Plinth 70\\History\\TasksBillDetails"},
    {61257, "You have entered an invalid bill date.\n\nPlease enter a valid date for this bill."},
    {61278, "You cannot post Bill payments against\nnon-Base Currency Bank Accounts."},
    // Two desks on one company: what the write of a record says when another user came first.
    {61290, "Another user is changing this record at the moment.\n\nNothing has been saved. "
            "Please try again when they have finished."},
    {61291, "Another user has changed this record since you opened it.\n\nYes: save your "
            "changes over theirs.\nNo: discard your changes and keep theirs.\nCancel: go back "
            "to your changes."},
    {61292, "Another user has deleted this record since you opened it.\n\nYes: save your "
            "changes as the record again.\nNo: discard your changes.\nCancel: go back to your "
            "changes."},
    {61293, "Another user has changed this record since the list showed it.\n\nDo you still "
            "want to delete it?"},
    {61294, "Another user has already deleted this record."},
};

const Entry* Find(int id)
{
    const auto it = std::lower_bound(std::begin(kStrings), std::end(kStrings), id,
                                     [](const Entry& e, int key) { return e.id < key; });
    return it != std::end(kStrings) && it->id == id ? &*it : nullptr;
}

}  // namespace

std::string StringTable::Load(int id)
{
    const Entry* e = Find(id);
    return e ? e->text : std::string();
}

bool StringTable::Has(int id) { return Find(id) != nullptr; }

}  // namespace kelo
