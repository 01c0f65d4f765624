#include "src/pages/PageFactory.h"

#include <iterator>

#include "src/pages/CReminderAccount.h"
#include "src/pages/CReminderAuditTrail.h"
#include "src/pages/CReminderBills.h"
#include "src/pages/CReminderContacts.h"
#include "src/pages/CReminderInvoices.h"
#include "src/pages/CReminderPOP.h"
#include "src/pages/CReminderRecurring.h"
#include "src/pages/CReminderSOP.h"
#include "src/pages/CReminderStock.h"
#include "src/pages/CReminderToDo.h"

namespace kelo {

namespace {

using MakePage = CReminderPage* (*)(TaskServices&, QWidget*, CKTreeView*);

template <class Page>
CReminderPage* Make(TaskServices& services, QWidget* parent, CKTreeView* tree)
{
    return new Page(services, parent, tree);
}

struct Entry {
    int command;
    MakePage make;
};

// Tasks whose page exists; the rest are added with their pages.
constexpr Entry kPages[] = {
    {32600, &Make<CReminderToDo>},
    {32601, &Make<CReminderContacts>},
    {32602, &Make<CReminderBills>},
    {32603, &Make<CReminderAccount>},
    {32604, &Make<CReminderAuditTrail>},
    {32605, &Make<CReminderRecurring>},
    {32606, &Make<CReminderInvoices>},
    {32808, &Make<CReminderSOP>},
    {32809, &Make<CReminderPOP>},
    {32810, &Make<CReminderStock>},
};

PageFactory::Creator& Override()
{
    static PageFactory::Creator creator;
    return creator;
}

const Entry* Find(int command)
{
    for (const Entry& e : kPages)
        if (e.command == command) return &e;
    return nullptr;
}

}  // namespace

CReminderPage* PageFactory::Create(int command, TaskServices& services, QWidget* parent,
                                   CKTreeView* tree)
{
    if (Override())
        if (CReminderPage* page = Override()(command, services, parent, tree)) return page;
    const Entry* e = Find(command);
    return e ? e->make(services, parent, tree) : nullptr;
}

bool PageFactory::Has(int command) { return Find(command) != nullptr; }

PageFactory::Creator PageFactory::SetOverride(Creator creator)
{
    Creator previous = std::move(Override());
    Override() = std::move(creator);
    return previous;
}

}  // namespace kelo
