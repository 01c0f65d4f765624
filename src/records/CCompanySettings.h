#pragma once

#include <QString>

#include "host/ui/CKDialog.h"

class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace kelo {

class DataContext;

// Settings → Company Details: the company's name, address and numbers from the setup record,
// read-only; OK (or Escape) closes it and nothing is written.
class CCompanySettings final : public CKDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CCompanySettings)

public:
    static constexpr int kHelpTopic = 124;

    CCompanySettings(QWidget* parent, DataContext& context);

    // The texts as filled at initialisation. The address is the five lines joined by CR LF,
    // empty lines included.
    const QString& Name() const { return m_name; }
    const QString& Address() const { return m_address; }
    const QString& Telephone() const { return m_telephone; }
    const QString& Fax() const { return m_fax; }
    const QString& VatNumber() const { return m_vatNumber; }
    const QString& WebSite() const { return m_webSite; }
    const QString& Email() const { return m_email; }

protected:
    bool OnInitDialog() override;

private:
    void ReadSetup();

    DataContext& m_context;
    QString m_name, m_address, m_telephone, m_fax, m_vatNumber, m_webSite, m_email;
    QLineEdit* m_nameEdit;
    QPlainTextEdit* m_addressEdit;
    QLineEdit* m_telephoneEdit;
    QLineEdit* m_faxEdit;
    QLineEdit* m_vatEdit;
    QLineEdit* m_webEdit;
    QLineEdit* m_emailEdit;
    QPushButton* m_ok;
};

}  // namespace kelo
