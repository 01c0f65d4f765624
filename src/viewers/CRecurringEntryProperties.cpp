#include "src/viewers/CRecurringEntryProperties.h"

#include <exception>

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "host/ui/CKMessageBox.h"
#include "host/util/Dates.h"
#include "src/app/TaskServices.h"
#include "src/pages/scans/AccountDetails.h"
#include "src/pages/scans/RecurringScan.h"

namespace kelo {
namespace {

// Record texts are single bytes, shown as Latin-1 like the lists show them.
QString text(const std::string& bytes) { return QString::fromLatin1(bytes.c_str()); }
QString date(uint16_t number) { return QString::fromStdString(DateNumberToFullString(number)); }

QLineEdit* field(QWidget* owner, const char* name)
{
    auto* f = new QLineEdit(owner);
    f->setObjectName(name);
    f->setReadOnly(true);
    return f;
}

QLabel* label(QWidget* owner, const QString& caption, const char* name)
{
    auto* l = new QLabel(caption, owner);
    l->setObjectName(name);
    return l;
}

}  // namespace

CRecurringEntryProperties::CRecurringEntryProperties(CReminderPage* page, DataContext& context,
                                                     uint32_t recordNumber, TaskServices& services)
    : CLedgerViewer(kDialogId, tr("Recurring Entry Properties"), page, services),
      m_context(context),
      m_recordNumber(recordNumber)
{
    // Code and name side by side: a short code field, the name taking the rest.
    // Their labels change with the kind of entry, so screen readers get fixed names.
    auto pair = [this](const char* code, const char* name, const QString& spoken) {
        auto* row = new QHBoxLayout;
        QLineEdit* c = field(this, code);
        c->setMaximumWidth(c->fontMetrics().horizontalAdvance(QLatin1Char('M')) * 8);
        c->setAccessibleName(spoken);
        QLineEdit* n = field(this, name);
        n->setAccessibleName(spoken + tr(" name"));
        row->addWidget(c);
        row->addWidget(n, 1);
        return row;
    };

    auto* accountsGroup = new QGroupBox(tr("Recurring Entry From/To"), this);
    m_accounts = new QFormLayout(accountsGroup);
    m_accounts->addRow(label(this, QString(), "first_label"),
                       pair("bank", "bank_name", tr("Bank account")));
    auto* secondCaption = new QWidget(this);
    auto* second = new QHBoxLayout(secondCaption);
    second->setContentsMargins(0, 0, 0, 0);
    second->addWidget(label(this, QString(), "second_label"));
    second->addWidget(label(this, tr("(BACS)"), "bacs"));
    second->addStretch();
    m_accounts->addRow(secondCaption, pair("second", "second_name", tr("Second account")));
    Body()->addWidget(accountsGroup);

    auto* entryGroup = new QGroupBox(tr("Recurring Entry Details"), this);
    m_entry = new QFormLayout(entryGroup);
    m_entry->addRow(tr("Transaction Type"), field(this, "type"));
    m_entry->addRow(tr("Transaction Ref"), field(this, "ref"));
    m_entry->addRow(tr("Details"), field(this, "details"));
    m_entry->addRow(tr("Department"), field(this, "department"));
    Body()->addWidget(entryGroup);

    auto* frequencyGroup = new QGroupBox(tr("Posting Frequency"), this);
    auto* frequency = new QFormLayout(frequencyGroup);
    auto* every = new QHBoxLayout;
    QLineEdit* interval = field(this, "interval");
    interval->setAccessibleName(tr("Every"));
    interval->setAlignment(Qt::AlignRight);
    interval->setMaximumWidth(interval->fontMetrics().horizontalAdvance(QLatin1Char('0')) * 9);
    every->addWidget(interval);
    every->addWidget(label(this, QString(), "unit"));
    every->addStretch();
    frequency->addRow(tr("Every"), every);
    frequency->addRow(tr("Total Reqd. Postings"), field(this, "total"));
    frequency->addRow(tr("Start Date"), field(this, "start"));
    frequency->addRow(tr("Finish Date"), field(this, "finish"));
    frequency->addRow(tr("Last Posted"), field(this, "last_posted"));
    m_suspend = new QCheckBox(tr("Suspend Posting"), this);
    m_suspend->setObjectName("suspend");
    // Shown, never changed: a click puts the stored flag back.
    connect(m_suspend, &QCheckBox::clicked, this,
            [this] { m_suspend->setChecked(m_details.entry.suspended); });
    frequency->addRow(QString(), m_suspend);
    Body()->addWidget(frequencyGroup);

    auto* amountsGroup = new QGroupBox(tr("Posting Amounts"), this);
    m_amounts = new QFormLayout(amountsGroup);
    m_amounts->addRow(label(this, QString(), "amount_label"), field(this, "net"));
    m_amounts->addRow(tr("Tax Code"), field(this, "tax_code"));
    m_amounts->addRow(tr("VAT"), field(this, "vat"));
    for (const char* name : {"net", "vat"}) Field(name)->setAlignment(Qt::AlignRight);
    Body()->addWidget(amountsGroup);

    // The changing captions still name their fields for screen readers.
    Label("first_label")->setBuddy(Field("bank"));
    Label("second_label")->setBuddy(Field("second"));
    Label("amount_label")->setBuddy(Field("net"));
    if (auto* close = findChild<QPushButton*>("ok")) close->setText(tr("Close"));
    setMinimumWidth(fontMetrics().horizontalAdvance(QLatin1Char('M')) * 40);
}

QLabel* CRecurringEntryProperties::Label(const char* name) const
{
    return findChild<QLabel*>(name);
}

bool CRecurringEntryProperties::IsRowShown(const char* name) const
{
    for (QFormLayout* form : {m_accounts, m_entry, m_amounts}) {
        for (int row = 0; row < form->rowCount(); ++row) {
            QLayoutItem* item = form->itemAt(row, QFormLayout::FieldRole);
            QWidget* w = item ? item->widget() : nullptr;
            if (!w && item && item->layout() && item->layout()->count() > 0)
                w = item->layout()->itemAt(0)->widget();
            if (w && w->objectName() == QLatin1String(name)) return form->isRowVisible(row);
        }
    }
    return true;
}

bool CRecurringEntryProperties::OnInitDialog()
{
    if (!CLedgerViewer::OnInitDialog()) return false;
    LoadEntry();
    return true;
}

void CRecurringEntryProperties::LoadEntry()
{
    try {
        m_details = RecurringDetails::Load(m_context, m_recordNumber);
    } catch (const std::exception& e) {
        m_details = RecurringDetails{};
        m_details.recordNumber = m_recordNumber;
        Services().TaskMessageBox(e.what(), MsgKind::Stop);
    }
    const RecurringDetails& d = m_details;
    const RecurringEntry& e = d.entry;
    Field("bank")->setText(text(e.bankCode));
    Field("bank_name")->setText(text(d.bankName));
    Field("second")->setText(text(e.secondAccount));
    Field("second_name")->setText(text(d.secondName));
    Field("type")->setText(QString::fromStdString(d.TypeName()));
    Field("ref")->setText(text(e.reference));
    Field("details")->setText(text(e.details));
    Field("department")->setText(text(d.department));
    Field("interval")->setText(d.found ? QString::number(e.interval) : QString());
    Label("unit")->setText(QString::fromStdString(e.UnitText()));
    Field("total")->setText(d.found ? QString::number(e.totalPostings) : QString());
    Field("start")->setText(date(e.start));
    Field("last_posted")->setText(date(e.lastPosted));
    Field("finish")->setText(QString::fromStdString(d.finish.Text()));
    m_suspend->setChecked(e.suspended);
    Field("net")->setText(d.found ? QString::fromStdString(FormatViewerAmount(e.net)) : QString());
    Field("tax_code")->setText(d.found ? QString::fromStdString(d.TaxCodeText()) : QString());
    Field("vat")->setText(d.found ? QString::fromStdString(FormatViewerAmount(e.tax)) : QString());
    ShowLabels();
    UpdateStepButtons();
    if (d.finish.kind == RecurringFinish::Kind::Infinite)
        CKMessageBox::Show(this, QString::fromLatin1(kRecurringTooFarMessage), MsgKind::Exclamation);
}

void CRecurringEntryProperties::ShowLabels()
{
    const RecurringLabels l = m_details.Labels();
    Label("first_label")->setText(QString::fromStdString(l.firstAccount));
    m_accounts->setRowVisible(0, l.firstShown);
    Label("second_label")->setText(QString::fromStdString(l.secondAccount));
    Label("bacs")->setVisible(m_details.bacs);
    m_entry->setRowVisible(2, l.detailsShown);
    Label("amount_label")->setText(QString::fromStdString(l.amount));
    m_amounts->setRowVisible(1, l.taxCodeShown);
    m_amounts->setRowVisible(2, l.vatShown);
}

void CRecurringEntryProperties::TakeRow(std::span<const uint8_t> row)
{
    m_recordNumber = RecurringRowRecord(row);
    LoadEntry();
}

}  // namespace kelo
