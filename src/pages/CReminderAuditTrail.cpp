#include "src/pages/CReminderAuditTrail.h"

#include "host/ui/CKListView.h"
#include "src/app/TaskServices.h"
#include "src/pages/scans/AccountsDueScan.h"
#include "src/viewers/CAuditTrailInvoiceProperties.h"

namespace kelo {
namespace {

// Selects the list's first row the moment it is added, so the user sees a selection while the
// rest of a long fill arrives.
class FirstRowSink final : public ScanSink {
public:
    FirstRowSink(ScanSink& inner, CKListView& list) : m_inner(inner), m_list(list) {}
    void AddRow(std::span<const uint8_t> row) override
    {
        m_inner.AddRow(row);
        if (m_first && !m_inner.Stopped()) {
            m_list.SelectRow(0);
            m_first = false;
        }
    }
    void Yield() override { m_inner.Yield(); }
    bool Stopped() const override { return m_inner.Stopped(); }

private:
    ScanSink& m_inner;
    CKListView& m_list;
    bool m_first = true;
};

}  // namespace

CReminderAuditTrail::CReminderAuditTrail(TaskServices& services, QWidget* parent, CKTreeView* tree)
    : CReminderPage(kDialogId, kListId, services, parent, tree, kContextMenuId)
{
    List()->setAccessibleName(QStringLiteral("Accounts Due List"));
    SetColumns(AccountsDueColumns());
}

bool CReminderAuditTrail::OnInitDialog()
{
    if (!CReminderPage::OnInitDialog()) return false;
    SetUpCategories(AccountsDueCategories(Services().CurrentUserName(), Services().AccessManager()));
    return true;
}

void CReminderAuditTrail::UpdateCommandMenu(QMenu* menu)
{
    CReminderPage::UpdateCommandMenu(menu);
    EnableCommand(menu, kCommandProperties, List()->RowCount() > 0);
}

void CReminderAuditTrail::FillList()
{
    CKListView* list = List();
    RunFill(
        [list](const ScanInput& input, ScanSink& sink) {
            FirstRowSink first(sink, *list);
            ScanAccountsDue(input, first);
        },
        true);
}

void CReminderAuditTrail::OpenSelected()
{
    const int selected = List()->GetSelectedRow();
    if (selected < 0) return;
    const uint32_t number = AccountsDueRowTransaction(List()->RowBytes(selected));
    CAuditTrailInvoiceProperties viewer(this, Context(), number, Services());
    viewer.DoModal(window());
}

bool CReminderAuditTrail::OnCommand(int id)
{
    if (id == kCommandProperties) {
        OpenSelected();
        return true;
    }
    return CReminderPage::OnCommand(id);
}

}  // namespace kelo
