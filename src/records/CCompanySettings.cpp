#include "src/records/CCompanySettings.h"

#include <algorithm>
#include <exception>
#include <vector>

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QStyle>
#include <QTextDocument>
#include <QVBoxLayout>

#include "host/file/RecordFile.h"
#include "host/data/FileMap.h"
#include "host/data/SetupRecord.h"

namespace kelo {

namespace {

QLineEdit* ReadOnlyLine(const char* name)
{
    auto* edit = new QLineEdit;
    edit->setObjectName(QString::fromLatin1(name));
    edit->setReadOnly(true);
    return edit;
}

QString Latin(const std::string& s) { return QString::fromLatin1(s.c_str()); }

// A read-only field shows its text from the start (setText leaves the caret at the end, which
// scrolls a long text's start out of sight) and is made wide enough for it.
void ShowFromStart(QLineEdit* edit, const QString& text)
{
    edit->setText(text);
    edit->setCursorPosition(0);
    const int frame = edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, edit);
    edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance(text) + 2 * frame + 16);
}

}  // namespace

CCompanySettings::CCompanySettings(QWidget* parent, DataContext& context)
    : CKDialog(0, parent),
      m_context(context),
      m_nameEdit(ReadOnlyLine("name")),
      m_addressEdit(new QPlainTextEdit),
      m_telephoneEdit(ReadOnlyLine("telephone")),
      m_faxEdit(ReadOnlyLine("fax")),
      m_vatEdit(ReadOnlyLine("vat")),
      m_webEdit(ReadOnlyLine("web")),
      m_emailEdit(ReadOnlyLine("email")),
      m_ok(new QPushButton(QStringLiteral("OK")))
{
    setWindowTitle(QStringLiteral("Company Details"));
    m_addressEdit->setObjectName(QStringLiteral("address"));
    m_addressEdit->setReadOnly(true);
    m_addressEdit->setLineWrapMode(QPlainTextEdit::NoWrap);
    // Five lines of an address, no more.
    m_addressEdit->setFixedHeight(m_addressEdit->fontMetrics().lineSpacing() * 5 + 12);
    const auto* digits = new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-9 ]*")), this);
    m_telephoneEdit->setValidator(digits);
    m_faxEdit->setValidator(digits);

    auto* group = new QGroupBox(QStringLiteral("Details"));
    auto* form = new QFormLayout(group);
    form->addRow(QStringLiteral("Name:"), m_nameEdit);
    form->addRow(QStringLiteral("Address:"), m_addressEdit);
    form->addRow(QStringLiteral("Telephone:"), m_telephoneEdit);
    form->addRow(QStringLiteral("Fax:"), m_faxEdit);
    form->addRow(QStringLiteral("VAT Reg. No:"), m_vatEdit);
    form->addRow(QStringLiteral("Web Site:"), m_webEdit);
    form->addRow(QStringLiteral("Email:"), m_emailEdit);

    m_ok->setObjectName(QStringLiteral("ok"));
    m_ok->setDefault(true);
    auto* buttons = new QDialogButtonBox;
    buttons->addButton(m_ok, QDialogButtonBox::AcceptRole);
    connect(m_ok, &QPushButton::clicked, this, [this] { SendCommand(IDOK); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(buttons);
    setMinimumWidth(420);
}

bool CCompanySettings::OnInitDialog()
{
    if (!CKDialog::OnInitDialog()) return false;
    ReadSetup();
    ShowFromStart(m_nameEdit, m_name);
    QString shown = m_address;
    m_addressEdit->setPlainText(shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    int longest = 0;
    for (const QString& line : shown.split(QLatin1Char('\n')))
        longest = std::max(longest, m_addressEdit->fontMetrics().horizontalAdvance(line));
    const int frame = m_addressEdit->frameWidth();
    const int margin = int(m_addressEdit->document()->documentMargin());
    m_addressEdit->setMinimumWidth(longest + 2 * frame + 2 * margin + 8);
    ShowFromStart(m_telephoneEdit, m_telephone);
    ShowFromStart(m_faxEdit, m_fax);
    ShowFromStart(m_vatEdit, m_vatNumber);
    ShowFromStart(m_webEdit, m_webSite);
    ShowFromStart(m_emailEdit, m_email);
    adjustSize();
    m_ok->setFocus();
    return true;
}

void CCompanySettings::ReadSetup()
{
    // An unreadable setup record shows empty fields; the dialog has nothing to report.
    std::vector<uint8_t> rec(kSetupLength, 0);
    try {
        if (!ReadRec(m_context.File(kFileSetup), 1, rec.data())) std::fill(rec.begin(), rec.end(), 0);
    } catch (const std::exception&) {
        std::fill(rec.begin(), rec.end(), 0);
    }
    const uint8_t* r = rec.data();
    m_name = Latin(GetText(r, kSetupCompanyName));
    m_address = Latin(GetText(r, kSetupAddress1));
    for (const Field* line : {&kSetupAddress2, &kSetupAddress3, &kSetupAddress4, &kSetupAddress5})
        m_address += QStringLiteral("\r\n") + Latin(GetText(r, *line));
    // The numbers, the web site and the e-mail address are shown as stored.
    m_telephone = Latin(GetRawText(r, kSetupTelephone));
    m_fax = Latin(GetRawText(r, kSetupFax));
    m_vatNumber = Latin(GetRawText(r, kSetupVatNumber));
    m_webSite = Latin(GetRawText(r, kSetupWebSite));
    m_email = Latin(GetRawText(r, kSetupEmail));
}

}  // namespace kelo
