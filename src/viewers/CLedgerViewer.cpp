#include "src/viewers/CLedgerViewer.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "host/ui/CKIcons.h"
#include "host/ui/CKListView.h"
#include "src/pages/CReminderPage.h"

namespace kelo {
namespace {

constexpr int kDialBitmap = 265;

}  // namespace

CLedgerViewer::CLedgerViewer(int dialogId, const QString& title, CReminderPage* page,
                             TaskServices& services)
    : CKDialog(dialogId, nullptr), m_services(services), m_page(page), m_body(new QVBoxLayout)
{
    setWindowTitle(title);
    SetHelpProperty(this, dialogId);
    auto* outer = new QVBoxLayout(this);
    outer->addLayout(m_body);

    auto* buttons = new QHBoxLayout;
    const struct {
        const char* text;
        const char* name;
        RowStepper::Step step;
    } steps[] = {{"&First", "first", RowStepper::Step::First},
                 {"&Previous", "previous", RowStepper::Step::Previous},
                 {"&Next", "next", RowStepper::Step::Next},
                 {"&Last", "last", RowStepper::Step::Last}};
    for (int i = 0; i < 4; ++i) {
        m_buttons[i] = new QPushButton(tr(steps[i].text), this);
        m_buttons[i]->setObjectName(steps[i].name);
        m_buttons[i]->setAutoDefault(false);
        const RowStepper::Step step = steps[i].step;
        connect(m_buttons[i], &QPushButton::clicked, this, [this, step] { StepTo(step); });
        buttons->addWidget(m_buttons[i]);
    }
    buttons->addStretch();
    auto* ok = new QPushButton(tr("OK"), this);
    ok->setObjectName("ok");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, [this] { SendCommand(IDOK); });
    buttons->addWidget(ok);
    outer->addLayout(buttons);
}

CKListView* CLedgerViewer::PageList() const { return m_page ? m_page->List() : nullptr; }

QPushButton* CLedgerViewer::StepButton(RowStepper::Step step) const
{
    return m_buttons[static_cast<int>(step)];
}

QLineEdit* CLedgerViewer::Field(const char* name) const { return findChild<QLineEdit*>(name); }

QLineEdit* CLedgerViewer::AddField(QFormLayout* form, const QString& label, const char* name)
{
    auto* field = new QLineEdit(this);
    field->setObjectName(name);
    field->setReadOnly(true);
    form->addRow(label, field);
    return field;
}

void CLedgerViewer::AddTelephone(QFormLayout* form)
{
    m_telephone = new QLineEdit(this);
    m_telephone->setObjectName("telephone");
    // The label stands beside a row of two widgets, so it names neither.
    m_telephone->setAccessibleName(tr("Telephone"));
    m_dial = new QToolButton(this);
    m_dial->setObjectName("dial");
    m_dial->setIcon(CKIcons::ForBitmap(kDialBitmap));
    m_dial->setToolTip(tr("Dial"));
    m_dial->setAccessibleName(tr("Dial"));
    connect(m_dial, &QToolButton::clicked, this, [this] { PostCommand(kDialCommand); });
    auto* row = new QHBoxLayout;
    row->addWidget(m_telephone);
    row->addWidget(m_dial);
    form->addRow(tr("Telephone"), row);
}

void CLedgerViewer::UpdateStepButtons()
{
    CKListView* list = PageList();
    const RowStepper s = list ? RowStepper::States(list->GetSelectedRow(), list->RowCount())
                              : RowStepper{};
    m_buttons[0]->setEnabled(s.first);
    m_buttons[1]->setEnabled(s.previous);
    m_buttons[2]->setEnabled(s.next);
    m_buttons[3]->setEnabled(s.last);
}

void CLedgerViewer::StepTo(RowStepper::Step step)
{
    CKListView* list = PageList();
    if (!list) return;
    const int row = RowStepper::Target(step, list->GetSelectedRow(), list->RowCount());
    if (row < 0) return;
    const std::vector<uint8_t> bytes = list->GetRow(row);
    list->SelectRow(row);
    TakeRow(bytes);
}

bool CLedgerViewer::OnCommand(int id)
{
    if (id == kDialCommand) {
        Dial();
        return true;
    }
    return CKDialog::OnCommand(id);
}

}  // namespace kelo
